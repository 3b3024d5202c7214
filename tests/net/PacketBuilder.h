#pragma once

// Crafts IPv4 packets carrying ICMP messages, as a raw socket would receive them, and the IPv6 packets
// ICMPv6 errors quote, for the parsing tests.

#include "net/IcmpPacket.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel::test {

inline void putU16(std::vector<std::byte>& bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = std::byte(value >> 8);
    bytes[offset + 1] = std::byte(value & 0xff);
}

inline void putAddress(std::vector<std::byte>& bytes, std::size_t offset, net::IPAddr address) {
    const auto* raw = reinterpret_cast<const std::byte*>(&address);
    std::copy(raw, raw + 4, bytes.begin() + std::ptrdiff_t(offset));
}

// An IPv4 header of `headerSize` bytes (options zero-filled) followed by `payload`.
inline std::vector<std::byte> ipv4Packet(net::IPAddr source, net::IPAddr destination,
                                         const std::vector<std::byte>& payload, std::uint8_t ttl = 64,
                                         std::size_t headerSize = 20, std::uint8_t protocol = 1) {
    std::vector<std::byte> packet(headerSize);
    packet[0] = std::byte(0x40 | (headerSize / 4));
    putU16(packet, 2, std::uint16_t(headerSize + payload.size()));
    packet[8] = std::byte{ttl};
    packet[9] = std::byte{protocol};
    putAddress(packet, 12, source);
    putAddress(packet, 16, destination);
    packet.insert(packet.end(), payload.begin(), payload.end());
    return packet;
}

// An ICMP message with a correct checksum.
inline std::vector<std::byte> icmpMessage(std::uint8_t type, std::uint8_t code, std::uint16_t identifier,
                                          std::uint16_t sequence, const std::vector<std::byte>& body) {
    std::vector<std::byte> message(8);
    message[0] = std::byte{type};
    message[1] = std::byte{code};
    putU16(message, 4, identifier);
    putU16(message, 6, sequence);
    message.insert(message.end(), body.begin(), body.end());
    putU16(message, 2, net::internetChecksum(message));
    return message;
}

// An ICMP error of `type`/`code` from `router` to `us`, quoting `quotedPacket` (an IP packet we sent).
inline std::vector<std::byte> icmpError(net::IPAddr router, net::IPAddr us, std::uint8_t type,
                                        std::uint8_t code, const std::vector<std::byte>& quotedPacket) {
    return ipv4Packet(router, us, icmpMessage(type, code, 0, 0, quotedPacket));
}

// An IPv6 header (no extension headers) followed by `payload`, as an ICMPv6 error quotes our request.
inline std::vector<std::byte> ipv6Packet(const net::IpAddress& source, const net::IpAddress& destination,
                                         const std::vector<std::byte>& payload,
                                         std::uint8_t nextHeader = 58) {
    std::vector<std::byte> packet(40);
    packet[0] = std::byte{0x60};
    putU16(packet, 4, std::uint16_t(payload.size()));
    packet[6] = std::byte{nextHeader};
    packet[7] = std::byte{64};
    const auto copy = [&packet](const net::IpAddress& address, std::size_t offset) {
        const auto& bytes = address.v6();
        std::transform(bytes.begin(), bytes.end(), packet.begin() + std::ptrdiff_t(offset),
                       [](std::uint8_t b) { return std::byte{b}; });
    };
    copy(source, 8);
    copy(destination, 24);
    packet.insert(packet.end(), payload.begin(), payload.end());
    return packet;
}

inline std::vector<std::byte> bytesOf(const char* text) {
    std::vector<std::byte> bytes;
    for (const char* c = text; *c; ++c)
        bytes.push_back(std::byte(*c));
    return bytes;
}

} // namespace vantrel::test
