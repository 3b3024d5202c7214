#pragma once

#include "ops/OperationOutcome.h"
#include "ops/WorkerContext.h"

namespace vantrel::ops {

// The trace worker: up to two plain echo requests to contact the target, then one request per hop with a
// rising time-to-live, a row per answering hop (with its DNS name when `TraceDNS` is on) and the end line.
// Runs on its own thread; answers Succeeded when the host was reached, Failed when not, NotRun when no echo
// handle could be created. The hop names come from context.sockets; without one every hop is unnamed.
OperationOutcome TraceThread(const WorkerContext& context);

} // namespace vantrel::ops
