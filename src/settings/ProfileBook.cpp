#include "settings/ProfileBook.h"

#include "settings/ControlCharacters.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"

#include <algorithm>

namespace vantrel::settings {

static_assert(ProfileBook::kLongestText == kListValueNameLimit - 1);

namespace {

bool sameIgnoringCase(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

const QString& columnText(const ProfileEntry& entry, int column) {
    return column == kAddressColumn ? entry.address : entry.name;
}

// Why a name and an address cannot be stored as a profile: too long for the store to list again, or
// holding a character that would break the list's rows.
ProfileRefusal refusalOf(const QString& name, const QString& address) {
    if (name.size() > ProfileBook::kLongestText)
        return ProfileRefusal::NameTooLong;
    if (address.size() > ProfileBook::kLongestText)
        return ProfileRefusal::AddressTooLong;
    if (containsControlCharacter(name))
        return ProfileRefusal::NameControlCharacter;
    if (containsControlCharacter(address))
        return ProfileRefusal::AddressControlCharacter;
    return ProfileRefusal::None;
}

} // namespace

ProfileBook::ProfileBook(RegistryStore& store)
    : m_store(store) {}

void ProfileBook::load(bool autoSort, int sortColumn) {
    clear();
    const StoreSection saved = m_store.readSection(section::kProfiles);
    for (const StoreSection::Value& value : saved.values()) {
        if (value.name.size() >= kListValueNameLimit)
            break;
        m_entries.insert(m_entries.begin(), {value.name, value.text()});
    }
    sortIfAuto(autoSort, sortColumn);
}

void ProfileBook::clear() {
    m_entries.clear();
    m_sorted.reset();
}

std::optional<int> ProfileBook::rowOf(const QString& name) const {
    const auto exact = std::ranges::find(m_entries, name, &ProfileEntry::name);
    if (exact != m_entries.end())
        return int(exact - m_entries.begin());
    const auto similar = std::ranges::find_if(
        m_entries, [&](const ProfileEntry& entry) { return sameIgnoringCase(entry.name, name); });
    if (similar != m_entries.end())
        return int(similar - m_entries.begin());
    return std::nullopt;
}

ProfileAction ProfileBook::decide(const QString& name, const QString& address) const {
    const std::optional<int> row = rowOf(name);
    if (!row)
        return ProfileAction::Add;
    // A name that differs in case is a new spelling of the profile, so its value is written again.
    return at(*row) == ProfileEntry{name, address} ? ProfileAction::Delete : ProfileAction::Update;
}

ProfileBook::Outcome ProfileBook::apply(const QString& name, const QString& address, bool autoSort,
                                        int sortColumn) {
    Outcome outcome;
    if (!canApply(name, address)) {
        outcome.refusal = ProfileRefusal::Empty;
        return outcome;
    }
    const ProfileAction action = decide(name, address);
    const std::optional<int> row = rowOf(name);
    if (action != ProfileAction::Delete) {
        if (const ProfileRefusal refusal = refusalOf(name, address); refusal != ProfileRefusal::None) {
            outcome.refusal = refusal;
            return outcome;
        }
    }
    // The store first: the list changes only once the store holds the change. A new spelling of a
    // name needs a new value, since the store keeps a name as first written.
    const bool respelt = row && at(*row).name != name;
    const StoreWrite stored = action == ProfileAction::Delete ? m_store.deleteValue(section::kProfiles, name)
                              : respelt
                                  ? m_store.replaceValue(section::kProfiles, at(*row).name, {name, address})
                                  : m_store.WriteProfileString(section::kProfiles, name, address);
    if (!stored.gone()) {
        m_notSavedReason = stored.reason();
        outcome.refusal = ProfileRefusal::NotSaved;
        return outcome;
    }
    outcome.action = action;
    QString focusName;
    if (action == ProfileAction::Delete) {
        m_entries.erase(m_entries.begin() + *row);
        // The profile now in its place, or the first one when it was the last.
        if (!m_entries.empty())
            focusName = at(*row < size() ? *row : 0).name;
    } else {
        if (row)
            m_entries.erase(m_entries.begin() + *row);
        m_entries.insert(m_entries.begin(), {name, address});
        focusName = name;
    }
    sortIfAuto(autoSort, sortColumn);
    if (!focusName.isNull())
        outcome.focusRow = rowOf(focusName);
    return outcome;
}

ProfileBook::RenameOutcome ProfileBook::rename(int row, const QString& newName, bool autoSort,
                                               int sortColumn) {
    RenameOutcome outcome;
    if (row < 0 || row >= size())
        return outcome;
    outcome.row = row;
    ProfileEntry& entry = m_entries[std::size_t(row)];
    if (newName.isEmpty() || newName == entry.name)
        return outcome;
    if (const ProfileRefusal refusal = refusalOf(newName, QString()); refusal != ProfileRefusal::None) {
        outcome.refusal = refusal;
        return outcome;
    }
    for (int other = 0; other < size(); ++other) {
        if (other != row && sameIgnoringCase(at(other).name, newName)) {
            outcome.refusal = ProfileRefusal::NameExists;
            return outcome;
        }
    }
    // One commit, so that the profile is stored under one name or the other at every moment.
    const StoreWrite stored = m_store.replaceValue(section::kProfiles, entry.name, {newName, entry.address});
    if (!stored) {
        m_notSavedReason = stored.reason();
        outcome.refusal = ProfileRefusal::NotSaved;
        return outcome;
    }
    entry.name = newName;
    outcome.renamed = true;
    if (autoSort && sortColumn == kNameColumn) {
        load(autoSort, sortColumn);
        outcome.row = rowOf(newName);
    }
    return outcome;
}

void ProfileBook::sort(int column, bool ascending) {
    column = column == kAddressColumn ? kAddressColumn : kNameColumn;
    std::ranges::stable_sort(m_entries, [&](const ProfileEntry& a, const ProfileEntry& b) {
        const int order = columnText(a, column).compare(columnText(b, column), Qt::CaseInsensitive);
        return ascending ? order < 0 : order > 0;
    });
    m_sorted = SortState{column, ascending};
}

void ProfileBook::sortByHeader(int column) {
    const bool ascendingNow = m_sorted && m_sorted->column == column && m_sorted->ascending;
    sort(column, !ascendingNow);
}

void ProfileBook::sortIfAuto(bool autoSort, int sortColumn) {
    if (autoSort)
        sort(sortColumn, true);
}

} // namespace vantrel::settings
