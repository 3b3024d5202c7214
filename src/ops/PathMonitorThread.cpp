#include "ops/PathMonitorThread.h"

#include "net/AddressText.h"
#include "ops/PathTable.h"
#include "ops/SharedStatus.h"
#include "ops/WorkerContext.h"
#include "ops/WorkerEchoHandle.h"
#include "ops/WorkerEnd.h"
#include "ops/WorkerLink.h"
#include "text/PathMonitorTexts.h"

#include <algorithm>
#include <array>
#include <thread>

namespace vantrel::ops {

namespace {

namespace res = output::res;
using Clock = std::chrono::steady_clock;

// How long one wait lasts at most, so a cancel is seen soon while nothing answers.
constexpr std::chrono::milliseconds kStopCheck{50};
// The view is told at most this often while answers come, and always at a round's end.
constexpr std::chrono::milliseconds kSnapshotPace{100};
// A probe's ticket: its round above, its hop limit in the low byte.
constexpr unsigned kHopBits = 8;
// Two bytes of echo data, as the scans send.
constexpr std::array<std::byte, 2> kProbeData{std::byte{'Y'}, std::byte{'i'}};

class PathMonitorRun {
public:
    PathMonitorRun(const WorkerContext& context, const PathMonitorJob& job, net::EchoSweep& engine)
        : m_context(context)
        , m_job(job)
        , m_engine(engine)
        , m_table(context.start.target, job.maxHops) {}

    // Rounds until a cancel, or until the last round's probes are decided.
    void run();
    bool targetAnswered() const { return m_table.targetAnswered(); }

private:
    void sendRound();
    void send(bool final);
    bool done() const { return m_job.rounds != 0 && m_rounds >= m_job.rounds && m_inFlight == 0; }

    const WorkerContext& m_context;
    const PathMonitorJob& m_job;
    net::EchoSweep& m_engine;
    PathTable m_table;
    unsigned m_rounds = 0;
    std::size_t m_inFlight = 0;
};

void PathMonitorRun::sendRound() {
    const int limit = m_table.probeLimit();
    for (int hop = 1; hop <= limit; ++hop)
        m_engine.send(std::uint64_t(m_rounds) << kHopBits | unsigned(hop), m_context.start.target, kProbeData,
                      m_job.timeoutMs, std::uint8_t(hop));
    m_inFlight += std::size_t(limit);
    ++m_rounds;
}

void PathMonitorRun::send(bool final) {
    PathSnapshot snapshot{m_context.start.host,
                          m_context.start.target,
                          m_rounds,
                          m_table.targetAnswered(),
                          final,
                          final && m_context.flags.stopRequested(),
                          m_table.shownHops()};
    m_context.link.SendPathSnapshot(snapshot);
}

void PathMonitorRun::run() {
    Clock::time_point nextRound = Clock::now();
    Clock::time_point nextSnapshot = nextRound;
    bool changed = false;
    while (!m_context.flags.stopRequested() && !done()) {
        Clock::time_point now = Clock::now();
        if ((m_job.rounds == 0 || m_rounds < m_job.rounds) && now >= nextRound) {
            sendRound();
            // Counted from the schedule, not from a late wake-up, unless a whole interval was missed.
            nextRound = std::max(nextRound + m_job.interval, now);
        }
        const auto wait = std::clamp(std::chrono::ceil<std::chrono::milliseconds>(nextRound - now),
                                     std::chrono::milliseconds(1), kStopCheck);
        if (m_inFlight == 0) {
            std::this_thread::sleep_for(wait); // nothing to wait for but the next round
            continue;
        }
        for (const net::SweepAnswer& answer : m_engine.wait(wait)) {
            m_table.decided(int(answer.ticket & ((1u << kHopBits) - 1)), answer.outcome);
            --m_inFlight;
            changed = true;
        }
        now = Clock::now();
        if (changed && (now >= nextSnapshot || m_inFlight == 0)) {
            send(false);
            changed = false;
            nextSnapshot = now + kSnapshotPace;
        }
    }
    // A cancel drops the probes still out: they count neither as answered nor as lost.
    m_engine.cancel();
    send(true);
}

} // namespace

OperationOutcome PathMonitorThread(const WorkerContext& context, const PathMonitorJob& job) {
    std::unique_ptr<net::EchoSweep> engine;
    // The shared handle of the target's family first: without ICMP permission (or IPv6) the worker says
    // so as every other one does.
    if (!openEchoHandle(context, context.start.target.family(), res::kPathMonitorNoEchoHandle) ||
        !(engine = openSweepEngine(context, res::kPathMonitorNoEchoHandle)))
        return endWorker(context, {.outcome = OperationOutcome::NotRun});
    context.status.set(output::fill(res::kMonitoringPath, context.start.host));
    context.link.SendStatus();
    PathMonitorRun run(context, job, *engine);
    run.run();
    return endWorker(
        context, {.outcome = run.targetAnswered() ? OperationOutcome::Succeeded : OperationOutcome::Failed});
}

} // namespace vantrel::ops
