#pragma once

#include "history/ProbeHistory.h"
#include "settings/WatchList.h"

#include <QString>
#include <cstdint>
#include <deque>
#include <optional>

namespace vantrel::ops {

// What the watch list makes of a host: not probed yet, answering, answering poorly, or not answering.
enum class WatchState { Unknown, Up, Degraded, Down };

// "up", "degraded", "down"; empty before the first probe.
QString watchStateName(WatchState state);

// One watched host's state from its probes: down after `downAfter` losses in a row; otherwise degraded
// while the last five minutes lost more than the entry allows or answered slower on average; up else.
class HostWatch {
public:
    static constexpr std::int64_t kRecentMs = std::int64_t{5} * 60'000;

    HostWatch(settings::WatchEntry entry, int downAfter);

    // The probe sent at `sentMs` was answered in `roundTripUs`, or lost; the change of state it made, if any.
    std::optional<history::StateChange> record(std::int64_t sentMs, std::optional<std::int64_t> roundTripUs);

    const settings::WatchEntry& entry() const { return m_entry; }
    WatchState state() const { return m_state; }
    // When the state last changed; nothing before the first probe.
    std::optional<std::int64_t> lastChangeMs() const { return m_lastChangeMs; }
    // The probes of the five minutes before `nowMs`.
    history::ProbeSums recent(std::int64_t nowMs) const;

private:
    struct Probe {
        std::int64_t sentMs;
        std::optional<std::int64_t> roundTripUs;
    };
    WatchState judge(std::int64_t nowMs) const;

    settings::WatchEntry m_entry;
    int m_downAfter;
    std::deque<Probe> m_recent; // the last five minutes, oldest first
    int m_lossesInARow = 0;
    WatchState m_state = WatchState::Unknown;
    std::optional<std::int64_t> m_lastChangeMs;
};

} // namespace vantrel::ops
