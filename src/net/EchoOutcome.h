#pragma once

#include "net/IpAddress.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace vantrel::net {

// What one echo request came to, before it is written into a caller's reply buffer.
struct EchoOutcome {
    bool replied = false;     // a reply record counts (an echo reply, or an ICMP error quoting the request)
    std::uint32_t status = 0; // IP status code (IpStatus.h)
    IpAddress address;        // who answered; 0.0.0.0 for a failure without an answer
    std::uint32_t roundTripMs = 0;
    std::uint8_t ttl = 0;            // the hop limit of an IPv6 reply
    std::uint8_t tos = 0;            // the traffic class of an IPv6 reply
    std::span<const std::byte> data; // returned echo data (empty for errors)

    // No reply, for this reason.
    static EchoOutcome failure(std::uint32_t status) {
        EchoOutcome outcome;
        outcome.status = status;
        return outcome;
    }
};

} // namespace vantrel::net
