#pragma once

#include <QString>
#include <QStringList>

namespace vantrel::settings {

class RegistryStore;

// What an edit of the ListScan address list came to. Every result but Added and Deleted left the list
// and the store as they were.
enum class AddressEdit {
    Added,
    Deleted,
    Empty,            // no text to add
    TooLong,          // longer than an entry may be
    ControlCharacter, // holds a line break or another control character
    CaseTwin,         // equal to an entry ignoring case only: the store would keep one value for both
    AlreadyListed,    // exactly an entry already (adding only)
    NotListed,        // no entry is exactly this text (deleting only)
    NotSaved,         // the store did not take the change (notSavedReason says why)
};

// The ListScan address list with its store section: each address is one value of section
// "ListScan\Hosts", named and holding the address as typed. Entries are compared exactly, with regard to
// case; the store compares value names without it, so an address that differs from an entry only in case
// is refused rather than merged into it. Every change is written at once, and the list changes only when
// the store took it.
class ListScanAddressList {
public:
    // The longest address: a value name of kListValueNameLimit characters would end the loading of the
    // list at the next start.
    static constexpr qsizetype kLongestAddress = 99;

    // The list as LoadSettings loaded it, over the store it came from.
    ListScanAddressList(RegistryStore& store, QStringList entries);

    const QStringList& entries() const { return m_entries; }
    // Whether the text is exactly an entry: the button then deletes it.
    bool contains(const QString& typed) const { return m_entries.contains(typed, Qt::CaseSensitive); }
    // The entry equal to the text ignoring case but not exactly, or an empty text.
    QString caseTwin(const QString& typed) const;

    // The pane's button: deletes the typed address when it is an entry, else adds it. With `sorted`
    // (ListScanAutoSort) the list is sorted again afterwards, case-insensitively.
    AddressEdit addOrDelete(const QString& typed, bool sorted);
    AddressEdit add(const QString& typed, bool sorted);
    AddressEdit remove(const QString& typed, bool sorted);

    // Why the store did not take the last change refused as NotSaved.
    const QString& notSavedReason() const { return m_notSavedReason; }

private:
    RegistryStore& m_store;
    QStringList m_entries;
    QString m_notSavedReason;
};

} // namespace vantrel::settings
