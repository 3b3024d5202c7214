#pragma once

#include "net/EchoOutcome.h"
#include "ops/PathSnapshot.h"

#include <optional>
#include <vector>

namespace vantrel::ops {

// The path monitor's sums per hop limit, fed with every decided probe. A hop answers when a router there
// sends its time-exceeded error (or any error) or the target its echo reply; a probe that times out or
// fails counts as lost. The first hop limit at which the target itself answers ends the path: the hops
// beyond it are neither probed any more nor shown.
class PathTable {
public:
    PathTable(const net::IpAddress& target, int maxHops);

    // How many hop limits the next round probes.
    int probeLimit() const;
    // A probe sent with hop limit `hop` (from 1) came to `outcome`.
    void decided(int hop, const net::EchoOutcome& outcome);
    bool targetAnswered() const { return m_targetAnswered; }
    // The hops shown: up to the target's hop, or one past the last that answered.
    std::vector<PathHop> shownHops() const;

private:
    net::IpAddress m_target;
    std::vector<PathHop> m_hops; // by hop limit - 1
    std::optional<int> m_targetHop;
    int m_lastAnswered = 0;
    bool m_targetAnswered = false;
};

} // namespace vantrel::ops
