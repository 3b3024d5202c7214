#include "settings/WatchList.h"

#include "settings/RegistryStore.h"

#include <algorithm>
#include <array>

namespace vantrel::settings {

namespace {

const QString kName = QStringLiteral("Name");
const QString kInterval = QStringLiteral("Interval");
const QString kLossPercent = QStringLiteral("DegradedLossPercent");
const QString kRoundTripMs = QStringLiteral("DegradedRoundTripMs");
const QString kEnabled = QStringLiteral("Enabled");
const QString kWatching = QStringLiteral("Watching"); // a value of the section itself

QString keyOf(const QString& host) {
    return section::kWatch + QLatin1Char('\\') + host;
}

} // namespace

WatchList::WatchList(RegistryStore& store)
    : m_store(store) {}

std::vector<WatchEntry> WatchList::load() const {
    std::vector<WatchEntry> entries;
    const WatchEntry defaults;
    for (const QString& host : m_store.subKeyNames(section::kWatch)) {
        if (host.isEmpty() || host.size() > WatchLimits::kLongestHost)
            continue;
        const QString key = keyOf(host);
        WatchEntry entry;
        entry.host = host;
        entry.name = m_store.GetProfileString(key, kName).left(WatchLimits::kLongestName);
        entry.intervalSeconds = std::clamp(m_store.GetProfileInt(key, kInterval, defaults.intervalSeconds),
                                           WatchLimits::kShortestInterval, WatchLimits::kLongestInterval);
        entry.degradedLossPercent =
            std::clamp(m_store.GetProfileInt(key, kLossPercent, defaults.degradedLossPercent), 0, 100);
        entry.degradedRoundTripMs =
            std::clamp(m_store.GetProfileInt(key, kRoundTripMs, defaults.degradedRoundTripMs), 1,
                       WatchLimits::kLongestRoundTripMs);
        entry.enabled = m_store.GetProfileInt(key, kEnabled, 1) != 0;
        entries.push_back(entry);
    }
    return entries;
}

StoreWrite WatchList::put(const WatchEntry& entry) {
    const std::array values{
        NamedValue{kName, entry.name},
        NamedValue{kInterval, entry.intervalSeconds},
        NamedValue{kLossPercent, entry.degradedLossPercent},
        NamedValue{kRoundTripMs, entry.degradedRoundTripMs},
        NamedValue{kEnabled, entry.enabled ? 1 : 0},
    };
    return m_store.writeValues(keyOf(entry.host), values);
}

StoreWrite WatchList::remove(const QString& host) {
    return m_store.deleteKey(keyOf(host));
}

bool WatchList::watching() const {
    return m_store.GetProfileInt(section::kWatch, kWatching, 0) != 0;
}

StoreWrite WatchList::setWatching(bool on) {
    return m_store.WriteProfileInt(section::kWatch, kWatching, on ? 1 : 0);
}

} // namespace vantrel::settings
