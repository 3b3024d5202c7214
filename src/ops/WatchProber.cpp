#include "ops/WatchProber.h"

#include "history/HistoryWriter.h"
#include "net/IpStatus.h"
#include "ops/EchoRequestData.h"

#include <algorithm>

namespace vantrel::ops {

namespace {

std::vector<int> intervalsOf(const std::vector<settings::WatchEntry>& entries) {
    std::vector<int> intervals;
    intervals.reserve(entries.size());
    for (const settings::WatchEntry& entry : entries)
        intervals.push_back(entry.intervalSeconds);
    return intervals;
}

// A probe waits for its answer at most its interval, and never more than five seconds.
std::uint32_t timeoutOf(const settings::WatchEntry& entry) {
    return std::uint32_t(std::min(entry.intervalSeconds * 1000, 5000));
}

} // namespace

WatchProber::WatchProber(std::vector<settings::WatchEntry> entries, WatchRules rules,
                         std::unique_ptr<net::EchoSweep> sweep, std::shared_ptr<net::HostDatabase> names,
                         WatchFrontEnd& frontEnd, history::HistoryWriter* history, std::int64_t startMs)
    : m_schedule(intervalsOf(entries), startMs)
    , m_sweep(std::move(sweep))
    , m_resolver(std::move(names), rules.policy)
    , m_frontEnd(frontEnd)
    , m_history(history)
    , m_data(echoRequestData(QStringLiteral("abcdefghijklmnopqrstuvwabcdefghi"))) {
    for (settings::WatchEntry& entry : entries) {
        const std::optional<net::IpAddress> literal =
            net::IpAddress::parse(entry.host.toLocal8Bit().toStdString());
        Host host(HostWatch(std::move(entry), rules.downAfter));
        host.literal = literal.has_value();
        host.address = literal;
        m_hosts.push_back(std::move(host));
    }
}

void WatchProber::step(std::int64_t nowMs, std::chrono::milliseconds wait) {
    takeLookups(nowMs);
    for (std::size_t index : m_schedule.takeDue(nowMs))
        probe(index, nowMs);
    const auto untilDue =
        std::chrono::milliseconds(std::max<std::int64_t>(0, m_schedule.nextDueMs() - nowMs));
    for (const net::SweepAnswer& answer : m_sweep->wait(std::min(wait, untilDue))) {
        const auto found = m_inFlight.find(answer.ticket);
        if (found == m_inFlight.end())
            continue;
        const InFlight request = found->second;
        m_inFlight.erase(found);
        // Only an echo reply counts: a router's error says the host was not reached.
        const bool answered = answer.outcome.replied && answer.outcome.status == net::IP_SUCCESS;
        settle(request.host, request.sentMs,
               answered ? std::optional<std::int64_t>(answer.outcome.roundTrip.count()) : std::nullopt);
    }
}

std::size_t WatchProber::lookupsInFlight() const {
    return std::size_t(
        std::count_if(m_hosts.begin(), m_hosts.end(), [](const Host& host) { return host.resolving; }));
}

void WatchProber::probe(std::size_t index, std::int64_t nowMs) {
    Host& host = m_hosts[index];
    if (host.address) {
        send(index, nowMs);
        return;
    }
    if (!host.resolving) {
        host.resolving = true;
        host.resolvingSinceMs = nowMs;
        m_resolver.request(index, host.watch.entry().host);
        return;
    }
    // A whole interval without an answer from the name service counts as a lost probe.
    settle(index, nowMs, std::nullopt);
}

void WatchProber::send(std::size_t index, std::int64_t nowMs) {
    const std::uint64_t ticket = m_nextTicket++;
    m_inFlight.emplace(ticket, InFlight{index, nowMs});
    m_sweep->send(ticket, *m_hosts[index].address, m_data, timeoutOf(m_hosts[index].watch.entry()), 0);
}

void WatchProber::takeLookups(std::int64_t nowMs) {
    for (const WatchResolver::Answer& answer : m_resolver.take()) {
        Host& host = m_hosts[answer.host];
        host.resolving = false;
        host.address = answer.address;
        // The probe that waited for the name goes now; a name that has no address lost it.
        if (host.address)
            send(answer.host, nowMs);
        else
            settle(answer.host, host.resolvingSinceMs, std::nullopt);
    }
}

void WatchProber::settle(std::size_t index, std::int64_t sentMs, std::optional<std::int64_t> roundTripUs) {
    Host& host = m_hosts[index];
    ++host.sent;
    host.received += roundTripUs ? 1 : 0;
    host.lastRoundTripUs = roundTripUs;
    const std::optional<history::StateChange> change = host.watch.record(sentMs, roundTripUs);
    if (m_history) {
        m_history->add(history::ProbeSample{sentMs, host.watch.entry().host, roundTripUs});
        if (change)
            m_history->add(*change);
    }
    const WatchHostView shown = view(index, sentMs);
    if (change) {
        m_frontEnd.watchStateChanged(*change, shown);
        // A name whose host went down is looked up again before its next probe.
        if (host.watch.state() == WatchState::Down && !host.literal)
            host.address.reset();
    }
    m_frontEnd.watchProbed(shown);
}

WatchHostView WatchProber::view(std::size_t index, std::int64_t nowMs) const {
    const Host& host = m_hosts[index];
    return {index,
            host.watch.entry().host,
            host.watch.entry().name,
            host.address,
            host.watch.state(),
            host.watch.recent(nowMs),
            host.lastRoundTripUs,
            host.watch.lastChangeMs(),
            host.sent,
            host.received};
}

} // namespace vantrel::ops
