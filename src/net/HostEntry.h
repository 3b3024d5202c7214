#pragma once

#include "net/IcmpRecords.h"

#include <string>
#include <vector>

namespace vantrel::net {

// A host as the name service describes it. Names are in the system's 8-bit encoding, as the resolver
// gives them; addresses are IPv4 in network byte order, the first being the one operations use.
struct HostEntry {
    std::string h_name;
    std::vector<std::string> h_aliases;
    std::vector<IPAddr> h_addr_list;

    bool operator==(const HostEntry&) const = default;
};

// The answer of one lookup: the entry, or a socket-library error code (WSAHOST_NOT_FOUND, ...).
struct HostLookupResult {
    int error = 0;
    HostEntry entry;

    bool succeeded() const { return error == 0; }
};

} // namespace vantrel::net
