#include "settings/CheckImportLimits.h"

#include "settings/ControlCharacters.h"
#include "settings/OptionTable.h"
#include "settings/ProfileBook.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"

#include <algorithm>

namespace vantrel::settings {

namespace {

using Kind = ImportLimitBreach::Kind;

constexpr int kLongestName = kListValueNameLimit - 1;
constexpr int kLongestOctet = 3;
// The longest text a box of ours takes (the echo data); other texts, such as the last host typed, are
// far shorter.
constexpr int kLongestOtherText = 5000;
// The saved window layout is a few kilobytes.
constexpr int kLargestBinary = 1 << 20;
// Ours go two deep (SeqScan\NAME, ListScan\Hosts).
constexpr int kDeepestKey = 8;

// What a text value may hold where it is stored.
struct TextRule {
    int longest = kLongestOtherText;
    bool mayBeEmpty = true;
    bool controlsAllowed = true;
    bool backslashAllowed = true;
};

bool isListSection(const QString& section) {
    return section.compare(section::kProfiles, Qt::CaseInsensitive) == 0 ||
           section.compare(section::kListScanHosts, Qt::CaseInsensitive) == 0 ||
           section.compare(section::kSeqScan, Qt::CaseInsensitive) == 0;
}

bool isGroupSection(const QString& section) {
    return section.startsWith(section::kSeqScan + QLatin1Char('\\'), Qt::CaseInsensitive);
}

TextRule ruleFor(const QString& section, const QString& name) {
    if (isListSection(section)) {
        const bool groups = section.compare(section::kSeqScan, Qt::CaseInsensitive) == 0;
        return {kLongestName, false, false, !groups};
    }
    if (isGroupSection(section))
        return {kLongestOctet, true, false, true};
    if (section.compare(section::kOptions, Qt::CaseInsensitive) == 0) {
        if (const std::optional<OptionId> id = findOption(name)) {
            const OptionSpec& spec = optionSpec(*id);
            return {spec.maxChars > 0 ? spec.maxChars : kLongestOtherText, true, *id == OptionId::PingString,
                    true};
        }
    }
    return {};
}

// Names are shown in the message: a long one is cut, and a control character shows as "?".
QString place(const QString& section, const QString& name = {}) {
    constexpr int kShown = 60;
    QString where = name.isNull() ? section : section + QLatin1Char('\\') + name;
    if (where.size() > kShown)
        where = where.left(kShown) + QStringLiteral("...");
    for (QChar& c : where)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    return where;
}

std::optional<ImportLimitBreach> checkName(const QString& section, const QString& name, bool isKey) {
    if (name.isEmpty())
        return ImportLimitBreach{Kind::Empty, place(section, name)};
    if (name.size() > kLongestName)
        return ImportLimitBreach{Kind::TooLong, place(section, name.left(kLongestName + 1)), kLongestName};
    if (containsControlCharacter(name))
        return ImportLimitBreach{Kind::ControlCharacter, place(section, name)};
    if (isKey && name.contains(QLatin1Char('\\')))
        return ImportLimitBreach{Kind::Backslash, place(section, name)};
    return std::nullopt;
}

std::optional<ImportLimitBreach> checkText(const QString& section, const QString& name, const QString& text) {
    const TextRule rule = ruleFor(section, name);
    if (text.size() > rule.longest)
        return ImportLimitBreach{Kind::TooLong, place(section, name), rule.longest};
    if (text.isEmpty() && !rule.mayBeEmpty)
        return ImportLimitBreach{Kind::Empty, place(section, name)};
    if (!rule.controlsAllowed && containsControlCharacter(text))
        return ImportLimitBreach{Kind::ControlCharacter, place(section, name)};
    if (!rule.backslashAllowed && text.contains(QLatin1Char('\\')))
        return ImportLimitBreach{Kind::Backslash, place(section, name)};
    return std::nullopt;
}

std::optional<ImportLimitBreach> checkSection(const RegistryStore& store, const QString& section, int depth) {
    if (depth > kDeepestKey)
        return ImportLimitBreach{Kind::TooDeep, place(section)};
    for (const QString& name : store.valueNames(section)) {
        if (auto breach = checkName(section, name, false))
            return breach;
        // A list entry's name is its text, and is held to the same rule.
        if (isListSection(section))
            if (auto breach = checkText(section, name, name))
                return breach;
        const std::optional<ValueKind> kind = store.valueKind(section, name);
        if (kind == ValueKind::Text) {
            if (auto breach = checkText(section, name, store.GetProfileString(section, name)))
                return breach;
        } else if (kind == ValueKind::Binary &&
                   store.GetProfileBinary(section, name).value_or(QByteArray()).size() > kLargestBinary) {
            return ImportLimitBreach{Kind::TooLarge, place(section, name), kLargestBinary};
        }
    }
    for (const QString& key : store.subKeyNames(section)) {
        if (auto breach = checkName(section, key, true))
            return breach;
        if (auto breach =
                checkSection(store, section.isEmpty() ? key : section + QLatin1Char('\\') + key, depth + 1))
            return breach;
    }
    return std::nullopt;
}

} // namespace

std::optional<ImportLimitBreach> CheckImportLimits(const RegistryStore& incoming) {
    std::optional<ImportLimitBreach> breach;
    incoming.readTogether([&] { breach = checkSection(incoming, QString(), 1); });
    return breach;
}

} // namespace vantrel::settings
