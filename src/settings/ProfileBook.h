#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace vantrel::settings {

class RegistryStore;

namespace section {
inline const QString kProfiles = QStringLiteral("Host Names/IP Addresses");
} // namespace section

// A named host: shown in the Profile Manager's list, stored as one value (name = address).
struct ProfileEntry {
    QString name;
    QString address;
    bool operator==(const ProfileEntry&) const = default;
};

// What the profile command does with the two texts of the Hosts toolbar.
enum class ProfileAction { Add, Update, Delete };

// Why a profile change was refused; nothing is changed, in the list or the store. NotSaved: the store
// did not take it (ProfileBook::notSavedReason says why).
enum class ProfileRefusal {
    None,
    Empty,
    NameTooLong,
    AddressTooLong,
    NameExists,
    NameControlCharacter,    // a line break or another control character in the name
    AddressControlCharacter, // the same in the address
    NotSaved,
};

// The list's two columns.
enum ProfileColumn : int { kNameColumn = 0, kAddressColumn = 1 };

// The Profile Manager's list and its store. The list holds what the store holds, in the order the user
// sees it; every change is written to the store first and reaches the list only when it was stored. The store
// tells value names apart without regard to case, so the book never holds two names that differ only in case:
// such a name stands for the profile already there.
class ProfileBook {
public:
    explicit ProfileBook(RegistryStore& store);

    // Reads the store: the values in the reverse of their stored order (each new one goes on top),
    // then, with `autoSort`, sorted ascending on `sortColumn`. A value name of kLongestText + 1
    // characters or more ends the reading, as for the other saved lists.
    void load(bool autoSort, int sortColumn);
    void clear();

    const std::vector<ProfileEntry>& entries() const { return m_entries; }
    int size() const { return int(m_entries.size()); }
    const ProfileEntry& at(int row) const { return m_entries.at(std::size_t(row)); }
    // The row of the profile a name stands for: the one of that exact name, else the one whose name
    // differs only in case.
    std::optional<int> rowOf(const QString& name) const;

    // What the command does with these texts (it is disabled while either is empty).
    ProfileAction decide(const QString& name, const QString& address) const;
    static bool canApply(const QString& name, const QString& address) {
        return !name.isEmpty() && !address.isEmpty();
    }

    // The command's result: what it did, or why it did nothing, and the row to focus afterwards.
    struct Outcome {
        std::optional<ProfileAction> action;
        ProfileRefusal refusal = ProfileRefusal::None;
        std::optional<int> focusRow;
    };
    // Adds, updates or deletes the profile the two texts describe, writing the store at once, and keeps
    // the list sorted when asked. The caller asks before a deletion.
    Outcome apply(const QString& name, const QString& address, bool autoSort, int sortColumn);

    // Renames the profile of a row. An empty name or the current one changes nothing and refuses
    // nothing; the name of another profile (letter case aside) and a too long name are refused. After a
    // rename, with `autoSort` on the name column, the list is read again and sorted.
    struct RenameOutcome {
        bool renamed = false;
        ProfileRefusal refusal = ProfileRefusal::None;
        std::optional<int> row; // the renamed profile's row
    };
    RenameOutcome rename(int row, const QString& newName, bool autoSort, int sortColumn);

    // Sorts on a column, comparing without regard to case; equal entries keep their order.
    void sort(int column, bool ascending);
    // The column the list was last sorted on and in which direction; none once it was read unsorted.
    struct SortState {
        int column = kNameColumn;
        bool ascending = true;
    };
    std::optional<SortState> sortState() const { return m_sorted; }
    // A header click: descending when that column is sorted ascending, ascending otherwise.
    void sortByHeader(int column);

    // Why the store did not take the last change refused as NotSaved.
    const QString& notSavedReason() const { return m_notSavedReason; }

    // Names and addresses of this many characters or fewer are accepted.
    static constexpr int kLongestText = 99;

private:
    void sortIfAuto(bool autoSort, int sortColumn);

    RegistryStore& m_store;
    std::vector<ProfileEntry> m_entries;
    std::optional<SortState> m_sorted;
    QString m_notSavedReason;
};

} // namespace vantrel::settings
