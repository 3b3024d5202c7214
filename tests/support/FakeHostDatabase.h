#pragma once

#include "net/CWinsock.h"
#include "net/HostDatabase.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vantrel::test {

// The address of a literal of either family (a test's own, so it parses).
inline net::IpAddress ipAddress(const char* text) {
    return net::IpAddress::parse(text).value();
}

// An address of a scripted host: an IPAddr as test::address gives it (IPv4), or any IpAddress.
struct FakeAddress {
    FakeAddress(net::IPAddr v4)
        : address(net::IpAddress::fromV4(v4)) {}
    FakeAddress(const net::IpAddress& any)
        : address(any) {}
    net::IpAddress address;
};

// A scripted host, its addresses of both families in the order the system prefers them.
struct FakeHost {
    std::string h_name;
    std::vector<std::string> h_aliases;
    std::vector<FakeAddress> h_addr_list;

    // The entry as scripted, every address in it.
    net::HostEntry entry() const;
};

// A scripted name service behind the HostDatabase seam. Names and addresses answer what was added for
// them; anything else is WSAHOST_NOT_FOUND. A name's lookup in one family gives the host's addresses of
// that family, WSANO_DATA when it has none; the policies combine those lookups as for the system's
// resolver, and SystemOrder takes the scripted order. A reverse lookup gives the host with the addresses
// of the family asked. Lookups can be held back (hold/release) so a test decides when an asynchronous
// lookup finishes. Thread-safe.
//
//   auto names = std::make_shared<FakeHostDatabase>();
//   names->addHost({"example.org", {"www.example.org"}, {address("10.0.0.1"), ipAddress("fd00::1")}});
//   names->addNameError("nowhere.test", net::WSATRY_AGAIN);
class FakeHostDatabase final : public net::HostDatabase {
public:
    // Answers the host for its official name, every alias, and (reverse) its every address.
    void addHost(const FakeHost& host);
    // Every lookup of the name fails with the code, in either family.
    void addNameError(const std::string& name, int error);
    void addAddressError(const FakeAddress& address, int error);
    // Asynchronous requests are refused with this code while it is not 0.
    void refuseRequests(int error);

    // While held, lookups wait until release() (or until the database is destroyed).
    void hold();
    void release();

    // Every lookup of a name, one per family asked.
    std::vector<std::string> namesAsked() const;
    std::vector<net::IpAddress> addressesAsked() const;

    net::HostLookupResult hostByAddress(const net::IpAddress& address) override;
    int refusal() override;

    ~FakeHostDatabase() override { release(); }

private:
    net::HostLookupResult hostByNameIn(const std::string& name, net::IpFamily family) override;
    std::vector<net::IpAddress> preferredOrder(const std::string& name) override;
    void waitWhileHeld(std::unique_lock<std::mutex>& lock);

    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_held = false;
    int m_refusal = 0;
    // Scripted answers with the addresses of both families; keyed by name, and by address text.
    std::map<std::string, net::HostLookupResult> m_byName;
    std::map<std::string, net::HostLookupResult> m_byAddress;
    std::vector<std::string> m_namesAsked;
    std::vector<net::IpAddress> m_addressesAsked;
};

// What the socket library reports of itself, with its "Running" status and Linux's limits.
inline net::WSADATA winsockData(std::uint16_t version, const QString& description) {
    net::WSADATA data;
    data.wVersion = version;
    data.szDescription = description;
    data.szSystemStatus = QStringLiteral("Running");
    data.iMaxSockets = 1048576;
    data.iMaxUdpDg = 65507;
    return data;
}

} // namespace vantrel::test
