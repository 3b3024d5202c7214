#pragma once

#include "net/IcmpRecords.h"
#include "net/IpAddress.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vantrel::ops {

// What the echo service wrote for one request, whichever family's record it was: the responder, the
// status, the round trip, the data size and the reply's TTL or hop limit, with the returned data (inside
// the reply buffer).
struct EchoRecord {
    net::IpAddress Address;
    std::uint32_t Status = 0;
    std::uint32_t RoundTripTime = 0; // milliseconds
    std::uint16_t DataSize = 0;
    net::IP_OPTION_INFORMATION Options;
    std::span<const std::byte> data;
    std::chrono::microseconds roundTrip{0}; // RoundTripTime to the microsecond
};

// What one echo request came to, by the rule every operation counts by: only an echo reply from the
// target is an answer. An ICMP error that the target sends itself (port unreachable, administratively
// prohibited, a firewall's reject) says the target refused: a failure with that status, counted as lost.
// An echo reply or an ICMP error from any other address is a stranger's answer.
struct EchoAnswer {
    enum class Kind {
        Reply,    // an echo reply from the target
        Stranger, // an echo reply or ICMP error from another address (a router, a broadcast responder)
        Failure,  // no answer, a refused send, or the target's own ICMP error
    };

    Kind kind = Kind::Failure;
    std::uint32_t replies = 0;        // what the service answered: 1 for a reply or an ICMP error
    std::optional<EchoRecord> record; // the reply record, when the buffer holds one

    bool isReply() const { return kind == Kind::Reply; }
    // The record's status, 0 when the service wrote none.
    std::uint32_t status() const { return record ? record->Status : 0u; }
};

// The kind of a reply record (an echo reply or ICMP error) with `status` from `from`.
EchoAnswer::Kind replyKind(std::uint32_t status, const net::IpAddress& from, const net::IpAddress& target);

// Classifies what the echo service answered (`replies`) and wrote into `replyBuffer` for a request to
// `target`: the record of the target's family.
EchoAnswer classifyEchoAnswer(std::uint32_t replies, std::span<const std::byte> replyBuffer,
                              const net::IpAddress& target);

} // namespace vantrel::ops
