#include "net/ResolvePolicy.h"

#include "net/WinsockErrors.h"

namespace vantrel::net {

int literalRefusal(const IpAddress& address, ResolvePolicy policy) {
    const bool refused = (policy == ResolvePolicy::Ipv4Only && address.isV6()) ||
                         (policy == ResolvePolicy::Ipv6Only && address.isV4());
    return refused ? WSANO_DATA : 0;
}

} // namespace vantrel::net
