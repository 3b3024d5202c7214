#pragma once

#include "net/EchoSweep.h"
#include "net/ResolvePolicy.h"
#include "ops/HostWatch.h"
#include "ops/WatchFrontEnd.h"
#include "ops/WatchResolver.h"
#include "ops/WatchSchedule.h"
#include "settings/WatchList.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace vantrel::history {
class HistoryWriter;
}

namespace vantrel::ops {

struct WatchRules {
    int downAfter = 3; // losses in a row
    net::ResolvePolicy policy = net::ResolvePolicy::Ipv4ThenIpv6;
};

// The watch list's probing, one step at a time on one thread: each host's probes go out on its own
// schedule through one sweep engine (many in flight, both families), names are looked up aside, and each
// answer or loss updates the host's state, the history and the front end. A name is looked up again once
// its host went down, in case it moved.
class WatchProber {
public:
    WatchProber(std::vector<settings::WatchEntry> entries, WatchRules rules,
                std::unique_ptr<net::EchoSweep> sweep, std::shared_ptr<net::HostDatabase> names,
                WatchFrontEnd& frontEnd, history::HistoryWriter* history, std::int64_t startMs);

    // Sends the probes due at `nowMs`, then waits for answers at most `wait` or until the next is due.
    void step(std::int64_t nowMs, std::chrono::milliseconds wait);
    // Names asked of the name service and not answered yet.
    std::size_t lookupsInFlight() const;
    // Ends a wait in progress, from any thread; every later one ends at once too.
    void interrupt() { m_sweep->interrupt(); }

private:
    struct Host {
        explicit Host(HostWatch watched)
            : watch(std::move(watched)) {}

        HostWatch watch;
        bool literal = false; // an address as typed: never looked up
        std::optional<net::IpAddress> address;
        bool resolving = false;
        std::int64_t resolvingSinceMs = 0;
        std::optional<std::int64_t> lastRoundTripUs;
        std::int64_t sent = 0;
        std::int64_t received = 0;
    };
    struct InFlight {
        std::size_t host;
        std::int64_t sentMs;
    };

    void probe(std::size_t index, std::int64_t nowMs);
    void send(std::size_t index, std::int64_t nowMs);
    void settle(std::size_t index, std::int64_t sentMs, std::optional<std::int64_t> roundTripUs);
    void takeLookups(std::int64_t nowMs);
    WatchHostView view(std::size_t index, std::int64_t nowMs) const;

    std::vector<Host> m_hosts;
    WatchSchedule m_schedule;
    const std::unique_ptr<net::EchoSweep> m_sweep;
    WatchResolver m_resolver;
    WatchFrontEnd& m_frontEnd;
    history::HistoryWriter* const m_history;
    std::map<std::uint64_t, InFlight> m_inFlight;
    std::uint64_t m_nextTicket = 1;
    std::vector<std::byte> m_data;
};

} // namespace vantrel::ops
