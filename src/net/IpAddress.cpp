#include "net/IpAddress.h"

#include "net/AddressText.h"

#include <arpa/inet.h>
#include <cstring>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>

namespace vantrel::net {

namespace {

constexpr std::array<std::uint8_t, 12> kMappedPrefix{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};

std::optional<IpAddress> parseV6(const std::string& text) {
    addrinfo hints{};
    hints.ai_family = AF_INET6;
    hints.ai_flags = AI_NUMERICHOST; // a literal only: never a lookup
    addrinfo* found = nullptr;
    if (::getaddrinfo(text.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return std::nullopt;
    std::optional<IpAddress> address = IpAddress::fromSockaddr(found->ai_addr, found->ai_addrlen);
    ::freeaddrinfo(found);
    return address;
}

// Link-local unicast (fe80::/10) and interface- or link-local multicast: only these name an interface.
bool needsScope(const IpAddress::V6Bytes& bytes) {
    const bool linkLocal = bytes[0] == 0xfe && (bytes[1] & 0xc0) == 0x80;
    const bool localMulticast = bytes[0] == 0xff && (bytes[1] & 0x0f) <= 2;
    return linkLocal || localMulticast;
}

} // namespace

IpAddress IpAddress::fromV6(const V6Bytes& bytes, std::uint32_t scopeId) {
    if (std::equal(kMappedPrefix.begin(), kMappedPrefix.end(), bytes.begin())) {
        IPAddr mapped = 0;
        std::memcpy(&mapped, bytes.data() + kMappedPrefix.size(), sizeof mapped);
        return IpAddress(mapped);
    }
    // The resolver takes an index after any address; the kernel uses it only where the scope needs one.
    return IpAddress(V6{bytes, needsScope(bytes) ? scopeId : 0});
}

std::optional<IpAddress> IpAddress::parse(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    if (const IPAddr v4 = inet_addr(text); v4 != kInaddrNone)
        return IpAddress(v4);
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']')
        text = text.substr(1, text.size() - 2);
    // A colon is what every IPv6 literal has and no other text the resolver would take for one.
    if (text.find(':') == std::string_view::npos)
        return std::nullopt;
    return parseV6(std::string(text));
}

std::optional<IpAddress> IpAddress::fromSockaddr(const sockaddr* address, socklen_t length) {
    if (address == nullptr)
        return std::nullopt;
    if (address->sa_family == AF_INET && length >= socklen_t(sizeof(sockaddr_in))) {
        sockaddr_in v4{};
        std::memcpy(&v4, address, sizeof v4);
        return IpAddress(IPAddr(v4.sin_addr.s_addr));
    }
    if (address->sa_family == AF_INET6 && length >= socklen_t(sizeof(sockaddr_in6))) {
        sockaddr_in6 v6{};
        std::memcpy(&v6, address, sizeof v6);
        V6Bytes bytes{};
        std::memcpy(bytes.data(), &v6.sin6_addr, bytes.size());
        return fromV6(bytes, v6.sin6_scope_id);
    }
    return std::nullopt;
}

std::string IpAddress::text() const {
    if (isV4())
        return inet_ntoa(v4());
    std::array<char, INET6_ADDRSTRLEN> written{};
    ::inet_ntop(AF_INET6, v6().data(), written.data(), written.size());
    std::string text(written.data());
    if (const std::uint32_t scope = scopeId(); scope != 0) {
        std::array<char, IF_NAMESIZE> name{};
        text += '%';
        text += ::if_indextoname(scope, name.data()) != nullptr ? std::string(name.data())
                                                                : std::to_string(scope);
    }
    return text;
}

QString IpAddress::toQString() const {
    return isV4() ? dottedAddress(v4()) : QString::fromStdString(text());
}

socklen_t IpAddress::toSockaddr(sockaddr_storage& storage) const {
    storage = {};
    if (isV4()) {
        sockaddr_in v4address{};
        v4address.sin_family = AF_INET;
        v4address.sin_addr.s_addr = v4();
        std::memcpy(&storage, &v4address, sizeof v4address);
        return sizeof v4address;
    }
    sockaddr_in6 v6address{};
    v6address.sin6_family = AF_INET6;
    std::memcpy(&v6address.sin6_addr, v6().data(), v6().size());
    v6address.sin6_scope_id = scopeId();
    std::memcpy(&storage, &v6address, sizeof v6address);
    return sizeof v6address;
}

} // namespace vantrel::net
