#include "ui/RoundTripHistory.h"

#include <algorithm>

namespace vantrel::ui {

RoundTripHistory::Bucket RoundTripHistory::Bucket::of(double x, std::optional<double> rttMs) {
    Bucket bucket;
    bucket.firstX = bucket.lastX = x;
    if (rttMs) {
        const double rtt = std::max(0.0, *rttMs);
        bucket.answered = bucket.startsAnswered = bucket.endsAnswered = true;
        bucket.firstRtt = bucket.lastRtt = bucket.minRtt = bucket.maxRtt = rtt;
    } else {
        bucket.lostX = x;
    }
    return bucket;
}

void RoundTripHistory::Bucket::merge(const Bucket& next) {
    lastX = next.lastX;
    endsAnswered = next.endsAnswered;
    if (!lostX)
        lostX = next.lostX;
    if (!next.answered)
        return;
    if (!answered) {
        firstRtt = next.firstRtt;
        minRtt = next.minRtt;
        maxRtt = next.maxRtt;
    }
    answered = true;
    lastRtt = next.lastRtt;
    minRtt = std::min(minRtt, next.minRtt);
    maxRtt = std::max(maxRtt, next.maxRtt);
}

RoundTripHistory::RoundTripHistory(std::size_t capacity)
    : m_capacity(std::max<std::size_t>(2, capacity & ~std::size_t(1))) {}

void RoundTripHistory::clear() {
    *this = RoundTripHistory(m_capacity);
}

void RoundTripHistory::add(double x, std::optional<double> rttMs) {
    addSummed(x, rttMs, 1, rttMs ? 0 : 1);
}

void RoundTripHistory::addSummed(double x, std::optional<double> averageMs, std::size_t requests,
                                 std::size_t lost) {
    lost = std::min(lost, requests);
    Bucket sample = Bucket::of(x, lost < requests ? averageMs : std::nullopt);
    if (lost > 0)
        sample.lostX = x;
    if (!m_buckets.empty() && m_inLast < m_perBucket) {
        m_buckets.back().merge(sample);
        ++m_inLast;
    } else {
        if (m_buckets.size() == m_capacity)
            halve();
        m_buckets.push_back(sample);
        m_inLast = 1;
    }
    m_count += requests;
    m_lost += lost;
    m_lastX = std::max(m_lastX, x);
    if (!sample.answered)
        return;
    const std::size_t answered = requests - lost;
    const bool first = m_count - m_lost == answered;
    m_sum += sample.firstRtt * double(answered);
    m_min = first ? sample.firstRtt : std::min(m_min, sample.firstRtt);
    m_max = first ? sample.firstRtt : std::max(m_max, sample.firstRtt);
}

// Every bucket is full when this runs (the capacity is even), so the merged ones are too.
void RoundTripHistory::halve() {
    for (std::size_t i = 0; i < m_buckets.size() / 2; ++i) {
        Bucket merged = m_buckets[2 * i];
        merged.merge(m_buckets[2 * i + 1]);
        m_buckets[i] = merged;
    }
    m_buckets.resize(m_buckets.size() / 2);
    m_perBucket *= 2;
}

std::optional<double> RoundTripHistory::minimum() const {
    return m_count > m_lost ? std::optional(m_min) : std::nullopt;
}

std::optional<double> RoundTripHistory::average() const {
    const std::size_t answered = m_count - m_lost;
    return answered != 0 ? std::optional(m_sum / double(answered)) : std::nullopt;
}

std::optional<double> RoundTripHistory::maximum() const {
    return m_count > m_lost ? std::optional(m_max) : std::nullopt;
}

} // namespace vantrel::ui
