#pragma once

#include "ops/OperationOutcome.h"

#include <optional>

namespace vantrel::ops {

struct WorkerContext;

// What a worker says and asks for on its way out.
struct WorkerEnd {
    bool showReady = true; // "Ready" in the status bar, unless the program is exiting
    bool pingAgain =
        false;            // ContPing came on during a ping: a continuous run follows once this worker is gone
    bool runDone = false; // the continuous run ends with this cycle: its done notice goes first
    std::optional<OperationOutcome> outcome = {}; // what the operation came to; unset leaves the last one
};

// The one way a worker ends: the continuous run's done notice, the shared echo handle closed, the
// operations it ends cleared, "Ready" shown, the ping again asked for without waiting (never while the
// program exits), the outcome recorded, and then, as its very last act, its own flag cleared. Nothing
// blocks after that, so the close sequence, which waits for the flags and then joins the threads, never
// waits for a thread that waits for it; and whoever sees the flag clear sees the outcome too. Returns the
// outcome, for the worker to return.
OperationOutcome endWorker(const WorkerContext& context, WorkerEnd end = {});

} // namespace vantrel::ops
