#pragma once

#include "net/HostDatabase.h"

namespace vantrel::net {

// The C library's resolver, its h_errno values mapped onto the socket-library codes: gethostbyname_r for
// IPv4 and gethostbyname2_r for IPv6 (entries with aliases, thread-safe), gethostbyaddr_r for either
// family, and getaddrinfo's order (RFC 6724) for a name with both.
class SystemHostDatabase final : public HostDatabase {
public:
    HostLookupResult hostByAddress(const IpAddress& address) override;

private:
    HostLookupResult hostByNameIn(const std::string& name, IpFamily family) override;
    std::vector<IpAddress> preferredOrder(const std::string& name) override;
};

} // namespace vantrel::net
