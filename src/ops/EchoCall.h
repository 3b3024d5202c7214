#pragma once

#include "net/IcmpApi.h"
#include "net/IpAddress.h"
#include "ops/EchoAnswer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vantrel::ops {

// The one place the operations choose between the echo service's IPv4 entry points and their IPv6 twin:
// every request goes through sendEcho, every handle comes from createEchoHandle.

// The reply buffer a request of `requestSize` data bytes needs, to an address of either family.
constexpr std::size_t echoReplySize(std::size_t requestSize) {
    return std::max(net::IcmpReplySize(requestSize), net::Icmp6ReplySize(requestSize));
}

// A new echo handle of the family; INVALID_HANDLE_VALUE when none can be opened.
net::IcmpHandle createEchoHandle(const net::IcmpApi& icmp, net::IpFamily family);

// One echo request to `target` on `handle`, which must be of the target's family, classified. The
// record's returned data lies in `replyBuffer`.
EchoAnswer sendEcho(const net::IcmpApi& icmp, net::IcmpHandle handle, const net::IpAddress& target,
                    std::span<const std::byte> data, const net::IP_OPTION_INFORMATION* options,
                    std::span<std::byte> replyBuffer, std::uint32_t timeoutMs);

} // namespace vantrel::ops
