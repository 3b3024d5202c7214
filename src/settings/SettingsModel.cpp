#include "settings/SettingsModel.h"

#include "settings/RegistryStore.h"
#include "settings/WatchList.h"

#include <algorithm>
#include <vector>

namespace vantrel::settings {

namespace {

using enum OptionId;

// The order in which SaveSettings writes the options (the store enumerates them in this order).
constexpr std::array kSaveOrder{
    PingString,
    Packets,
    Timeout,
    Verbose,
    Statistics,
    Beep,
    Fragment,
    RetData,
    TraceDNS,
    Sort,
    Hops,
    ContPing,
    ContPingInterval,
    LogString,
    LogCheck,
    ListScanPackets,
    ListScanTimeout20,
    ListDNS,
    ListScanAutoSort,
    ListScanShowFail,
    SeqScanStart1,
    SeqScanStart2,
    SeqScanStart3,
    SeqScanStart4,
    SeqScanEnd3,
    SeqScanEnd4,
    SeqScanPackets,
    SeqScanTimeout20,
    SeqScanShowFail,
    SeqDNS,
    SeqScanAutoSort,
    ISPAddress,
    ISPInterval,
    AutoSort,
    RadioSort,
    WarnCurrent,
    PurgeStatus,
    PurgeLog,
    StartISP,
    StartTask,
    ParallelProbes,
    AddressFamily,
    PreciseTimes,
    PathMonitorInterval,
    WatchDownAfter,
    WatchRetentionDays,
};
static_assert(kSaveOrder.size() == kOptionCount, "SaveSettings writes every option once");

// The SeqScan yes/no numbers are saved from the frame's fields as they are; every other yes/no option
// is saved from its check box, as 0 or 1.
bool savedFromFrameField(OptionId id) {
    return id == SeqScanShowFail || id == SeqDNS;
}

int loadNumber(const StoreSection& options, const OptionSpec& spec) {
    int value = options.number(spec.name(), spec.defaultNumber);
    if (spec.loadCeiling > 0 && value > spec.loadCeiling)
        value = spec.loadCeiling;
    return correctedNumber(spec, value);
}

} // namespace

QStringList loadSavedList(const RegistryStore& store, const QString& section, bool sorted) {
    QStringList entries;
    const StoreSection saved = store.readSection(section);
    for (const StoreSection::Value& value : saved.values()) {
        if (value.name.size() >= kListValueNameLimit)
            break;
        entries.append(value.text());
    }
    if (sorted)
        sortListEntries(entries);
    return entries;
}

void sortListEntries(QStringList& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

LoadedSettings LoadSettings(const RegistryStore& store) {
    LoadedSettings loaded;
    store.readTogether([&] {
        const StoreSection options = store.readSection(section::kOptions);
        const StoreSection watch = store.readSection(section::kWatch);
        for (const OptionSpec& spec : optionTable()) {
            const StoreSection& from = spec.section == OptionSection::Watch ? watch : options;
            if (spec.isNumeric())
                loaded.options.setNumber(spec.id, loadNumber(from, spec));
            else
                loaded.options.setText(spec.id, from.text(spec.name(), spec.defaultTextValue()));
        }
        // The box behind both names shows AutoSort; Sort keeps its own stored value for the run.
        loaded.listScanAddresses =
            loadSavedList(store, section::kListScanHosts, loaded.options.isOn(ListScanAutoSort));
        loaded.seqScanGroups =
            loadSavedList(store, section::kSeqScan, loaded.options.number(SeqScanAutoSort) == 1);
    });
    return loaded;
}

StoreWrite SaveSettings(RegistryStore& store, const OptionSet& shown) {
    std::vector<NamedValue> values;
    std::vector<NamedValue> watchValues;
    values.reserve(kSaveOrder.size());
    for (const OptionId id : kSaveOrder) {
        const OptionSpec& spec = optionSpec(id);
        if (spec.section == OptionSection::Watch) {
            watchValues.push_back({spec.name(), shown.number(id)});
            continue;
        }
        if (!spec.isNumeric())
            values.push_back({spec.name(), shown.text(id)});
        else if (id == Sort)
            values.push_back({spec.name(), shown.isOn(AutoSort) ? 1 : 0});
        else if (spec.kind == OptionKind::Number || savedFromFrameField(id))
            values.push_back({spec.name(), shown.number(id)});
        else
            values.push_back({spec.name(), shown.isOn(id) ? 1 : 0}); // a check box's state
    }
    const std::array sections{SectionValues{section::kOptions, values},
                              SectionValues{section::kWatch, watchValues}};
    return store.writeSections(sections);
}

} // namespace vantrel::settings
