#pragma once

// Building echo requests and recognising the packets that answer them. Everything here works on bytes
// from the network and trusts none of them: every length and header length is checked before a field is
// read, and a packet that does not add up is simply not an answer.

#include "net/IcmpRecords.h"
#include "net/IpAddress.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace vantrel::net {

inline constexpr std::uint8_t kIcmpEchoReply = 0;
inline constexpr std::uint8_t kIcmpDestUnreachable = 3;
inline constexpr std::uint8_t kIcmpSourceQuench = 4;
inline constexpr std::uint8_t kIcmpEchoRequest = 8;
inline constexpr std::uint8_t kIcmpTimeExceeded = 11;
inline constexpr std::uint8_t kIcmpParameterProblem = 12;
inline constexpr std::size_t kIcmpHeaderSize = 8;
inline constexpr std::size_t kIpv4MinHeaderSize = 20;
inline constexpr std::uint8_t kIpProtocolIcmp = 1;

inline constexpr std::uint8_t kIcmp6DestUnreachable = 1;
inline constexpr std::uint8_t kIcmp6PacketTooBig = 2;
inline constexpr std::uint8_t kIcmp6TimeExceeded = 3;
inline constexpr std::uint8_t kIcmp6ParameterProblem = 4;
inline constexpr std::uint8_t kIcmp6EchoRequest = 128;
inline constexpr std::uint8_t kIcmp6EchoReply = 129;
inline constexpr std::size_t kIpv6HeaderSize = 40;
inline constexpr std::uint8_t kIpProtocolIcmp6 = 58;

// The request being waited for. `identifier` is ours on a raw socket; on a datagram socket the kernel
// owns it and has already matched it, so only the sequence is compared.
struct EchoProbe {
    IpAddress destination;
    std::uint16_t identifier = 0;
    std::uint16_t sequence = 0;
};

// A packet recognised as the answer to a probe: an echo reply, or an ICMP error quoting the request.
struct EchoAnswer {
    IpAddress from;
    std::uint16_t sequence = 0; // of the request answered
    std::uint8_t type = 0;
    std::uint8_t code = 0;
    std::uint8_t ttl = 0;
    std::uint8_t tos = 0;
    std::span<const std::byte> data; // echo data of a reply, inside the packet; empty for errors
};

// The Internet checksum (RFC 1071) of `bytes`; 0 over a message that carries a correct checksum.
std::uint16_t internetChecksum(std::span<const std::byte> bytes);

// An ICMP echo request message: header (with checksum) followed by `data`. An ICMPv6 one (type 128)
// leaves its checksum 0: the kernel computes it over the IPv6 pseudo-header, on either socket kind.
std::vector<std::byte> buildEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                                        std::span<const std::byte> data, IpFamily family = IpFamily::V4);

// The request of ours, if any, that went out with `sequence`: how a socket with many requests in flight
// tells the matchers which probe a packet must fit.
using ProbeLookup = std::function<std::optional<EchoProbe>(std::uint16_t sequence)>;

// A whole IPv4 packet as a raw ICMP socket receives it. Echo replies must carry the probe's identifier and
// sequence and a correct checksum; errors must quote an echo request to the probe's destination with them.
std::optional<EchoAnswer> matchRawPacket(std::span<const std::byte> packet, const EchoProbe& probe);
std::optional<EchoAnswer> matchRawPacket(std::span<const std::byte> packet, const ProbeLookup& probes);

// An ICMPv6 message as a raw ICMPv6 socket receives it from `from` (no IPv6 header: the hop limit and
// traffic class come from control messages; the kernel has checked the checksum). Echo replies (129) must
// carry the probe's identifier and sequence; errors (types 1 to 4) must quote an IPv6 header to the
// probe's destination, then (past any extension headers) an echo request with them.
std::optional<EchoAnswer> matchRaw6Message(std::span<const std::byte> message, const IpAddress& from,
                                           const EchoProbe& probe);
std::optional<EchoAnswer> matchRaw6Message(std::span<const std::byte> message, const IpAddress& from,
                                           const ProbeLookup& probes);

// An ICMP message (no IP header) as a datagram ICMP socket of `from`'s family receives it from `from`: an
// echo reply (0, or 129 for ICMPv6) with the probe's sequence. TTL and TOS come separately from the
// socket's control messages.
std::optional<EchoAnswer> matchDatagramReply(std::span<const std::byte> message, const IpAddress& from,
                                             const EchoProbe& probe);
std::optional<EchoAnswer> matchDatagramReply(std::span<const std::byte> message, const IpAddress& from,
                                             const ProbeLookup& probes);

// Whether an entry of a datagram socket's error queue is about the probe: `quoted` is the request as it was
// sent (ICMP header and data), `quotedDestination` the address it was sent to.
bool quotesProbe(std::span<const std::byte> quoted, const IpAddress& quotedDestination,
                 const EchoProbe& probe);
// The sequence of the request of ours that such an entry quotes, if any.
std::optional<std::uint16_t> quotedProbe(std::span<const std::byte> quoted,
                                         const IpAddress& quotedDestination, const ProbeLookup& probes);

} // namespace vantrel::net
