#pragma once

#include "ops/PathSnapshot.h"
#include "ops/ResultRecord.h"
#include "rows/HopCells.h"
#include "rows/ResultRow.h"

#include <vector>

namespace vantrel::output {
class ResultPipeline;
}

namespace vantrel::ops {

output::HopCells hopCells(const HopStatistics& statistics);

// The path monitor's table as rows: the header, then per hop its row (Red when it never answered) and a
// row for every further address it answered from; wide rows for an IPv6 target. Times in milliseconds
// with three decimals.
std::vector<output::ResultRow> pathTableRows(const PathSnapshot& snapshot);
// The same table as records, row for row.
std::vector<ResultRecord> pathTableRecords(const PathSnapshot& snapshot);

// Appends the final table as the report: the table, whether the host was reached, and the end line with
// the rounds; its records to `records` when set.
void PathReport(const PathSnapshot& snapshot, output::ResultPipeline& results,
                const RecordSink& records = {});

} // namespace vantrel::ops
