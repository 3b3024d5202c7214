#include "ops/EchoCall.h"

#include <cstring>
#include <netinet/in.h>

namespace vantrel::ops {

net::IcmpHandle createEchoHandle(const net::IcmpApi& icmp, net::IpFamily family) {
    if (family == net::IpFamily::V4)
        return icmp.IcmpCreateFile();
    return icmp.Icmp6CreateFile ? icmp.Icmp6CreateFile() : net::INVALID_HANDLE_VALUE;
}

EchoAnswer sendEcho(const net::IcmpApi& icmp, net::IcmpHandle handle, const net::IpAddress& target,
                    std::span<const std::byte> data, const net::IP_OPTION_INFORMATION* options,
                    std::span<std::byte> replyBuffer, std::uint32_t timeoutMs) {
    std::uint32_t replies = 0;
    if (target.isV4()) {
        replies = icmp.IcmpSendEcho(handle, target.v4(), data, options, replyBuffer, timeoutMs);
    } else if (icmp.Icmp6SendEcho2) {
        sockaddr_storage storage{};
        target.toSockaddr(storage);
        sockaddr_in6 destination{};
        std::memcpy(&destination, &storage, sizeof destination);
        replies = icmp.Icmp6SendEcho2(handle, nullptr, destination, data, options, replyBuffer, timeoutMs);
    }
    return classifyEchoAnswer(replies, replyBuffer, target);
}

} // namespace vantrel::ops
