#pragma once

#include "net/IcmpRecords.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <variant>

namespace vantrel::net {

enum class IpFamily { V4, V6 };

// An IPv4 or an IPv6 address, as a value. An IPv6 address keeps the interface its scope needs (a
// link-local address is only meaningful on one link); IPv4 ones are the IPAddr the echo service takes.
class IpAddress {
public:
    using V6Bytes = std::array<std::uint8_t, 16>;

    IpAddress() = default; // 0.0.0.0
    static IpAddress fromV4(IPAddr address) { return IpAddress(address); }
    // An IPv4-mapped address (::ffff:a.b.c.d) becomes the IPv4 address it carries.
    static IpAddress fromV6(const V6Bytes& bytes, std::uint32_t scopeId = 0);

    // A typed address: first every IPv4 form inet_addr takes, exactly as it takes them (255.255.255.255 is
    // no address there, nor here); then IPv6, with or without one pair of brackets, with `%interface`
    // (a name or an index) on a scoped address. Names are not looked up. The text ends at its first NUL.
    static std::optional<IpAddress> parse(std::string_view text);
    // The address of a socket address of either family; none for another family or a short length.
    static std::optional<IpAddress> fromSockaddr(const sockaddr* address, socklen_t length);

    IpFamily family() const { return isV4() ? IpFamily::V4 : IpFamily::V6; }
    bool isV4() const { return std::holds_alternative<IPAddr>(m_value); }
    bool isV6() const { return !isV4(); }
    // Only for an IPv4 address.
    IPAddr v4() const { return std::get<IPAddr>(m_value); }
    // Only for an IPv6 address.
    const V6Bytes& v6() const { return std::get<V6>(m_value).bytes; }
    // The interface index of an IPv6 address's scope; 0 for none (and for IPv4).
    std::uint32_t scopeId() const { return isV4() ? 0 : std::get<V6>(m_value).scopeId; }

    // IPv4 dotted as inet_ntoa writes it; IPv6 as inet_ntop writes it, with `%` and the interface's name
    // (its index when it has none) for a scoped address.
    std::string text() const;
    QString toQString() const;

    // Fills `storage` with a sockaddr_in or sockaddr_in6 (port 0) and answers its length.
    socklen_t toSockaddr(sockaddr_storage& storage) const;

    bool operator==(const IpAddress&) const = default;

private:
    struct V6 {
        V6Bytes bytes{};
        std::uint32_t scopeId = 0;
        bool operator==(const V6&) const = default;
    };
    explicit IpAddress(IPAddr address)
        : m_value(address) {}
    explicit IpAddress(V6 address)
        : m_value(address) {}

    std::variant<IPAddr, V6> m_value{IPAddr{0}};
};

} // namespace vantrel::net
