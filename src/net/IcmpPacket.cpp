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
                                        std::span<const std::byte> data) {
    std::vector<std::byte> message(kIcmpHeaderSize + data.size());
    message[0] = std::byte{kIcmpEchoRequest};
    message[4] = std::byte(identifier >> 8);
    message[5] = std::byte(identifier & 0xff);
    message[6] = std::byte(sequence >> 8);
    message[7] = std::byte(sequence & 0xff);
    std::copy(data.begin(), data.end(), message.begin() + kIcmpHeaderSize);
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
    answer.from = outer->source;
    answer.type = byteAt(icmp, 0);
    answer.code = byteAt(icmp, 1);
    answer.ttl = outer->ttl;
    answer.tos = outer->tos;

    if (answer.type == kIcmpEchoReply) {
        answer.sequence = u16At(icmp, 6);
        const std::optional<EchoProbe> probe = probes(answer.sequence);
        if (!probe || u16At(icmp, 4) != probe->identifier)
            return std::nullopt;
        answer.data = icmp.subspan(kIcmpHeaderSize);
        return answer;
    }
    if (!isErrorType(answer.type))
        return std::nullopt;

    // The error quotes the IP header of our request and at least the first 8 bytes of its ICMP message.
    const std::optional<Ipv4View> inner = viewIpv4(icmp.subspan(kIcmpHeaderSize), true);
    if (!inner || inner->protocol != kIpProtocolIcmp)
        return std::nullopt;
    const std::span<const std::byte> request = inner->payload;
    if (request.size() < kIcmpHeaderSize || byteAt(request, 0) != kIcmpEchoRequest)
        return std::nullopt;
    answer.sequence = u16At(request, 6);
    const std::optional<EchoProbe> probe = probes(answer.sequence);
    if (!probe || inner->destination != probe->destination || u16At(request, 4) != probe->identifier)
        return std::nullopt;
    return answer;
}

std::optional<EchoAnswer> matchDatagramReply(std::span<const std::byte> message, IPAddr from,
                                             const EchoProbe& probe) {
    return matchDatagramReply(message, from, only(probe));
}

std::optional<EchoAnswer> matchDatagramReply(std::span<const std::byte> message, IPAddr from,
                                             const ProbeLookup& probes) {
    if (message.size() < kIcmpHeaderSize || byteAt(message, 0) != kIcmpEchoReply ||
        !probes(u16At(message, 6)))
        return std::nullopt;
    EchoAnswer answer;
    answer.from = from;
    answer.sequence = u16At(message, 6);
    answer.type = kIcmpEchoReply;
    answer.data = message.subspan(kIcmpHeaderSize);
    return answer;
}

bool quotesProbe(std::span<const std::byte> quoted, IPAddr quotedDestination, const EchoProbe& probe) {
    return quotedProbe(quoted, quotedDestination, only(probe)).has_value();
}

std::optional<std::uint16_t> quotedProbe(std::span<const std::byte> quoted, IPAddr quotedDestination,
                                         const ProbeLookup& probes) {
    if (quoted.size() < kIcmpHeaderSize || byteAt(quoted, 0) != kIcmpEchoRequest)
        return std::nullopt;
    const std::uint16_t sequence = u16At(quoted, 6);
    const std::optional<EchoProbe> probe = probes(sequence);
    if (!probe || quotedDestination != probe->destination)
        return std::nullopt;
    return sequence;
}

} // namespace vantrel::net
