#include "net/SystemHostDatabase.h"

#include "net/WinsockErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace vantrel::net {

namespace {

// The resolver's scratch space grows until the answer fits; beyond this an answer is not believable.
constexpr std::size_t kMaxScratch = 1 << 20;

using ReentrantLookup = std::function<int(hostent*, char*, std::size_t, hostent**, int*)>;

IpAddress addressAt(const char* bytes, IpFamily family) {
    if (family == IpFamily::V4) {
        IPAddr value;
        std::memcpy(&value, bytes, sizeof value);
        return IpAddress::fromV4(value);
    }
    IpAddress::V6Bytes value;
    std::memcpy(value.data(), bytes, value.size());
    return IpAddress::fromV6(value);
}

// A lookup's entry, whose addresses must be of `family`.
HostLookupResult resolve(const ReentrantLookup& lookup, IpFamily family) {
    std::vector<char> scratch(2048);
    hostent entry{};
    hostent* found = nullptr;
    int hostError = 0;
    int result;
    while ((result = lookup(&entry, scratch.data(), scratch.size(), &found, &hostError)) == ERANGE &&
           scratch.size() < kMaxScratch)
        scratch.resize(scratch.size() * 2);

    HostLookupResult answer;
    if (result != 0 || found == nullptr) {
        answer.error = wsaCodeOfResolverError(hostError); // NETDB_INTERNAL (errors of the call) included
        return answer;
    }
    const bool v4 = family == IpFamily::V4;
    if (found->h_addrtype != (v4 ? AF_INET : AF_INET6) ||
        found->h_length != int(v4 ? sizeof(IPAddr) : sizeof(in6_addr))) {
        answer.error = WSANO_DATA;
        return answer;
    }
    answer.entry.h_name = found->h_name ? found->h_name : "";
    for (char** alias = found->h_aliases; alias && *alias; ++alias)
        answer.entry.h_aliases.emplace_back(*alias);
    for (char** address = found->h_addr_list; address && *address; ++address)
        answer.entry.h_addr_list.push_back(addressAt(*address, family));
    if (answer.entry.h_addr_list.empty())
        answer.error = WSANO_DATA;
    return answer;
}

} // namespace

HostLookupResult SystemHostDatabase::hostByNameIn(const std::string& name, IpFamily family) {
    // The resolver reads a C string: a name with a NUL inside would be looked up cut short.
    if (name.find('\0') != std::string::npos)
        return {WSAHOST_NOT_FOUND, {}};
    if (family == IpFamily::V4)
        return resolve(
            [&](hostent* entry, char* scratch, std::size_t size, hostent** found, int* error) {
                return ::gethostbyname_r(name.c_str(), entry, scratch, size, found, error);
            },
            family);
    return resolve(
        [&](hostent* entry, char* scratch, std::size_t size, hostent** found, int* error) {
            return ::gethostbyname2_r(name.c_str(), AF_INET6, entry, scratch, size, found, error);
        },
        family);
}

std::vector<IpAddress> SystemHostDatabase::preferredOrder(const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM; // one answer per address, not one per socket type
    addrinfo* found = nullptr;
    std::vector<IpAddress> order;
    if (name.find('\0') != std::string::npos || ::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0)
        return order;
    for (const addrinfo* each = found; each != nullptr; each = each->ai_next) {
        const std::optional<IpAddress> address = IpAddress::fromSockaddr(each->ai_addr, each->ai_addrlen);
        if (address && std::find(order.begin(), order.end(), *address) == order.end())
            order.push_back(*address);
    }
    ::freeaddrinfo(found);
    return order;
}

HostLookupResult SystemHostDatabase::hostByAddress(const IpAddress& address) {
    if (address.isV4()) {
        const IPAddr v4 = address.v4();
        return resolve(
            [&](hostent* entry, char* scratch, std::size_t size, hostent** found, int* error) {
                return ::gethostbyaddr_r(&v4, sizeof v4, AF_INET, entry, scratch, size, found, error);
            },
            IpFamily::V4);
    }
    // The interface of a scoped address is no part of its name.
    const IpAddress::V6Bytes& v6 = address.v6();
    return resolve(
        [&](hostent* entry, char* scratch, std::size_t size, hostent** found, int* error) {
            return ::gethostbyaddr_r(v6.data(), socklen_t(v6.size()), AF_INET6, entry, scratch, size, found,
                                     error);
        },
        IpFamily::V6);
}

} // namespace vantrel::net
