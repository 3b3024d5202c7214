#pragma once

#include "ops/OperationOutcome.h"

#include <chrono>
#include <cstdint>

namespace vantrel::ops {

struct WorkerContext;

// The rules of a path monitor run, taken when it starts.
struct PathMonitorJob {
    int maxHops = 30;                     // Hops
    std::uint32_t timeoutMs = 5000;       // each probe's, from Timeout
    std::chrono::milliseconds interval{}; // between rounds, from PathMonitorInterval
    unsigned rounds = 0;                  // stop after this many (0: until cancelled)
};

// The path monitor's worker: each interval one round of probes to the target, one for every hop limit up
// to the target's hop, all in flight at once on one sweep engine. Every batch of answers updates the
// table, which goes to the GUI thread as a snapshot (at most one every tenth of a second, and at each
// round's end); the final one, after a cancel or the last round's answers, carries the report. Succeeded
// when the target answered in some round.
OperationOutcome PathMonitorThread(const WorkerContext& context, const PathMonitorJob& job);

} // namespace vantrel::ops
