#include "ops/HopStatistics.h"

#include <algorithm>
#include <cmath>

namespace vantrel::ops {

namespace {

HopStatistics::Micros rounded(double micros) {
    return HopStatistics::Micros(std::llround(micros));
}

} // namespace

void HopStatistics::answered(Micros roundTrip) {
    if (m_last)
        m_jitterSum += double(std::chrono::abs(roundTrip - *m_last).count());
    ++m_sent;
    ++m_received;
    m_last = roundTrip;
    m_best = m_best ? std::min(*m_best, roundTrip) : roundTrip;
    m_worst = m_worst ? std::max(*m_worst, roundTrip) : roundTrip;
    const double value = double(roundTrip.count());
    const double before = m_mean;
    m_mean += (value - before) / double(m_received);
    m_squares += (value - before) * (value - m_mean);
}

double HopStatistics::lossPercent() const {
    return m_sent == 0 ? 0.0 : 100.0 * double(m_sent - m_received) / double(m_sent);
}

std::optional<HopStatistics::Micros> HopStatistics::average() const {
    if (m_received == 0)
        return std::nullopt;
    return rounded(m_mean);
}

std::optional<HopStatistics::Micros> HopStatistics::deviation() const {
    if (m_received == 0)
        return std::nullopt;
    return rounded(m_received < 2 ? 0.0 : std::sqrt(m_squares / double(m_received - 1)));
}

std::optional<HopStatistics::Micros> HopStatistics::jitter() const {
    if (m_received < 2)
        return std::nullopt;
    return rounded(m_jitterSum / double(m_received - 1));
}

} // namespace vantrel::ops
