#pragma once

#include "settings/OptionSet.h"
#include "settings/StoreWrite.h"

#include <QStringList>

namespace vantrel::settings {

class RegistryStore;

// What the store holds for the program at start (and after an import): every option, already
// corrected into its valid range as its pane would correct it, and the two saved scan lists.
struct LoadedSettings {
    OptionSet options;
    QStringList listScanAddresses; // in the store's order, or sorted when ListScanAutoSort is on
    QStringList seqScanGroups;     // likewise, sorted when SeqScanAutoSort is 1
};

// The store's section names.
namespace section {
inline const QString kOptions = QStringLiteral("Options");
inline const QString kMru = QStringLiteral("MRU");
inline const QString kListScanHosts = QStringLiteral("ListScan\\Hosts");
inline const QString kSeqScan = QStringLiteral("SeqScan");
} // namespace section

// Reads every option and both scan lists. A missing value reads as its default; nothing is written.
LoadedSettings LoadSettings(const RegistryStore& store);

// Writes every option, each into its section, from the values the panes show (flags as 0 or 1). The one
// box behind Sort and AutoSort is the AutoSort value, and it is written under both names. All of them
// are stored in one commit, or none.
StoreWrite SaveSettings(RegistryStore& store, const OptionSet& shown);

// The entries of a saved list (section kListScanHosts or kSeqScan) in the store's order, up to the first
// value name that is too long; sorted as its auto-sort does when `sorted`. A run whose options differ
// from the stored ones reads its list with this.
QStringList loadSavedList(const RegistryStore& store, const QString& section, bool sorted);

// Sorts a saved list's entries as its auto-sort does: without regard to case, equal ones keeping their
// order.
void sortListEntries(QStringList& entries);

// Value names this long or longer end the enumeration of a saved list.
inline constexpr int kListValueNameLimit = 100;

} // namespace vantrel::settings
