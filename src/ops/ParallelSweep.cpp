#include "ops/ParallelSweep.h"

#include "ops/EchoAnswer.h"

#include <deque>

namespace vantrel::ops {

namespace {

// How long one wait lasts at most, so a stop is seen at once even while nothing answers.
constexpr std::chrono::milliseconds kStopCheck{20};

struct Entry {
    std::optional<net::IpAddress> target;
    int attempts = 0;
    std::optional<SweepResult> result;
};

} // namespace

void ParallelSweep::run(const Calls& calls) {
    std::deque<Entry> window; // from the first address not yet handed back
    std::size_t first = 0;    // its index
    int inFlight = 0;
    bool atEnd = false;

    const auto request = [&](std::size_t index) {
        Entry& entry = window[index - first];
        ++entry.attempts;
        calls.sending(index);
        m_engine.send(index, *entry.target, m_rules.data, m_rules.timeoutMs, 0);
    };
    const auto handBack = [&] {
        while (!window.empty() && window.front().result) {
            calls.decided(first, *window.front().result);
            window.pop_front();
            ++first;
        }
    };

    for (;;) {
        while (!atEnd && inFlight < m_rules.parallel && !m_flags.stopRequested()) {
            std::optional<std::optional<net::IpAddress>> next = calls.next();
            if (!next) {
                atEnd = true;
                break;
            }
            window.push_back({*next, 0, std::nullopt});
            if (!*next) {
                window.back().result = SweepResult{};
                continue;
            }
            if (m_flags.stopRequested()) // came during a name lookup: the address gets no request
                break;
            ++inFlight;
            request(first + window.size() - 1);
        }
        handBack();
        // After a stop the requests already out are read to their end, as a sequential scan reads the one
        // it waits for; only the program's exit drops them.
        if (inFlight == 0 || m_flags.shuttingDown())
            break;
        for (const net::SweepAnswer& answer : m_engine.wait(kStopCheck)) {
            Entry& entry = window[std::size_t(answer.ticket) - first];
            const net::EchoOutcome& outcome = answer.outcome;
            if (outcome.replied &&
                replyKind(outcome.status, outcome.address, *entry.target) == EchoAnswer::Kind::Reply) {
                entry.result = SweepResult{outcome.roundTrip, false};
            } else if (entry.attempts >= m_rules.packets) {
                entry.result = SweepResult{std::nullopt, true};
            } else if (!m_flags.stopRequested()) {
                request(std::size_t(answer.ticket));
                continue;
            }
            --inFlight; // decided, or stopped between its requests (undecided: no result)
        }
        handBack();
    }
    // What a stop left undecided is handed back as such (no row), so that every address decided before
    // or after it keeps its row.
    for (Entry& entry : window)
        if (!entry.result)
            entry.result = SweepResult{};
    handBack();
    m_engine.cancel();
}

} // namespace vantrel::ops
