#include "ops/HostWatch.h"

#include <algorithm>

namespace vantrel::ops {

QString watchStateName(WatchState state) {
    switch (state) {
    case WatchState::Up:
        return QStringLiteral("up");
    case WatchState::Degraded:
        return QStringLiteral("degraded");
    case WatchState::Down:
        return QStringLiteral("down");
    case WatchState::Unknown:
        break;
    }
    return {};
}

HostWatch::HostWatch(settings::WatchEntry entry, int downAfter)
    : m_entry(std::move(entry))
    , m_downAfter(std::max(1, downAfter)) {}

std::optional<history::StateChange> HostWatch::record(std::int64_t sentMs,
                                                      std::optional<std::int64_t> roundTripUs) {
    m_recent.push_back({sentMs, roundTripUs});
    while (!m_recent.empty() && m_recent.front().sentMs <= sentMs - kRecentMs)
        m_recent.pop_front();
    m_lossesInARow = roundTripUs ? 0 : m_lossesInARow + 1;

    const WatchState now = judge(sentMs);
    if (now == m_state)
        return std::nullopt;
    history::StateChange change{sentMs, m_entry.host, watchStateName(m_state), watchStateName(now)};
    m_state = now;
    m_lastChangeMs = sentMs;
    return change;
}

history::ProbeSums HostWatch::recent(std::int64_t nowMs) const {
    history::ProbeSums sums;
    for (const Probe& probe : m_recent) {
        if (probe.sentMs <= nowMs - kRecentMs)
            continue;
        history::ProbeSums one;
        one.sent = 1;
        if (probe.roundTripUs) {
            one.received = 1;
            one.roundTripSumUs = *probe.roundTripUs;
            one.bestUs = one.worstUs = probe.roundTripUs;
        }
        sums.add(one);
    }
    return sums;
}

WatchState HostWatch::judge(std::int64_t nowMs) const {
    if (m_lossesInARow >= m_downAfter)
        return WatchState::Down;
    const history::ProbeSums sums = recent(nowMs);
    const std::optional<double> average = sums.averageUs();
    if (sums.lossPercent() > m_entry.degradedLossPercent ||
        (average && *average > double(m_entry.degradedRoundTripMs) * 1000.0))
        return WatchState::Degraded;
    return WatchState::Up;
}

} // namespace vantrel::ops
