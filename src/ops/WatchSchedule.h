#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vantrel::ops {

// When each watched host is probed next: every host on its own interval, the first probes spread over
// the first interval so that a long list does not go out at once. A host that fell behind (the machine
// slept) takes up its beat at the next slot instead of catching up with a burst.
class WatchSchedule {
public:
    WatchSchedule(std::span<const int> intervalsSeconds, std::int64_t startMs);

    // The hosts due at `nowMs`, by index, each then due again an interval later.
    std::vector<std::size_t> takeDue(std::int64_t nowMs);
    // When the next host is due; start + 1 day when no host is watched.
    std::int64_t nextDueMs() const;

private:
    std::vector<std::int64_t> m_intervalMs;
    std::vector<std::int64_t> m_dueMs;
    std::int64_t m_startMs;
};

} // namespace vantrel::ops
