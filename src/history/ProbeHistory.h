#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace vantrel::history {

// One probe of a watched host: when it went out (milliseconds since the epoch) and its round trip in
// microseconds, or none when it was lost.
struct ProbeSample {
    std::int64_t timeMs = 0;
    QString host;
    std::optional<std::int64_t> roundTripUs;
};

// A watched host's change of state ("up", "degraded", "down"; "" before its first), kept as an event.
struct StateChange {
    std::int64_t timeMs = 0;
    QString host;
    QString from;
    QString to;
};

// The probes of a span of time summed.
struct ProbeSums {
    std::int64_t sent = 0;
    std::int64_t received = 0;
    std::int64_t roundTripSumUs = 0;
    std::optional<std::int64_t> bestUs;
    std::optional<std::int64_t> worstUs;

    // Lost in percent; 0 when nothing was sent.
    double lossPercent() const { return sent > 0 ? 100.0 * double(sent - received) / double(sent) : 0.0; }
    std::optional<double> averageUs() const {
        return received > 0 ? std::optional(double(roundTripSumUs) / double(received)) : std::nullopt;
    }
    void add(const ProbeSums& other);
};

// A point of a host's history: one probe (sent 1) while it is recent, the minute it fell in once older.
struct HistoryPoint {
    std::int64_t timeMs = 0;
    ProbeSums sums;
};

} // namespace vantrel::history
