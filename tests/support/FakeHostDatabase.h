#pragma once

#include "net/CWinsock.h"
#include "net/HostDatabase.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vantrel::test {

// A scripted name service behind the HostDatabase seam. Names and addresses answer what was added for
// them; anything else is WSAHOST_NOT_FOUND. Lookups can be held back (hold/release) so a test decides when
// an asynchronous lookup finishes. Thread-safe.
//
//   auto names = std::make_shared<FakeHostDatabase>();
//   names->addHost({"example.org", {"www.example.org"}, {address("10.0.0.1")}});
//   names->addNameError("nowhere.test", net::WSATRY_AGAIN);
class FakeHostDatabase final : public net::HostDatabase {
public:
    // Answers the entry for its official name, every alias, and (reverse) its every address.
    void addHost(const net::HostEntry& entry);
    void addNameError(const std::string& name, int error);
    void addAddressError(net::IPAddr address, int error);
    // Asynchronous requests are refused with this code while it is not 0.
    void refuseRequests(int error);

    // While held, lookups wait until release() (or until the database is destroyed).
    void hold();
    void release();

    std::vector<std::string> namesAsked() const;
    std::vector<net::IPAddr> addressesAsked() const;

    net::HostLookupResult hostByName(const std::string& name) override;
    net::HostLookupResult hostByAddress(net::IPAddr address) override;
    int refusal() override;

    ~FakeHostDatabase() override { release(); }

private:
    void waitWhileHeld(std::unique_lock<std::mutex>& lock);

    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_held = false;
    int m_refusal = 0;
    std::map<std::string, net::HostLookupResult> m_byName;
    std::map<net::IPAddr, net::HostLookupResult> m_byAddress;
    std::vector<std::string> m_namesAsked;
    std::vector<net::IPAddr> m_addressesAsked;
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
