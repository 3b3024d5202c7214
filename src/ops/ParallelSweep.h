#pragma once

#include "net/EchoSweep.h"
#include "net/IpAddress.h"
#include "ops/WorkerContext.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace vantrel::ops {

// What the requests to one address of a sweep came to, as a scan writes its row.
struct SweepResult {
    std::optional<std::chrono::microseconds> roundTrip; // the echo reply's, when the address answered
    bool allSent = false; // every request went out unanswered: the address is silent
};

// The rules of a sweep, taken when it starts.
struct SweepRules {
    int parallel = 1; // addresses in flight at most
    int packets = 1;  // requests per address; the first echo reply from the address ends it
    std::uint32_t timeoutMs = 0;
    std::span<const std::byte> data;
};

// A scan's addresses with up to `parallel` of them in flight at once on one EchoSweep, each sent its
// requests one after another as the sequential scan does, and each result handed back in the order of the
// addresses as soon as it and every one before it are decided. Only an echo reply from the address itself
// answers it. After a stop no further request goes out (no next address, no retry), the requests in flight
// are read to their end as a sequential scan reads its one, and every address then comes back: decided,
// or undecided (stopped before its last request, no row). The program's exit drops what is in flight.
class ParallelSweep {
public:
    struct Calls {
        // The next address in order (nothing for one that needs no request, such as a name without an
        // address, decided at once as not answered), or nothing at all at the end.
        std::function<std::optional<std::optional<net::IpAddress>>()> next;
        // Before each request to the address of that index.
        std::function<void(std::size_t index)> sending;
        // The result of the address of that index, in order.
        std::function<void(std::size_t index, const SweepResult& result)> decided;
    };

    ParallelSweep(net::EchoSweep& engine, const SweepRules& rules, const WorkerFlags& flags)
        : m_engine(engine)
        , m_rules(rules)
        , m_flags(flags) {}

    void run(const Calls& calls);

private:
    net::EchoSweep& m_engine;
    SweepRules m_rules;
    const WorkerFlags& m_flags;
};

} // namespace vantrel::ops
