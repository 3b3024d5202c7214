#include "net/AddressText.h"

#include "net/WinsockErrors.h"

#include <arpa/inet.h>
#include <array>
#include <cstdint>
#include <cstring>
#include <netinet/in.h>
#include <unistd.h>

namespace vantrel::net {

IPAddr inet_addr(std::string_view text) {
    const std::string terminated(text.substr(0, text.find('\0')));
    return ::inet_addr(terminated.c_str());
}

std::string inet_ntoa(IPAddr address) {
    std::array<char, INET_ADDRSTRLEN> text{};
    ::inet_ntop(AF_INET, &address, text.data(), text.size());
    return text.data();
}

QString dottedAddress(IPAddr address) {
    // The address is in network byte order: its first octet is its first byte in memory.
    std::array<std::uint8_t, 4> octets{};
    std::memcpy(octets.data(), &address, octets.size());
    std::array<char16_t, 15> text{};
    std::size_t length = 0;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        if (i != 0)
            text[length++] = u'.';
        const unsigned octet = octets[i];
        if (octet >= 100)
            text[length++] = char16_t(u'0' + octet / 100);
        if (octet >= 10)
            text[length++] = char16_t(u'0' + octet / 10 % 10);
        text[length++] = char16_t(u'0' + octet % 10);
    }
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(length));
}

std::optional<std::string> gethostname() {
    std::array<char, 256> name{};
    if (::gethostname(name.data(), name.size() - 1) != 0) {
        WSASetLastError(WSAEINVAL);
        return std::nullopt;
    }
    return std::string(name.data());
}

} // namespace vantrel::net
