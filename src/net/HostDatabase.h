#pragma once

#include "net/HostEntry.h"
#include "net/ResolvePolicy.h"

#include <string>
#include <vector>

namespace vantrel::net {

// The name service every lookup of the program goes through: the system's resolver in the program
// (SystemHostDatabase), a scripted one in tests (tests/support/FakeHostDatabase). Lookups block and must
// be safe to call from several threads at once.
class HostDatabase {
public:
    virtual ~HostDatabase() = default;
    // The entry of a name under the policy, made of the lookups below, so that every name service obeys
    // the policies alike. When no family gives an address the error is that of the IPv4 lookup (of the
    // IPv6 one under Ipv6Only).
    HostLookupResult hostByName(const std::string& name, ResolvePolicy policy = ResolvePolicy::Ipv4Only);
    virtual HostLookupResult hostByAddress(const IpAddress& address) = 0;
    // A socket-library code when the service cannot take asynchronous requests now, else 0.
    virtual int refusal() { return 0; }

private:
    // The entry of a name with addresses of one family; for IPv4 the classic lookup.
    virtual HostLookupResult hostByNameIn(const std::string& name, IpFamily family) = 0;
    // A name's addresses of both families in the order the system prefers for connecting; empty when it
    // cannot tell.
    virtual std::vector<IpAddress> preferredOrder(const std::string& name) = 0;

    HostLookupResult bothFamilies(const std::string& name);
};

} // namespace vantrel::net
