#include "net/AddressText.h"

#include "net/WinsockErrors.h"

#include <arpa/inet.h>
#include <array>
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

std::optional<std::string> gethostname() {
    std::array<char, 256> name{};
    if (::gethostname(name.data(), name.size() - 1) != 0) {
        WSASetLastError(WSAEINVAL);
        return std::nullopt;
    }
    return std::string(name.data());
}

} // namespace vantrel::net
