#pragma once

#include "net/EchoOutcome.h"
#include "net/IpAddress.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vantrel::net {

// What became of one request of a sweep: an echo reply or an ICMP error quoting it (`replied`, with the
// responder and round-trip time), a timeout (IP_REQ_TIMED_OUT), or a refused send (its status). The
// outcome carries no echo data.
struct SweepAnswer {
    std::uint64_t ticket = 0;
    EchoOutcome outcome;
};

// Many echo requests in flight at once (on one socket per address family), for the sweeps. The caller names
// each request with a ticket of its own; every request it sends is reported exactly once by wait(), unless
// cancel() comes first. Used by one thread, except interrupt(). Tests bind a scripted sweep behind IcmpApi.
class EchoSweep {
public:
    virtual ~EchoSweep() = default;

    // Queues a request with `data` (copied) to `destination`, of either family, with `hopLimit` as its TTL
    // (IPv4) or hop limit (IPv6), 0 for the system's default. It goes out when the send pace allows; its
    // timeout counts from then. A router where the hop limit runs out answers with its time-exceeded error.
    virtual void send(std::uint64_t ticket, const IpAddress& destination, std::span<const std::byte> data,
                      std::uint32_t timeoutMs, std::uint8_t hopLimit) = 0;
    // Sends what the pace allows and waits at most `wait` for requests to be decided. Answers them as soon
    // as any are (empty when the wait ended without one, or interrupt() ended it).
    virtual std::vector<SweepAnswer> wait(std::chrono::milliseconds wait) = 0;
    // Drops every queued and in-flight request: none of them is reported any more.
    virtual void cancel() = 0;
    // Ends a wait in progress and every later one, from any thread.
    virtual void interrupt() = 0;
};

} // namespace vantrel::net
