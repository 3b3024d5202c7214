#include "ops/PathMonitorFeed.h"

#include "ops/GuiThread.h"

namespace vantrel::ops {

PathSnapshot PathMonitorFeed::take(PathSnapshot snapshot) {
    assertGuiThread();
    for (const PathHop& hop : snapshot.hops)
        for (const HopAddress& seen : hop.addresses)
            if (m_asked.insert(seen.address.text()).second)
                m_waiting.push_back(seen.address);
    name(snapshot);
    m_last = snapshot;
    if (m_view)
        m_view->showPathSnapshot(snapshot);
    if (snapshot.final)
        stop();
    else
        lookUpNext();
    return snapshot;
}

void PathMonitorFeed::stop() {
    for (const auto& [handle, address] : m_pending) {
        m_sockets.WSACancelAsyncRequest(handle);
        m_asked.erase(address.text()); // asked again by the next run
    }
    for (const net::IpAddress& address : m_waiting)
        m_asked.erase(address.text());
    m_pending.clear();
    m_waiting.clear();
    m_last.reset();
}

void PathMonitorFeed::name(PathSnapshot& snapshot) const {
    for (PathHop& hop : snapshot.hops)
        for (HopAddress& seen : hop.addresses)
            if (const auto found = m_names.find(seen.address.text()); found != m_names.end())
                seen.name = found->second;
}

void PathMonitorFeed::lookUpNext() {
    while (m_pending.size() < kLookupsAtOnce && !m_waiting.empty()) {
        const net::IpAddress address = m_waiting.front();
        m_waiting.pop_front();
        const net::AsyncLookupHandle handle = m_sockets.WSAAsyncGetHostByAddr(
            address, [this, address](net::AsyncLookupHandle request, int error, const net::HostEntry& entry) {
                m_pending.erase(request);
                named(address, error, entry);
            });
        if (handle == 0)
            m_names[address.text()] = QString(); // refused: the hop goes without a name
        else
            m_pending.emplace(handle, address);
    }
}

void PathMonitorFeed::named(const net::IpAddress& address, int error, const net::HostEntry& entry) {
    m_names[address.text()] = error == 0 ? QString::fromLocal8Bit(entry.h_name) : QString();
    if (m_last) {
        name(*m_last);
        if (m_view)
            m_view->showPathSnapshot(*m_last);
    }
    lookUpNext();
}

} // namespace vantrel::ops
