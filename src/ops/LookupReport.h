#pragma once

#include "net/HostEntry.h"
#include "ops/ResultRecord.h"
#include "rows/ResultRow.h"

#include <vector>

namespace vantrel::output {
class ResultPipeline;
}

namespace vantrel::ops {

struct OperationState;

// The rows of the name service's report on a host, in order (all Plain, no argument): the official name
// as a link, the first address labelled "IP address:" or "IP addresses:", the further addresses, and every
// alias as a link. Names are read in the system's 8-bit encoding and RTF-escaped.
std::vector<output::ResultRow> lookupReportRows(const net::HostEntry& entry);

// The same report as records: the official name, each address and each alias, one row each.
std::vector<ResultRecord> lookupReportRecords(const net::HostEntry& entry);

// Appends the report of a completed lookup, its records to `records` when set; the shown address becomes
// the last further address reported.
void LookupReport(const net::HostEntry& entry, OperationState& state, output::ResultPipeline& results,
                  const RecordSink& records = {});

} // namespace vantrel::ops
