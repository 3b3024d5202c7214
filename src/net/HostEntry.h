#pragma once

#include "net/IpAddress.h"

#include <string>
#include <vector>

namespace vantrel::net {

// A host as the name service describes it. Names are in the system's 8-bit encoding, as the resolver
// gives them; the first address is the one operations use.
struct HostEntry {
    std::string h_name;
    std::vector<std::string> h_aliases;
    std::vector<IpAddress> h_addr_list;

    // The family of the first address (IPv4 for an entry without one).
    IpFamily h_addrtype() const { return h_addr_list.empty() ? IpFamily::V4 : h_addr_list.front().family(); }

    bool operator==(const HostEntry&) const = default;
};

// The answer of one lookup: the entry, or a socket-library error code (WSAHOST_NOT_FOUND, ...).
struct HostLookupResult {
    int error = 0;
    HostEntry entry;

    bool succeeded() const { return error == 0; }
};

} // namespace vantrel::net
