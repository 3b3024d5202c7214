#pragma once

#include "net/IpAddress.h"

namespace vantrel::net {

// Which address families a name lookup gives, and in what order. The numbers are the AddressFamily
// option's values.
enum class ResolvePolicy {
    Ipv4ThenIpv6 = 0, // IPv4; IPv6 only for a name that has no IPv4 address
    Both = 1,         // both families, IPv4 first
    SystemOrder = 2,  // both families, in the order the system prefers for connecting (RFC 6724)
    Ipv4Only = 3,     // the classic lookup, IPv4 alone
    Ipv6Only = 4,
};

// 0 when a typed address may be used under the policy, else the code its lookup fails with (WSANO_DATA):
// an IPv6 address under Ipv4Only, an IPv4 address under Ipv6Only.
int literalRefusal(const IpAddress& address, ResolvePolicy policy);

} // namespace vantrel::net
