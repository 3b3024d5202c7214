#include "settings/ListScanAddressList.h"

#include "settings/ControlCharacters.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"

namespace vantrel::settings {

ListScanAddressList::ListScanAddressList(RegistryStore& store, QStringList entries)
    : m_store(store)
    , m_entries(std::move(entries)) {}

QString ListScanAddressList::caseTwin(const QString& typed) const {
    for (const QString& entry : m_entries)
        if (entry != typed && entry.compare(typed, Qt::CaseInsensitive) == 0)
            return entry;
    return {};
}

AddressEdit ListScanAddressList::addOrDelete(const QString& typed, bool sorted) {
    return contains(typed) ? remove(typed, sorted) : add(typed, sorted);
}

AddressEdit ListScanAddressList::add(const QString& typed, bool sorted) {
    if (typed.isEmpty())
        return AddressEdit::Empty;
    if (typed.size() > kLongestAddress)
        return AddressEdit::TooLong;
    if (containsControlCharacter(typed))
        return AddressEdit::ControlCharacter;
    if (contains(typed))
        return AddressEdit::AlreadyListed;
    if (!caseTwin(typed).isEmpty())
        return AddressEdit::CaseTwin;
    if (const StoreWrite stored = m_store.WriteProfileString(section::kListScanHosts, typed, typed);
        !stored) {
        m_notSavedReason = stored.reason();
        return AddressEdit::NotSaved;
    }
    m_entries.append(typed);
    if (sorted)
        sortListEntries(m_entries);
    return AddressEdit::Added;
}

AddressEdit ListScanAddressList::remove(const QString& typed, bool sorted) {
    if (!contains(typed))
        return AddressEdit::NotListed;
    // A value that is not there (the entry's name and text differ in an imported store) is no failure;
    // one still there after the delete is.
    if (const StoreWrite deleted = m_store.deleteValue(section::kListScanHosts, typed); !deleted.gone()) {
        m_notSavedReason = deleted.reason();
        return AddressEdit::NotSaved;
    }
    m_entries.removeOne(typed);
    if (sorted)
        sortListEntries(m_entries);
    return AddressEdit::Deleted;
}

} // namespace vantrel::settings
