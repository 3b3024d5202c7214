#pragma once

#include "net/HostDatabase.h"

namespace vantrel::net {

// The C library's resolver (gethostbyname_r, gethostbyaddr_r: IPv4, with aliases, thread-safe), its
// h_errno values mapped onto the socket-library codes.
class SystemHostDatabase final : public HostDatabase {
public:
    HostLookupResult hostByName(const std::string& name) override;
    HostLookupResult hostByAddress(IPAddr address) override;
};

} // namespace vantrel::net
