#include "net/HostDatabase.h"

#include <algorithm>

namespace vantrel::net {

namespace {

void addAlias(HostEntry& entry, const std::string& alias) {
    if (alias != entry.h_name &&
        std::find(entry.h_aliases.begin(), entry.h_aliases.end(), alias) == entry.h_aliases.end())
        entry.h_aliases.push_back(alias);
}

// Orders the addresses as `preferred` does; those it lacks keep their order after the others.
void sortByPreference(std::vector<IpAddress>& addresses, const std::vector<IpAddress>& preferred) {
    const auto rank = [&preferred](const IpAddress& address) {
        return std::find(preferred.begin(), preferred.end(), address) - preferred.begin();
    };
    std::stable_sort(addresses.begin(), addresses.end(),
                     [&rank](const IpAddress& a, const IpAddress& b) { return rank(a) < rank(b); });
}

} // namespace

HostLookupResult HostDatabase::hostByName(const std::string& name, ResolvePolicy policy) {
    switch (policy) {
    case ResolvePolicy::Ipv4ThenIpv6: {
        // Any failure of the IPv4 lookup counts: an IPv6-only name fails it with "no data", or with "try
        // again" when the hosts file has it and the name server, asked next, cannot be reached.
        HostLookupResult v4 = hostByNameIn(name, IpFamily::V4);
        if (v4.succeeded())
            return v4;
        HostLookupResult v6 = hostByNameIn(name, IpFamily::V6);
        return v6.succeeded() ? v6 : v4;
    }
    case ResolvePolicy::Both:
        return bothFamilies(name);
    case ResolvePolicy::SystemOrder: {
        HostLookupResult both = bothFamilies(name);
        std::vector<IpAddress>& addresses = both.entry.h_addr_list;
        // Only a mix of families has an order to ask for: the system keeps each family's own order.
        if (std::any_of(addresses.begin(), addresses.end(), [](const IpAddress& a) { return a.isV6(); }) &&
            std::any_of(addresses.begin(), addresses.end(), [](const IpAddress& a) { return a.isV4(); }))
            sortByPreference(addresses, preferredOrder(name));
        return both;
    }
    case ResolvePolicy::Ipv6Only:
        return hostByNameIn(name, IpFamily::V6);
    case ResolvePolicy::Ipv4Only:
        break;
    }
    return hostByNameIn(name, IpFamily::V4);
}

HostLookupResult HostDatabase::bothFamilies(const std::string& name) {
    HostLookupResult v4 = hostByNameIn(name, IpFamily::V4);
    HostLookupResult v6 = hostByNameIn(name, IpFamily::V6);
    if (!v6.succeeded())
        return v4;
    if (!v4.succeeded())
        return v6;
    HostEntry& entry = v4.entry;
    entry.h_addr_list.insert(entry.h_addr_list.end(), v6.entry.h_addr_list.begin(),
                             v6.entry.h_addr_list.end());
    // Every name either lookup knows the host by.
    addAlias(entry, v6.entry.h_name);
    for (const std::string& alias : v6.entry.h_aliases)
        addAlias(entry, alias);
    return v4;
}

} // namespace vantrel::net
