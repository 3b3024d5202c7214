#pragma once

#include "settings/StoreWrite.h"

#include <QString>
#include <vector>

namespace vantrel::settings {

class RegistryStore;

namespace section {
// One subkey per watched host, named after it, in the order the hosts were added.
inline const QString kWatch = QStringLiteral("Watch");
} // namespace section

// A host the watch list probes around the clock, and when it counts as degraded.
struct WatchEntry {
    QString host;
    QString name;                  // shown beside the host; empty for none
    int intervalSeconds = 10;      // between two probes
    int degradedLossPercent = 10;  // degraded above this loss over the last five minutes
    int degradedRoundTripMs = 250; // or above this average round trip
    bool enabled = true;

    bool operator==(const WatchEntry&) const = default;
};

// What a watch entry's numbers may be; a stored value outside is brought to the nearest limit.
struct WatchLimits {
    static constexpr int kLongestHost = 99;
    static constexpr int kLongestName = 99;
    static constexpr int kShortestInterval = 1;
    static constexpr int kLongestInterval = 86'400;
    static constexpr int kLongestRoundTripMs = 60'000;
};

// The watch list in the settings store.
class WatchList {
public:
    explicit WatchList(RegistryStore& store);

    // Every stored entry in the order added, numbers brought within their limits; a subkey whose name is
    // no host (empty, too long) is left out.
    std::vector<WatchEntry> load() const;
    // Adds the entry, or replaces the one of the same host, in one commit.
    StoreWrite put(const WatchEntry& entry);
    // Deletes the entry of `host`; StoreWrite::kNothingThere when there is none.
    StoreWrite remove(const QString& host);
    // Whether the window's watch was on when it last closed.
    bool watching() const;
    StoreWrite setWatching(bool on);

private:
    RegistryStore& m_store;
};

} // namespace vantrel::settings
