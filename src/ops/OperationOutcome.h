#pragma once

namespace vantrel::ops {

// What the last operation came to, for a front end that reports it (the command line's exit status).
enum class OperationOutcome {
    None,      // none has ended since the last start (still running, or cancelled before it ran)
    Succeeded, // a ping or a run with at least one echo reply, a trace that reached its host, a lookup found
    Failed,    // it ran but did not succeed: no reply, the host not reached, an address without a name
    NotRun,    // it could not run: a refused host, a name that does not resolve, no echo handle, no thread
};

} // namespace vantrel::ops
