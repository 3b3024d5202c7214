#include "support/FakeHostDatabase.h"

#include "net/WinsockErrors.h"

namespace vantrel::test {

namespace {

// A scripted answer as a lookup in one family gives it (an entry scripted without addresses as it is).
net::HostLookupResult ofFamily(net::HostLookupResult answer, net::IpFamily family) {
    std::vector<net::IpAddress>& addresses = answer.entry.h_addr_list;
    if (std::erase_if(addresses, [family](const net::IpAddress& a) { return a.family() != family; }) != 0 &&
        addresses.empty())
        return {net::WSANO_DATA, {}};
    return answer;
}

} // namespace

net::HostEntry FakeHost::entry() const {
    net::HostEntry entry{h_name, h_aliases, {}};
    for (const FakeAddress& each : h_addr_list)
        entry.h_addr_list.push_back(each.address);
    return entry;
}

void FakeHostDatabase::addHost(const FakeHost& host) {
    std::lock_guard lock(m_mutex);
    const net::HostLookupResult found{0, host.entry()};
    m_byName[host.h_name] = found;
    for (const std::string& alias : host.h_aliases)
        m_byName[alias] = found;
    for (const FakeAddress& each : host.h_addr_list)
        m_byAddress[each.address.text()] = found;
}

void FakeHostDatabase::addNameError(const std::string& name, int error) {
    std::lock_guard lock(m_mutex);
    m_byName[name] = {error, {}};
}

void FakeHostDatabase::addAddressError(const FakeAddress& address, int error) {
    std::lock_guard lock(m_mutex);
    m_byAddress[address.address.text()] = {error, {}};
}

void FakeHostDatabase::refuseRequests(int error) {
    std::lock_guard lock(m_mutex);
    m_refusal = error;
}

void FakeHostDatabase::hold() {
    std::lock_guard lock(m_mutex);
    m_held = true;
}

void FakeHostDatabase::release() {
    {
        std::lock_guard lock(m_mutex);
        m_held = false;
    }
    m_released.notify_all();
}

std::vector<std::string> FakeHostDatabase::namesAsked() const {
    std::lock_guard lock(m_mutex);
    return m_namesAsked;
}

std::vector<net::IpAddress> FakeHostDatabase::addressesAsked() const {
    std::lock_guard lock(m_mutex);
    return m_addressesAsked;
}

void FakeHostDatabase::waitWhileHeld(std::unique_lock<std::mutex>& lock) {
    m_released.wait(lock, [this] { return !m_held; });
}

net::HostLookupResult FakeHostDatabase::hostByNameIn(const std::string& name, net::IpFamily family) {
    std::unique_lock lock(m_mutex);
    m_namesAsked.push_back(name);
    waitWhileHeld(lock);
    const auto found = m_byName.find(name);
    return found != m_byName.end() ? ofFamily(found->second, family)
                                   : net::HostLookupResult{net::WSAHOST_NOT_FOUND, {}};
}

std::vector<net::IpAddress> FakeHostDatabase::preferredOrder(const std::string& name) {
    std::lock_guard lock(m_mutex);
    const auto found = m_byName.find(name);
    return found != m_byName.end() ? found->second.entry.h_addr_list : std::vector<net::IpAddress>{};
}

net::HostLookupResult FakeHostDatabase::hostByAddress(const net::IpAddress& address) {
    std::unique_lock lock(m_mutex);
    m_addressesAsked.push_back(address);
    waitWhileHeld(lock);
    const auto found = m_byAddress.find(address.text());
    return found != m_byAddress.end() ? ofFamily(found->second, address.family())
                                      : net::HostLookupResult{net::WSAHOST_NOT_FOUND, {}};
}

int FakeHostDatabase::refusal() {
    std::lock_guard lock(m_mutex);
    return m_refusal;
}

} // namespace vantrel::test
