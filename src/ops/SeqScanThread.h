#pragma once

#include "ops/OperationOutcome.h"
#include "ops/WorkerContext.h"
#include "settings/SeqScanGroups.h"

namespace vantrel::ops {

// What a sweep takes from the SeqScan pane when it starts: the checked octets, the requests per address,
// the timeout and whether answering addresses are left out. SeqDNS is read at each row instead.
struct SeqScanJob {
    settings::SeqScanOctets octets;
    int packets = 1;
    int timeoutSeconds = 2;
    bool failuresOnly = false;
    int parallel = 1; // addresses in flight at once; 1 sends one request at a time
};

// The SeqScan worker: every address of the range in turn, up to `packets` echo requests each with the
// first answer ending the address, a row per address (answered or not), and the end line. With `parallel`
// above 1 the addresses overlap on one socket (ParallelSweep) and the rows come out the same, in order.
// Runs on its own thread; answers Succeeded when an address answered, Failed when none did, NotRun without
// an echo handle.
OperationOutcome SeqScanThread(const WorkerContext& context, const SeqScanJob& job);

} // namespace vantrel::ops
