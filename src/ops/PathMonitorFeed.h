#pragma once

#include "net/SocketLibrary.h"
#include "ops/PathMonitorView.h"

#include <QString>
#include <deque>
#include <map>
#include <optional>
#include <set>

namespace vantrel::ops {

// The GUI thread's side of the path monitor: fills the names into the worker's snapshots and shows them.
// Every address a hop answers from is looked up in reverse in the background, a few at a time so other
// operations' lookups still find the pool free; a name that arrives shows the last table again. A probe
// never waits for a name, and stop() forgets the lookups still pending, so a name service that never
// answers holds nothing up.
class PathMonitorFeed {
public:
    static constexpr std::size_t kLookupsAtOnce = 2;

    explicit PathMonitorFeed(net::SocketLibrary& sockets)
        : m_sockets(sockets) {}
    ~PathMonitorFeed() { stop(); }
    PathMonitorFeed(const PathMonitorFeed&) = delete;
    PathMonitorFeed& operator=(const PathMonitorFeed&) = delete;

    void setView(PathMonitorView* view) { m_view = view; }
    // A new run: names are kept (a router keeps its name), the last table is not.
    void begin() {
        m_last.reset();
        if (m_view)
            m_view->pathMonitorStarting();
    }
    // Shows the worker's snapshot with the names known so far and asks for the missing ones; answers it.
    PathSnapshot take(PathSnapshot snapshot);
    // Forgets the pending lookups; names that come later are not shown.
    void stop();

private:
    void name(PathSnapshot& snapshot) const;
    void lookUpNext();
    void named(const net::IpAddress& address, int error, const net::HostEntry& entry);

    net::SocketLibrary& m_sockets;
    PathMonitorView* m_view = nullptr;
    std::optional<PathSnapshot> m_last;     // shown again when a name arrives; none once stopped
    std::map<std::string, QString> m_names; // by address text; empty when the lookup found none
    std::set<std::string> m_asked;
    std::deque<net::IpAddress> m_waiting;
    std::map<net::AsyncLookupHandle, net::IpAddress> m_pending;
};

} // namespace vantrel::ops
