#pragma once

namespace vantrel::settings {

// The option AddressFamily: which addresses a name lookup returns, and in which order. A literal
// address is taken as it is, but refused under the other family's "only".
enum class AddressFamily {
    Ipv4ThenIpv6 = 0, // the IPv4 addresses; the IPv6 ones only when the name has no IPv4 address
    Both = 1,         // the IPv4 addresses, then the IPv6 ones
    SystemOrder = 2,  // the addresses of both families in the system's order of preference (RFC 6724)
    Ipv4Only = 3,     // the IPv4 addresses only
    Ipv6Only = 4,     // the IPv6 addresses only
};
inline constexpr int kAddressFamilyCount = int(AddressFamily::Ipv6Only) + 1;

// The family the option's number stands for; a number out of range is corrected as the option is.
AddressFamily addressFamilyOf(int number);

} // namespace vantrel::settings
