#include "ops/PathTable.h"

#include "net/IpStatus.h"

#include <algorithm>

namespace vantrel::ops {

PathTable::PathTable(const net::IpAddress& target, int maxHops)
    : m_target(target)
    , m_hops(std::size_t(std::max(maxHops, 1))) {
    for (std::size_t i = 0; i < m_hops.size(); ++i)
        m_hops[i].hop = unsigned(i + 1);
}

int PathTable::probeLimit() const {
    return m_targetHop.value_or(int(m_hops.size()));
}

void PathTable::decided(int hop, const net::EchoOutcome& outcome) {
    if (hop < 1 || hop > int(m_hops.size()))
        return;
    PathHop& row = m_hops[std::size_t(hop - 1)];
    if (!outcome.replied) {
        row.statistics.lost();
        return;
    }
    row.statistics.answered(outcome.roundTrip);
    m_lastAnswered = std::max(m_lastAnswered, hop);
    const bool seen = std::any_of(row.addresses.begin(), row.addresses.end(),
                                  [&](const HopAddress& known) { return known.address == outcome.address; });
    if (!seen)
        row.addresses.push_back({outcome.address, QString()});
    // The target answers for itself: with its echo reply, or with an error of its own (a firewall's
    // refusal); either way the path ends there.
    if (outcome.address == m_target) {
        row.target = true;
        m_targetHop = std::min(m_targetHop.value_or(hop), hop);
        m_targetAnswered = m_targetAnswered || outcome.status == net::IP_SUCCESS;
    }
}

std::vector<PathHop> PathTable::shownHops() const {
    const int shown = m_targetHop.value_or(std::min(m_lastAnswered + 1, int(m_hops.size())));
    return {m_hops.begin(), m_hops.begin() + shown};
}

} // namespace vantrel::ops
