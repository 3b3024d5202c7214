#pragma once

#include "ops/WorkerMessages.h"

namespace vantrel::ops {

// The echo-failure row for a failed request: the status's text (the don't-fragment hint for status 0
// while `fragmentOn`) in the row of the report's table, sent with kind ErrorRow.
ResultMessage echoFailureRow(const IcmpErrorReport& report, bool fragmentOn);

} // namespace vantrel::ops
