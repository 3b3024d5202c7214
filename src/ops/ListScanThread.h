#pragma once

#include "ops/OperationOutcome.h"
#include "ops/WorkerContext.h"

#include <QStringList>

namespace vantrel::ops {

// The ListScan worker: pings the hosts of the address list, copied when the scan started, one after
// another in that order, resolving names first, and writes one row per host between the header row and
// the end line, which the frame stamps with its time. Succeeded when any host answered, Failed when none
// did, NotRun without an echo handle.
OperationOutcome ListScanThread(const WorkerContext& context, const QStringList& hosts);

} // namespace vantrel::ops
