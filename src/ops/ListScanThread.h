#pragma once

#include "ops/OperationOutcome.h"
#include "ops/WorkerContext.h"

#include <QDateTime>
#include <QStringList>
#include <functional>

namespace vantrel::ops {

// The ListScan worker: pings the hosts of the address list, copied when the scan started, one after
// another in that order, resolving names first, and writes one row per host between the header row and
// the end line, whose time stamp comes from `clock`. Succeeded when any host answered, Failed when none
// did, NotRun without an echo handle.
OperationOutcome ListScanThread(const WorkerContext& context, const QStringList& hosts,
                                const std::function<QDateTime()>& clock);

} // namespace vantrel::ops
