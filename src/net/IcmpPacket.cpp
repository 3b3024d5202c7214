#include "net/IcmpPacket.h"

#include <cstring>

namespace vantrel::net {

namespace {

std::uint8_t byteAt(std::span<const std::byte> bytes, std::size_t offset) {
    return std::to_integer<std::uint8_t>(bytes[offset]);
}

std::uint16_t u16At(std::span<const std::byte> bytes, std::size_t offset) {
    return std::uint16_t(byteAt(bytes, offset) << 8 | byteAt(bytes, offset + 1));
}

// Kept in network byte order, as addresses are everywhere else.
IPAddr addressAt(std::span<const std::byte> bytes, std::size_t offset) {
    IPAddr address = 0;
    std::memcpy(&address, bytes.data() + offset, sizeof address);
    return address;
}

// The part of `bytes` that is an IPv4 packet's payload, with the header's facts, or nothing when the
// header is not a sound IPv4 header (version, header length, total length).
struct Ipv4View {
    std::size_t headerSize = 0;
    std::uint8_t tos = 0;
    std::uint8_t ttl = 0;
    std::uint8_t protocol = 0;
    IPAddr source = 0;
    IPAddr destination = 0;
    std::span<const std::byte> payload;
};

std::optional<Ipv4View> viewIpv4(std::span<const std::byte> bytes, bool quoted) {
    if (bytes.size() < kIpv4MinHeaderSize)
        return std::nullopt;
    const std::uint8_t versionAndLength = byteAt(bytes, 0);
    if (versionAndLength >> 4 != 4)
        return std::nullopt;
    Ipv4View view;
    view.headerSize = std::size_t(versionAndLength & 0x0f) * 4;
    if (view.headerSize < kIpv4MinHeaderSize || view.headerSize > bytes.size())
        return std::nullopt;
    // A quoted header keeps the total length of the original packet, of which only the start is quoted;
    // a received packet is cut to its total length (link layers may pad).
    std::size_t end = bytes.size();
    const std::size_t totalLength = u16At(bytes, 2);
    if (!quoted) {
        if (totalLength < view.headerSize)
            return std::nullopt;
        if (totalLength < end)
            end = totalLength;
    }
    view.tos = byteAt(bytes, 1);
    view.ttl = byteAt(bytes, 8);
    view.protocol = byteAt(bytes, 9);
    view.source = addressAt(bytes, 12);
    view.destination = addressAt(bytes, 16);
    view.payload = bytes.subspan(view.headerSize, end - view.headerSize);
    return view;
}

bool isErrorType(std::uint8_t type) {
    return type == kIcmpDestUnreachable || type == kIcmpSourceQuench || type == kIcmpTimeExceeded ||
           type == kIcmpParameterProblem;
}

// What an ICMPv6 error quotes of our request: the destination of its IPv6 header and what follows the
// header chain, when the quote is the start of a sound IPv6 packet whose chain reaches an ICMPv6 header.
struct Ipv6Quote {
    IpAddress::V6Bytes destination{};
    std::span<const std::byte> icmp;
};

std::optional<Ipv6Quote> viewQuotedIpv6(std::span<const std::byte> bytes) {
    if (bytes.size() < kIpv6HeaderSize || byteAt(bytes, 0) >> 4 != 6)
        return std::nullopt;
    Ipv6Quote quote;
    std::memcpy(quote.destination.data(), bytes.data() + 24, quote.destination.size());
    // Our requests carry no extension headers, but the kernel adds a fragment header to one it fragments.
    std::uint8_t next = byteAt(bytes, 6);
    std::size_t offset = kIpv6HeaderSize;
    while (next != kIpProtocolIcmp6) {
        if (offset + 8 > bytes.size())
            return std::nullopt;
        std::size_t length = 8;
        switch (next) {
        case 0:  // hop-by-hop options
        case 43: // routing
        case 60: // destination options
            length = (std::size_t(byteAt(bytes, offset + 1)) + 1) * 8;
            break;
        case 44: // fragment: only the first fragment holds the ICMPv6 header
            if ((u16At(bytes, offset + 2) & 0xfff8) != 0)
                return std::nullopt;
            break;
        default:
            return std::nullopt;
        }
        next = byteAt(bytes, offset);
        offset += length;
    }
    if (offset > bytes.size())
        return std::nullopt;
    quote.icmp = bytes.subspan(offset);
    return quote;
}

// Whether two addresses name the same host. The scope of an IPv6 address is left out: a quoted header
// has none.
bool sameHost(const IpAddress& a, const IpAddress& b) {
    if (a.family() != b.family())
        return false;
    return a.isV4() ? a.v4() == b.v4() : a.v6() == b.v6();
}

// The probe that `request` is: an echo request of the destination's family, sent to `destination` with a
// sequence we are waiting for. Its identifier is left to the caller.
std::optional<EchoProbe> probeOfRequest(std::span<const std::byte> request, const IpAddress& destination,
                                        const ProbeLookup& probes) {
    const std::uint8_t requestType = destination.isV4() ? kIcmpEchoRequest : kIcmp6EchoRequest;
    if (request.size() < kIcmpHeaderSize || byteAt(request, 0) != requestType)
        return std::nullopt;
    std::optional<EchoProbe> probe = probes(u16At(request, 6));
    if (!probe || !sameHost(destination, probe->destination))
        return std::nullopt;
    return probe;
}

// `answer` completed by the echo reply `icmp`, when it carries the identifier and sequence of a probe.
std::optional<EchoAnswer> takeEchoReply(EchoAnswer answer, std::span<const std::byte> icmp,
                                        const ProbeLookup& probes) {
    answer.sequence = u16At(icmp, 6);
    const std::optional<EchoProbe> probe = probes(answer.sequence);
    if (!probe || u16At(icmp, 4) != probe->identifier)
        return std::nullopt;
    answer.data = icmp.subspan(kIcmpHeaderSize);
    return answer;
}

// `answer` completed by the quoted `request`, when it is a probe's to `destination` with its identifier.
std::optional<EchoAnswer> takeQuotedRequest(EchoAnswer answer, std::span<const std::byte> request,
                                            const IpAddress& destination, const ProbeLookup& probes) {
    const std::optional<EchoProbe> probe = probeOfRequest(request, destination, probes);
    if (!probe || u16At(request, 4) != probe->identifier)
        return std::nullopt;
    answer.sequence = u16At(request, 6);
    return answer;
}

} // namespace

std::uint16_t internetChecksum(std::span<const std::byte> bytes) {
    std::uint32_t sum = 0;
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2)
        sum += u16At(bytes, i);
    if (i < bytes.size())
        sum += std::uint32_t(byteAt(bytes, i)) << 8;
    while (sum >> 16)
        sum = (sum & 0xffff) + (sum >> 16);
    return std::uint16_t(~sum);
}

std::vector<std::byte> buildEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                                        std::span<const std::byte> data, IpFamily family) {
    std::vector<std::byte> message(kIcmpHeaderSize + data.size());
    message[0] = std::byte{family == IpFamily::V4 ? kIcmpEchoRequest : kIcmp6EchoRequest};
    message[4] = std::byte(identifier >> 8);
    message[5] = std::byte(identifier & 0xff);
    message[6] = std::byte(sequence >> 8);
    message[7] = std::byte(sequence & 0xff);
    std::copy(data.begin(), data.end(), message.begin() + kIcmpHeaderSize);
    if (family == IpFamily::V6)
        return message;
    const std::uint16_t checksum = internetChecksum(message);
    message[2] = std::byte(checksum >> 8);
    message[3] = std::byte(checksum & 0xff);
    return message;
}

namespace {

ProbeLookup only(const EchoProbe& probe) {
    return [&probe](std::uint16_t sequence) {
        return sequence == probe.sequence ? std::optional(probe) : std::nullopt;
    };
}

} // namespace

std::optional<EchoAnswer> matchRawPacket(std::span<const std::byte> packet, const EchoProbe& probe) {
    return matchRawPacket(packet, only(probe));
}

std::optional<EchoAnswer> matchRawPacket(std::span<const std::byte> packet, const ProbeLookup& probes) {
    const std::optional<Ipv4View> outer = viewIpv4(packet, false);
    if (!outer || outer->protocol != kIpProtocolIcmp)
        return std::nullopt;
    const std::span<const std::byte> icmp = outer->payload;
    if (icmp.size() < kIcmpHeaderSize || internetChecksum(icmp) != 0)
        return std::nullopt;

    EchoAnswer answer;
    answer.from = IpAddress::fromV4(outer->source);
    answer.type = byteAt(icmp, 0);
    answer.code = byteAt(icmp, 1);
    answer.ttl = outer->ttl;
    answer.tos = outer->tos;

    if (answer.type == kIcmpEchoReply)
        return takeEchoReply(answer, icmp, probes);
    if (!isErrorType(answer.type))
        return std::nullopt;

    // The error quotes the IP header of our request and at least the first 8 bytes of its ICMP message.
    const std::optional<Ipv4View> inner = viewIpv4(icmp.subspan(kIcmpHeaderSize), true);
    if (!inner || inner->protocol != kIpProtocolIcmp)
        return std::nullopt;
    return takeQuotedRequest(answer, inner->payload, IpAddress::fromV4(inner->destination), probes);
}

std::optional<EchoAnswer> matchRaw6Message(std::span<const std::byte> message, const IpAddress& from,
                                           const EchoProbe& probe) {
    return matchRaw6Message(message, from, only(probe));
}

std::optional<EchoAnswer> matchRaw6Message(std::span<const std::byte> message, const IpAddress& from,
                                           const ProbeLookup& probes) {
    if (message.size() < kIcmpHeaderSize)
        return std::nullopt;
    EchoAnswer answer;
    answer.from = from;
    answer.type = byteAt(message, 0);
    answer.code = byteAt(message, 1);
    if (answer.type == kIcmp6EchoReply)
        return takeEchoReply(answer, message, probes);
    if (answer.type < kIcmp6DestUnreachable || answer.type > kIcmp6ParameterProblem)
        return std::nullopt;
    const std::optional<Ipv6Quote> quote = viewQuotedIpv6(message.subspan(kIcmpHeaderSize));
    if (!quote)
        return std::nullopt;
    return takeQuotedRequest(answer, quote->icmp, IpAddress::fromV6(quote->destination), probes);
}

std::optional<EchoAnswer> matchDatagramReply(std::span<const std::byte> message, const IpAddress& from,
                                             const EchoProbe& probe) {
    return matchDatagramReply(message, from, only(probe));
}

std::optional<EchoAnswer> matchDatagramReply(std::span<const std::byte> message, const IpAddress& from,
                                             const ProbeLookup& probes) {
    const std::uint8_t replyType = from.isV4() ? kIcmpEchoReply : kIcmp6EchoReply;
    if (message.size() < kIcmpHeaderSize || byteAt(message, 0) != replyType || !probes(u16At(message, 6)))
        return std::nullopt;
    EchoAnswer answer;
    answer.from = from;
    answer.sequence = u16At(message, 6);
    answer.type = replyType;
    answer.data = message.subspan(kIcmpHeaderSize);
    return answer;
}

bool quotesProbe(std::span<const std::byte> quoted, const IpAddress& quotedDestination,
                 const EchoProbe& probe) {
    return quotedProbe(quoted, quotedDestination, only(probe)).has_value();
}

std::optional<std::uint16_t> quotedProbe(std::span<const std::byte> quoted,
                                         const IpAddress& quotedDestination, const ProbeLookup& probes) {
    if (!probeOfRequest(quoted, quotedDestination, probes))
        return std::nullopt;
    return u16At(quoted, 6);
}

} // namespace vantrel::net
