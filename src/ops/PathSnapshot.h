#pragma once

#include "net/IpAddress.h"
#include "ops/HopStatistics.h"

#include <QString>
#include <vector>

namespace vantrel::ops {

// An address a hop answered from, with its name once the reverse lookup found one.
struct HopAddress {
    net::IpAddress address;
    QString name;

    bool operator==(const HopAddress&) const = default;
};

// One hop of the monitored path: every address it answered from, in the order first seen (more than one:
// the route changed between rounds), and its sums.
struct PathHop {
    unsigned hop = 0;
    std::vector<HopAddress> addresses;
    bool target = false; // the target itself answered at this hop
    HopStatistics statistics;
};

// The path monitor's table at one moment, handed to the GUI thread as a value: the hops from the first up
// to the first one that answered as the target (or, before the target answered, up to one past the last
// hop that answered).
struct PathSnapshot {
    QString host;
    net::IpAddress target;
    unsigned rounds = 0;         // rounds sent so far
    bool targetAnswered = false; // an echo reply came from the target in some round
    bool final = false;          // the monitor has stopped: the table for the report
    bool canceled = false;       // it stopped by a cancel, not after its rounds
    std::vector<PathHop> hops;
};

} // namespace vantrel::ops
