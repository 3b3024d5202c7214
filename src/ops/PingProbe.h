#pragma once

#include "ops/ResultRecord.h"
#include "ops/WorkerContext.h"
#include "ops/WorkerMessages.h"
#include "rows/ResultRow.h"

#include <QString>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel::ops {

// The running sums of a ping: of one ping, or of a whole continuous-ping run, whose requests are
// numbered on across its cycles.
struct PingTally {
    unsigned sent = 0; // requests sent; also the number of the last one
    unsigned received = 0;
    std::uint32_t sum = 0; // round-trip times of the received replies, whole ms as the rows show them
    std::uint32_t maximum = 0;
    std::uint32_t minimum = 0;
    // The same to the microsecond, and the sum of their squares for the mean deviation.
    std::chrono::microseconds preciseSum{0};
    std::chrono::microseconds preciseMaximum{0};
    std::chrono::microseconds preciseMinimum{0};
    double squares = 0.0; // µs²

    void addReply(std::chrono::microseconds roundTrip);
    // The mean of the received replies' round trips and their mean deviation (the standard deviation,
    // as ping(8) prints it). Only with something received.
    std::chrono::microseconds average() const;
    std::chrono::microseconds deviation() const;
};

// Where the probe loops of the single ping and of a continuous-ping cycle differ.
struct ProbeRules {
    output::ResultKind wrongResponderKind = output::ResultKind::Red;
    // Leaves out the returned data once a cancel or exit is pending, and echo-failure rows during exit.
    bool quietWhenStopping = false;
    RecordOperation operation = RecordOperation::Ping; // whose records the requests make
};

// One ping's echo requests as a worker sends them: the request options and data taken once, the echo
// handle, the header row and the probe loop. Used on the worker's thread only.
class PingProbe {
public:
    explicit PingProbe(const WorkerContext& context);

    // Creates the shared echo handle unless one is open. When none can be created, shows the message box
    // and answers false.
    bool openHandle();
    // Closes the echo handle if one is open.
    void closeHandle();
    // The header row, when Verbose is on.
    void sendHeader();
    // Sends requests while this loop's count is at most the current Packets, numbering them on from
    // `tally.sent`, and stops after the request during which a cancel or exit became pending (with the
    // cancel line). Answers the replies received by this loop.
    unsigned run(PingTally& tally, const ProbeRules& rules);

private:
    void showStatus();

    const WorkerContext& m_context;
    std::vector<std::byte> m_reply;
    QString m_responder;  // the address shown in the status text and in the rows
    bool m_wide = false;  // the table's wide twin, for an IPv6 target
    QString m_statusText; // the status text of a request, until the responder changes
};

// The end line of a ping: successful when any reply came back.
output::ResultRow pingEndLine(const PingTally& tally);
// The loss and round-trip lines, each when it has something to tell; with `precise` the round trips to
// the microsecond and their mean deviation.
std::vector<output::ResultRow> pingStatistics(const PingTally& tally, bool precise);
// The end line and the sums of a ping, or of a continuous-ping run, as records of `operation`.
std::vector<ResultRecord> pingEndRecords(const PingTally& tally, RecordOperation operation);

} // namespace vantrel::ops
