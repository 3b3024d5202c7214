#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace vantrel::ops {

// One hop's probes as the path monitor sums them: every decided probe counts as sent, and the answered
// ones give the last, best, worst and mean round trip, their standard deviation and their jitter (the mean
// difference between consecutive round trips, as mtr reports it), all in microseconds.
class HopStatistics {
public:
    using Micros = std::chrono::microseconds;

    void answered(Micros roundTrip);
    void lost() { ++m_sent; }

    unsigned sent() const { return m_sent; }
    unsigned received() const { return m_received; }
    // The share of the probes sent that went unanswered, in percent (0 before any was sent).
    double lossPercent() const;
    std::optional<Micros> last() const { return m_last; }
    std::optional<Micros> best() const { return m_best; }
    std::optional<Micros> worst() const { return m_worst; }
    std::optional<Micros> average() const;
    // The sample standard deviation (0 with a single answer).
    std::optional<Micros> deviation() const;
    // Nothing until two answers have come.
    std::optional<Micros> jitter() const;

private:
    unsigned m_sent = 0;
    unsigned m_received = 0;
    std::optional<Micros> m_last;
    std::optional<Micros> m_best;
    std::optional<Micros> m_worst;
    double m_mean = 0;      // running mean, microseconds
    double m_squares = 0;   // sum of squared differences from the mean (Welford)
    double m_jitterSum = 0; // sum of |difference| between consecutive answers
};

} // namespace vantrel::ops
