#pragma once

#include "history/ProbeHistory.h"
#include "net/IpAddress.h"
#include "ops/HostWatch.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vantrel::ops {

// One watched host as it stands after a probe.
struct WatchHostView {
    std::size_t index = 0; // in the watch list
    QString host;
    QString name;
    std::optional<net::IpAddress> address; // once resolved
    WatchState state = WatchState::Unknown;
    history::ProbeSums recent;                   // the last five minutes
    std::optional<std::int64_t> lastRoundTripUs; // of the last probe; none when it was lost
    std::optional<std::int64_t> lastChangeMs;
    std::int64_t sent = 0; // since the watch started
    std::int64_t received = 0;
};

// Where the watch list's runner tells what it finds, on its own thread: a front end hands it on to its
// own thread where it needs to.
class WatchFrontEnd {
public:
    virtual ~WatchFrontEnd() = default;
    virtual void watchProbed(const WatchHostView& host) = 0;
    virtual void watchStateChanged(const history::StateChange& change, const WatchHostView& host) = 0;
};

} // namespace vantrel::ops
