#pragma once

namespace vantrel::ops {

struct WorkerContext;

// What a worker says and asks for on its way out.
struct WorkerEnd {
    bool showReady = true; // "Ready" in the status bar, unless the program is exiting
    bool pingAgain =
        false; // ContPing came on during a ping: a continuous run follows once this worker is gone
};

// The one way a worker ends: the shared echo handle closed, the operations it ends cleared, "Ready" shown,
// the ping again asked for without waiting (never while the program exits), and then, as its very last
// act, its own flag cleared. Nothing blocks after that, so the close sequence, which waits for the flags
// and then joins the threads, never waits for a thread that waits for it.
void endWorker(const WorkerContext& context, WorkerEnd end = {});

} // namespace vantrel::ops
