#include "net/SystemHostDatabase.h"

#include "net/WinsockErrors.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <netdb.h>
#include <sys/socket.h>

namespace vantrel::net {

namespace {

// The resolver's scratch space grows until the answer fits; beyond this an answer is not believable.
constexpr std::size_t kMaxScratch = 1 << 20;

using ReentrantLookup = std::function<int(hostent*, char*, std::size_t, hostent**, int*)>;

HostLookupResult resolve(const ReentrantLookup& lookup) {
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
    if (found->h_addrtype != AF_INET || found->h_length != int(sizeof(IPAddr))) {
        answer.error = WSANO_DATA;
        return answer;
    }
    answer.entry.h_name = found->h_name ? found->h_name : "";
    for (char** alias = found->h_aliases; alias && *alias; ++alias)
        answer.entry.h_aliases.emplace_back(*alias);
    for (char** address = found->h_addr_list; address && *address; ++address) {
        IPAddr value;
        std::memcpy(&value, *address, sizeof value);
        answer.entry.h_addr_list.push_back(value);
    }
    if (answer.entry.h_addr_list.empty())
        answer.error = WSANO_DATA;
    return answer;
}

} // namespace

HostLookupResult SystemHostDatabase::hostByName(const std::string& name) {
    // The resolver reads a C string: a name with a NUL inside would be looked up cut short.
    if (name.find('\0') != std::string::npos)
        return {WSAHOST_NOT_FOUND, {}};
    return resolve([&](hostent* entry, char* scratch, std::size_t size, hostent** found, int* error) {
        return ::gethostbyname_r(name.c_str(), entry, scratch, size, found, error);
    });
}

HostLookupResult SystemHostDatabase::hostByAddress(IPAddr address) {
    return resolve([&](hostent* entry, char* scratch, std::size_t size, hostent** found, int* error) {
        return ::gethostbyaddr_r(&address, sizeof address, AF_INET, entry, scratch, size, found, error);
    });
}

} // namespace vantrel::net
