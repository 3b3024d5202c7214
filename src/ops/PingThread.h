#pragma once

#include "ops/OperationOutcome.h"
#include "ops/WorkerContext.h"

namespace vantrel::ops {

// The ping worker: `Packets` echo requests to the target, one after another, with a row per reply and
// per failure, an end line and the loss and round-trip statistics. Runs on its own thread; answers
// Succeeded when an echo reply came back, Failed when none did, NotRun when no echo handle could be created.
OperationOutcome PingThread(const WorkerContext& context);

} // namespace vantrel::ops
