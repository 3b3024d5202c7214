#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace vantrel::ui {

// One run's round-trip times in bounded memory: consecutive requests are gathered in at most `capacity`
// buckets, each keeping what a plot needs to draw them at any scale (the extremes, the first and last
// answered times, where a request was lost). When the buckets are full, neighbours merge pairwise and each
// bucket covers twice as many requests, so a run of days costs no more than one of minutes and an append
// stays constant time (amortised). The count, losses and minimum, average and maximum stay exact.
class RoundTripHistory {
public:
    struct Bucket {
        double firstX = 0.0; // the x of its first and last request
        double lastX = 0.0;
        bool answered = false; // whether any request was answered; the times below only then
        double firstRtt = 0.0;
        double lastRtt = 0.0;
        double minRtt = 0.0;
        double maxRtt = 0.0;
        std::optional<double> lostX; // the x of its first lost request
        bool startsAnswered = false; // whether its first and last requests were answered, which joins
        bool endsAnswered = false;   // its line to its neighbours'

        static Bucket of(double x, std::optional<double> rttMs);
        // Takes in the bucket that follows this one.
        void merge(const Bucket& next);
    };

    static constexpr std::size_t kDefaultCapacity = 2048;

    // `capacity` is even and at least 2.
    explicit RoundTripHistory(std::size_t capacity = kDefaultCapacity);

    void clear();
    // One request at `x`: its round-trip time (negative ones count as 0), or lost.
    void add(double x, std::optional<double> rttMs);
    // `requests` requests summed at `x`, `lost` of them lost: the others' average round trip (none when
    // all were lost). A loss among them is marked as one request's would be.
    void addSummed(double x, std::optional<double> averageMs, std::size_t requests, std::size_t lost);

    std::span<const Bucket> buckets() const { return m_buckets; }
    std::size_t requestsPerBucket() const { return m_perBucket; }
    std::size_t capacity() const { return m_capacity; }

    std::size_t count() const { return m_count; }
    std::size_t lostCount() const { return m_lost; }
    std::optional<double> minimum() const;
    std::optional<double> average() const;
    std::optional<double> maximum() const;
    // The largest x so far (0 before the first request).
    double lastX() const { return m_lastX; }

private:
    void halve();

    std::size_t m_capacity;
    std::vector<Bucket> m_buckets;
    std::size_t m_perBucket = 1;
    std::size_t m_inLast = 0; // requests in the last bucket
    std::size_t m_count = 0;
    std::size_t m_lost = 0;
    double m_sum = 0.0;
    double m_min = 0.0;
    double m_max = 0.0;
    double m_lastX = 0.0;
};

} // namespace vantrel::ui
