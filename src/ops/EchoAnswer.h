#pragma once

#include "net/IcmpRecords.h"
#include "net/IpAddress.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vantrel::ops {

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
    std::optional<net::ICMP_ECHO_REPLY> record; // the reply record, when the buffer holds one

    bool isReply() const { return kind == Kind::Reply; }
    // The record's status, 0 when the service wrote none.
    std::uint32_t status() const { return record ? record->Status : 0u; }
};

// The kind of a reply record (an echo reply or ICMP error) with `status` from `from`.
EchoAnswer::Kind replyKind(std::uint32_t status, net::IPAddr from, net::IPAddr target);
EchoAnswer::Kind replyKind(std::uint32_t status, const net::IpAddress& from, const net::IpAddress& target);

// Classifies what IcmpSendEcho answered (`replies`) and wrote into `replyBuffer` for a request to `target`.
EchoAnswer classifyEchoAnswer(std::uint32_t replies, std::span<const std::byte> replyBuffer,
                              net::IPAddr target);

} // namespace vantrel::ops
