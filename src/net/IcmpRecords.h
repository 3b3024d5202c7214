#pragma once

// The records of the ICMP echo service: the request options, the echo reply written at the start of the
// caller's reply buffer (and its IPv6 twin), and the echo handle. Field names are those of the platform
// interface the callers were designed against; IPv4 addresses are in network byte order.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <netinet/in.h>
#include <optional>
#include <span>

namespace vantrel::net {

struct EchoOutcome;

using IPAddr = std::uint32_t; // network byte order

// An open echo handle. Handles are small numbers into the service's table, never pointers, so a handle
// that was closed (or never opened) is recognised and refused instead of being followed.
enum class IcmpHandle : std::uintptr_t {};
inline constexpr IcmpHandle INVALID_HANDLE_VALUE{~std::uintptr_t{0}};

inline constexpr std::uint8_t IP_FLAG_DF = 0x2; // Flags bit: don't fragment

// Request options. Ttl 0 means the system's default time-to-live. IP options proper (OptionsSize,
// OptionsData) are not supported: a request that carries some fails with IP_BAD_OPTION.
struct IP_OPTION_INFORMATION {
    std::uint8_t Ttl = 0;
    std::uint8_t Tos = 0;
    std::uint8_t Flags = 0;
    std::uint8_t OptionsSize = 0;
    std::uint8_t* OptionsData = nullptr;
};

// One echo reply. `Data` points into the same reply buffer, just after this record; `Options.Ttl` and
// `Options.Tos` are those of the IP packet that carried the reply (0 when the kernel does not tell).
// `Address` is the responder: an IPAddr in ICMP_ECHO_REPLY, a sockaddr_in6 in its IPv6 twin.
template <class ResponderAddress> struct EchoReplyRecord {
    ResponderAddress Address{};
    std::uint32_t Status = 0;
    std::uint32_t RoundTripTime = 0; // milliseconds
    std::uint16_t DataSize = 0;
    std::uint16_t Reserved = 0; // here: the microseconds of the round trip past RoundTripTime (0-999)
    void* Data = nullptr;
    IP_OPTION_INFORMATION Options;
};
using ICMP_ECHO_REPLY = EchoReplyRecord<IPAddr>;

// The round trip of a reply record in microseconds: RoundTripTime and the microseconds kept in Reserved.
template <class Record> std::chrono::microseconds recordRoundTrip(const Record& reply) {
    return std::chrono::milliseconds(reply.RoundTripTime) +
           std::chrono::microseconds(std::min<std::uint16_t>(reply.Reserved, 999));
}

// How many bytes a reply buffer needs for a request of `requestSize` data bytes: the reply record plus
// the echoed data. The record is sizeof(ICMP_ECHO_REPLY) here (40 bytes on 64-bit Linux, not the 28 of a
// 32-bit system), so callers size their buffers with this function rather than with a fixed 28.
constexpr std::size_t IcmpReplySize(std::size_t requestSize) {
    return sizeof(ICMP_ECHO_REPLY) + requestSize;
}

// Writes `outcome` at the start of `replyBuffer` as IcmpSendEcho does and answers the number of replies
// written (1 or 0). A failure leaves a record whose Status holds the reason. A buffer too small for the
// record is left untouched (0); one too small for the returned data gets Status IP_BUF_TOO_SMALL (0).
std::uint32_t writeEchoReply(std::span<std::byte> replyBuffer, const EchoOutcome& outcome);

// Reads the record at the start of a reply buffer (std::nullopt when the buffer is too small), and the
// returned data it points to, checked to lie inside the buffer (empty otherwise).
std::optional<ICMP_ECHO_REPLY> readEchoReply(std::span<const std::byte> replyBuffer);
std::span<const std::byte> echoReplyData(const ICMP_ECHO_REPLY& reply,
                                         std::span<const std::byte> replyBuffer);

// The IPv6 twin of ICMP_ECHO_REPLY, written by Icmp6SendEcho2. `Address` is the responder (AF_INET6, ::
// for a failure without an answer); `Options.Ttl` is the reply's hop limit, `Options.Tos` its traffic
// class. Unlike the platform's own IPv6 record this one keeps DataSize and the hop limit, which the ping
// rows show.
using ICMPV6_ECHO_REPLY = EchoReplyRecord<sockaddr_in6>;

constexpr std::size_t Icmp6ReplySize(std::size_t requestSize) {
    return sizeof(ICMPV6_ECHO_REPLY) + requestSize;
}

// writeEchoReply, readEchoReply and echoReplyData for the IPv6 record.
std::uint32_t writeEcho6Reply(std::span<std::byte> replyBuffer, const EchoOutcome& outcome);
std::optional<ICMPV6_ECHO_REPLY> readEcho6Reply(std::span<const std::byte> replyBuffer);
std::span<const std::byte> echoReplyData(const ICMPV6_ECHO_REPLY& reply,
                                         std::span<const std::byte> replyBuffer);

} // namespace vantrel::net
