#include "net/SendMoment.h"

#include <algorithm>

namespace vantrel::net {

SendMoment SendMoment::now() {
    return {Clock::now(), std::chrono::system_clock::now().time_since_epoch()};
}

std::chrono::microseconds SendMoment::roundTrip(std::optional<std::chrono::nanoseconds> arrived,
                                                Clock::time_point readAt) const {
    const Clock::duration elapsed = readAt - m_steady;
    Clock::duration measured = elapsed;
    if (arrived && *arrived >= m_wall && *arrived - m_wall <= elapsed)
        measured = std::chrono::duration_cast<Clock::duration>(*arrived - m_wall);
    return std::max(std::chrono::microseconds(0),
                    std::chrono::duration_cast<std::chrono::microseconds>(measured));
}

} // namespace vantrel::net
