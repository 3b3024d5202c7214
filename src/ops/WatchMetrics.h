#pragma once

#include "ops/WatchFrontEnd.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <mutex>

namespace vantrel::ops {

// The watch list's figures in Prometheus's text format, for a scraper: per host (labels `host` and
// `name`) whether the last probe was answered, whether the host is up and whether degraded, the loss of
// the last five minutes, the probes sent and answered, and a histogram of the round trips in seconds.
// A host that stopped answering keeps every series, its success 0. Updated from the prober's thread and
// read from any other.
class WatchMetrics {
public:
    // The histogram's upper bounds in seconds, then +Inf.
    static constexpr std::array<double, 13> kBuckets{0.0005, 0.001, 0.0025, 0.005, 0.01, 0.025, 0.05,
                                                     0.1,    0.25,  0.5,    1.0,   2.5,  5.0};
    static constexpr const char* kContentType = "text/plain; version=0.0.4; charset=utf-8";

    void update(const WatchHostView& host);
    QByteArray render() const;

private:
    struct Series {
        QString name;
        bool success = false;
        WatchState state = WatchState::Unknown;
        double lossRatio = 0.0;
        std::int64_t sent = 0;
        std::int64_t received = 0;
        std::array<std::int64_t, kBuckets.size()> buckets{}; // answers at or below each bound
        double roundTripSumSeconds = 0.0;
    };

    mutable std::mutex m_mutex;
    std::map<QString, Series> m_hosts; // by host, in a stable order
};

} // namespace vantrel::ops
