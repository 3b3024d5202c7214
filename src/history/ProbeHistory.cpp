#include "history/ProbeHistory.h"

#include <algorithm>

namespace vantrel::history {

void ProbeSums::add(const ProbeSums& other) {
    sent += other.sent;
    received += other.received;
    roundTripSumUs += other.roundTripSumUs;
    if (other.bestUs)
        bestUs = std::min(bestUs.value_or(*other.bestUs), *other.bestUs);
    if (other.worstUs)
        worstUs = std::max(worstUs.value_or(*other.worstUs), *other.worstUs);
}

} // namespace vantrel::history
