#include "support/FakeHostDatabase.h"

#include "net/WinsockErrors.h"

namespace vantrel::test {

void FakeHostDatabase::addHost(const net::HostEntry& entry) {
    std::lock_guard lock(m_mutex);
    const net::HostLookupResult found{0, entry};
    m_byName[entry.h_name] = found;
    for (const std::string& alias : entry.h_aliases)
        m_byName[alias] = found;
    for (const net::IPAddr address : entry.h_addr_list)
        m_byAddress[address] = found;
}

void FakeHostDatabase::addNameError(const std::string& name, int error) {
    std::lock_guard lock(m_mutex);
    m_byName[name] = {error, {}};
}

void FakeHostDatabase::addAddressError(net::IPAddr address, int error) {
    std::lock_guard lock(m_mutex);
    m_byAddress[address] = {error, {}};
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

std::vector<net::IPAddr> FakeHostDatabase::addressesAsked() const {
    std::lock_guard lock(m_mutex);
    return m_addressesAsked;
}

void FakeHostDatabase::waitWhileHeld(std::unique_lock<std::mutex>& lock) {
    m_released.wait(lock, [this] { return !m_held; });
}

net::HostLookupResult FakeHostDatabase::hostByName(const std::string& name) {
    std::unique_lock lock(m_mutex);
    m_namesAsked.push_back(name);
    waitWhileHeld(lock);
    const auto found = m_byName.find(name);
    return found != m_byName.end() ? found->second : net::HostLookupResult{net::WSAHOST_NOT_FOUND, {}};
}

net::HostLookupResult FakeHostDatabase::hostByAddress(net::IPAddr address) {
    std::unique_lock lock(m_mutex);
    m_addressesAsked.push_back(address);
    waitWhileHeld(lock);
    const auto found = m_byAddress.find(address);
    return found != m_byAddress.end() ? found->second : net::HostLookupResult{net::WSAHOST_NOT_FOUND, {}};
}

int FakeHostDatabase::refusal() {
    std::lock_guard lock(m_mutex);
    return m_refusal;
}

} // namespace vantrel::test
