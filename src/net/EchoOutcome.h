#pragma once

#include "net/IpAddress.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vantrel::net {

// What one echo request came to, before it is written into a caller's reply buffer.
struct EchoOutcome {
    bool replied = false;     // a reply record counts (an echo reply, or an ICMP error quoting the request)
    std::uint32_t status = 0; // IP status code (IpStatus.h)
    IpAddress address;        // who answered; 0.0.0.0 for a failure without an answer
    std::chrono::microseconds roundTrip{0};
    std::uint8_t ttl = 0;            // the hop limit of an IPv6 reply
    std::uint8_t tos = 0;            // the traffic class of an IPv6 reply
    std::span<const std::byte> data; // returned echo data (empty for errors)

    // The round trip in whole milliseconds, as the Windows-shaped reply records carry it.
    std::uint32_t roundTripMs() const {
        return std::uint32_t(std::clamp<long long>(roundTrip.count() / 1000, 0, UINT32_MAX));
    }

    // The microseconds past roundTripMs() (0-999), which the reply records keep beside it.
    std::uint16_t roundTripFraction() const {
        if (roundTrip.count() < 0 || roundTripMs() == UINT32_MAX)
            return 0;
        return std::uint16_t(roundTrip.count() % 1000);
    }

    // No reply, for this reason.
    static EchoOutcome failure(std::uint32_t status) {
        EchoOutcome outcome;
        outcome.status = status;
        return outcome;
    }
};

} // namespace vantrel::net
