#pragma once

#include "ops/ResultRecord.h"
#include "ops/WorkerMessages.h"
#include "rows/ResultRow.h"

namespace vantrel::ops {

// The echo-failure row for a failed request: the status's text (the don't-fragment hint for status 0
// while `fragmentOn`) in the row of the report's table, sent with kind ErrorRow.
output::ResultRow echoFailureRow(const IcmpErrorReport& report, bool fragmentOn);
// The same failure as a record of `operation` (a ping table's report belongs to a ping or a continuous
// ping, which the caller knows).
ResultRecord echoFailureRecord(const IcmpErrorReport& report, bool fragmentOn, RecordOperation operation);

} // namespace vantrel::ops
