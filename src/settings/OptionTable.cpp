#include "settings/OptionTable.h"

#include "settings/AddressFamily.h"

#include <algorithm>
#include <limits>

namespace vantrel::settings {

namespace {

using enum OptionId;
using K = OptionKind;
using P = OptionPane;

constexpr OptionSpec flag(OptionId id, std::string_view name, int defaultValue, P pane, int control,
                          TakesEffect effect = TakesEffect::Live) {
    return {.id = id,
            .valueName = name,
            .kind = K::Flag,
            .defaultNumber = defaultValue,
            .pane = pane,
            .controlId = control,
            .takesEffect = effect};
}

constexpr OptionSpec yesNo(OptionId id, std::string_view name, int defaultValue, P pane, int control) {
    return {.id = id,
            .valueName = name,
            .kind = K::YesNoNumber,
            .defaultNumber = defaultValue,
            .pane = pane,
            .controlId = control};
}

struct Limits {
    int maxChars, spinMin, spinMax, validMin, validMax;
};

constexpr OptionSpec number(OptionId id, std::string_view name, int defaultValue, Limits limits, P pane,
                            int control, int loadCeiling = 0, bool keepsLastDigits = false) {
    return {.id = id,
            .valueName = name,
            .kind = K::Number,
            .defaultNumber = defaultValue,
            .maxChars = limits.maxChars,
            .spinMin = limits.spinMin,
            .spinMax = limits.spinMax,
            .validMin = limits.validMin,
            .validMax = limits.validMax,
            .pane = pane,
            .controlId = control,
            .loadCeiling = loadCeiling,
            .keepsLastDigits = keepsLastDigits};
}

constexpr OptionSpec text(OptionId id, std::string_view name, std::string_view defaultValue, int maxChars,
                          P pane, int control) {
    return {.id = id,
            .valueName = name,
            .kind = K::Text,
            .defaultText = defaultValue,
            .maxChars = maxChars,
            .pane = pane,
            .controlId = control};
}

// A number of the watch list's, kept in the "Watch" section.
constexpr OptionSpec watchNumber(OptionId id, std::string_view name, int defaultValue, Limits limits,
                                 int control) {
    OptionSpec spec = number(id, name, defaultValue, limits, P::ISPinger, control);
    spec.section = OptionSection::Watch;
    return spec;
}

constexpr Limits kScanLimits{2, 1, 99, 1, 99};

constexpr std::array<OptionSpec, kOptionCount> kTable{{
    flag(ListScanAutoSort, "ListScanAutoSort", 0, P::ListScan, 1140),
    flag(ListDNS, "ListDNS", 0, P::ListScan, 1156),
    flag(ListScanShowFail, "ListScanShowFail", 0, P::ListScan, 1139),
    number(ListScanPackets, "ListScanPackets", 1, kScanLimits, P::ListScan, 1148),
    number(ListScanTimeout20, "ListScanTimeout20", 2, kScanLimits, P::ListScan, 1145, 99),
    yesNo(SeqScanAutoSort, "SeqScanAutoSort", 0, P::SeqScan, 1158),
    text(SeqScanStart1, "SeqScanStart1", "", 3, P::SeqScan, 1119),
    text(SeqScanStart2, "SeqScanStart2", "", 3, P::SeqScan, 1120),
    text(SeqScanStart3, "SeqScanStart3", "", 3, P::SeqScan, 1121),
    text(SeqScanStart4, "SeqScanStart4", "", 3, P::SeqScan, 1122),
    text(SeqScanEnd3, "SeqScanEnd3", "", 3, P::SeqScan, 1123),
    text(SeqScanEnd4, "SeqScanEnd4", "", 3, P::SeqScan, 1124),
    number(SeqScanPackets, "SeqScanPackets", 1, kScanLimits, P::SeqScan, 1135),
    number(SeqScanTimeout20, "SeqScanTimeout20", 2, kScanLimits, P::SeqScan, 1144, 99),
    yesNo(SeqScanShowFail, "SeqScanShowFail", 0, P::SeqScan, 1134),
    yesNo(SeqDNS, "SeqDNS", 0, P::SeqScan, 1155),
    text(PingString, "Ping String", kDefaultPingString, 5000, P::Ping, 1048),
    number(Packets, "Packets", 5, {4, 0, 5000, 1, 5000}, P::Ping, 1088),
    number(Timeout, "Timeout", 5, {2, 0, 99, 1, 99}, P::Ping, 1010),
    number(Hops, "Hops", 30, {3, 0, 255, 1, 255}, P::Ping, 1079),
    yesNo(Verbose, "Verbose", 1, P::Ping, 1033),
    yesNo(Statistics, "Statistics", 1, P::Ping, 1077),
    flag(Beep, "Beep", 0, P::Ping, 1078, TakesEffect::AtStart),
    flag(Fragment, "Fragment", 0, P::Ping, 1038, TakesEffect::AtStart),
    flag(RetData, "RetData", 0, P::Ping, 1080),
    flag(TraceDNS, "TraceDNS", 0, P::Ping, 1040),
    flag(Sort, "Sort", 0, P::Other, 1050, TakesEffect::AtStart),
    flag(ContPing, "ContPing", 0, P::Ping, 1004),
    number(ContPingInterval, "ContPingInterval", 2, {2, 1, 99, 1, 99}, P::Ping, 1005, 0, true),
    flag(LogCheck, "Log Check", 0, P::Log, 1044),
    text(LogString, "Log String", "Vtrlog.rtf", 0, P::Log, 1027),
    text(ISPAddress, "ISPAddress", "", 0, P::ISPinger, 1070),
    number(ISPInterval, "ISPInterval", 10, {3, 1, 999, 1, 999}, P::ISPinger, 1043),
    flag(AutoSort, "AutoSort", 0, P::Other, 1050),
    flag(RadioSort, "RadioSort", 0, P::Other, 1086),
    flag(WarnCurrent, "Warn Current", 1, P::Other, 1082),
    number(PurgeStatus, "PurgeStatus", 1, {1, 1, 5, 1, 5}, P::Other, 1002),
    number(PurgeLog, "PurgeLog", 4, {2, 1, 99, 1, 99}, P::Other, 1020),
    flag(StartISP, "StartISP", 0, P::Other, 1108, TakesEffect::AtStart),
    flag(StartTask, "StartTask", 0, P::Other, 1107, TakesEffect::AtStart),
    // Shown on the ListScan pane as well, where the same number rules.
    number(ParallelProbes, "ParallelProbes", 1, {3, 1, 256, 1, 256}, P::SeqScan, 1159),
    // A drop-down of settings::AddressFamily's values.
    number(OptionId::AddressFamily, "AddressFamily", 0,
           {1, 0, kAddressFamilyCount - 1, 0, kAddressFamilyCount - 1}, P::Other, 1160),
    // Round trips shown to the microsecond (three decimals) and the ping statistics' mean deviation.
    flag(PreciseTimes, "PreciseTimes", 0, P::Ping, 1161),
    // The path monitor's round interval in tenths of a second: 0.1 s to a minute.
    number(PathMonitorInterval, "PathMonitorInterval", 10, {3, 1, 600, 1, 600}, P::Ping, 1162),
    // A watched host is down after this many losses in a row.
    watchNumber(WatchDownAfter, "WatchDownAfter", 3, {2, 1, 99, 1, 99}, 1163),
    // The watch list's history keeps this many days.
    watchNumber(WatchRetentionDays, "WatchRetentionDays", 30, {4, 1, 3650, 1, 3650}, 1164),
}};

constexpr bool tableFollowsIds() {
    for (std::size_t i = 0; i < kTable.size(); ++i)
        if (std::size_t(kTable[i].id) != i)
            return false;
    return true;
}
static_assert(tableFollowsIds(), "the option table must list the options in OptionId order");

} // namespace

std::span<const OptionSpec, kOptionCount> optionTable() {
    return kTable;
}

const OptionSpec& optionSpec(OptionId id) {
    return kTable[std::size_t(id)];
}

std::optional<OptionId> findOption(const QString& valueName) {
    const auto match = std::find_if(kTable.begin(), kTable.end(), [&](const OptionSpec& spec) {
        return spec.name().compare(valueName, Qt::CaseInsensitive) == 0;
    });
    return match == kTable.end() ? std::nullopt : std::optional(match->id);
}

int correctedNumber(const OptionSpec& spec, int value) {
    switch (spec.kind) {
    case OptionKind::Flag:
        return value != 0 ? 1 : 0;
    case OptionKind::YesNoNumber:
    case OptionKind::Text:
        return value;
    case OptionKind::Number:
        break;
    }
    // Boxes take digits only, so a pane never sees a negative number typed; a stored one is raised to
    // the lowest valid number like 0 is.
    if (value < spec.validMin)
        return spec.validMin;
    // The continuous-ping box drops its leading digits when a third one arrives.
    if (spec.keepsLastDigits && spec.maxChars > 0) {
        int modulus = 1;
        for (int i = 0; i < spec.maxChars; ++i)
            modulus *= 10;
        if (value >= modulus)
            value %= modulus;
        if (value < spec.validMin)
            return spec.validMin;
    }
    return std::min(value, spec.validMax);
}

QString correctedText(const OptionSpec& spec, const QString& value) {
    if (spec.kind != OptionKind::Text || spec.maxChars <= 0 || value.size() <= spec.maxChars)
        return value;
    return value.left(spec.maxChars);
}

int boxNumber(const QString& digits) {
    if (digits.isEmpty())
        return 0;
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok);
    if (!ok || value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return int(std::max<qlonglong>(value, std::numeric_limits<int>::min()));
}

QString correctedBoxText(const OptionSpec& spec, const QString& digits) {
    QString text = digits;
    // The continuous-ping box keeps the last digits of a longer text, typed or pasted.
    if (spec.keepsLastDigits && spec.maxChars > 0 && text.size() > spec.maxChars)
        text = text.right(spec.maxChars);
    const int value = boxNumber(text);
    const int corrected = correctedNumber(spec, value);
    return corrected == value && text == digits ? digits : QString::number(corrected);
}

} // namespace vantrel::settings
