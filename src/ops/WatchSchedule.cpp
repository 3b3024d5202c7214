#include "ops/WatchSchedule.h"

#include <algorithm>

namespace vantrel::ops {

WatchSchedule::WatchSchedule(std::span<const int> intervalsSeconds, std::int64_t startMs)
    : m_startMs(startMs) {
    const auto count = std::int64_t(intervalsSeconds.size());
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t interval = std::max(1, intervalsSeconds[std::size_t(i)]) * std::int64_t(1000);
        m_intervalMs.push_back(interval);
        m_dueMs.push_back(startMs + interval * i / count);
    }
}

std::vector<std::size_t> WatchSchedule::takeDue(std::int64_t nowMs) {
    std::vector<std::size_t> due;
    for (std::size_t i = 0; i < m_dueMs.size(); ++i) {
        if (m_dueMs[i] > nowMs)
            continue;
        due.push_back(i);
        const std::int64_t late = nowMs - m_dueMs[i];
        m_dueMs[i] += (late / m_intervalMs[i] + 1) * m_intervalMs[i];
    }
    return due;
}

std::int64_t WatchSchedule::nextDueMs() const {
    if (m_dueMs.empty())
        return m_startMs + std::int64_t{24} * 3600 * 1000;
    return *std::min_element(m_dueMs.begin(), m_dueMs.end());
}

} // namespace vantrel::ops
