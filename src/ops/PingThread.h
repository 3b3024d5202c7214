#pragma once

#include "ops/WorkerContext.h"

namespace vantrel::ops {

// The ping worker: `Packets` echo requests to the target, one after another, with a row per reply and
// per failure, an end line and the loss and round-trip statistics. Runs on its own thread; answers 0 after
// a run and 1 when no echo handle could be created.
int PingThread(const WorkerContext& context);

} // namespace vantrel::ops
