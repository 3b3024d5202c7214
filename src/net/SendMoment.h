#pragma once

#include <chrono>
#include <optional>

namespace vantrel::net {

// When an echo request left, on the steady clock and on the wall clock with which the kernel stamps the
// packets it receives (SO_TIMESTAMPNS), so that a round trip is measured to the answer's arrival rather
// than to the moment it was read.
class SendMoment {
public:
    using Clock = std::chrono::steady_clock;

    static SendMoment now();
    SendMoment() = default;
    SendMoment(Clock::time_point steady, std::chrono::nanoseconds wall)
        : m_steady(steady)
        , m_wall(wall) {}

    Clock::time_point steady() const { return m_steady; }

    // The round trip to an answer the kernel stamped `arrived`, read at `readAt`. The stamp counts only
    // when it lies between the send and the reading (the wall clock may have been set meanwhile);
    // otherwise the steady clock's time to the reading.
    std::chrono::microseconds roundTrip(std::optional<std::chrono::nanoseconds> arrived,
                                        Clock::time_point readAt = Clock::now()) const;

private:
    Clock::time_point m_steady{};
    std::chrono::nanoseconds m_wall{};
};

} // namespace vantrel::net
