#pragma once

#include "settings/OptionTable.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <optional>

namespace vantrel::settings {

class RegistryStore;
class LiveOptions;

// The six editable octet fields of a SeqScan range, in the order they are checked: the start's four
// octets, then the end's third and fourth (the end shares the start's first two).
enum class OctetField { Start1, Start2, Start3, Start4, End3, End4 };
inline constexpr std::size_t kOctetFieldCount = 6;

// The field whose text an option holds (SeqScanStart1 to SeqScanEnd4); none for any other option.
std::optional<OctetField> octetFieldOf(OptionId option);

// The octet fields' texts, as typed or as stored.
struct SeqScanOctets {
    std::array<QString, kOctetFieldCount> texts;

    QString& operator[](OctetField field) { return texts[std::size_t(field)]; }
    const QString& operator[](OctetField field) const { return texts[std::size_t(field)]; }
    bool operator==(const SeqScanOctets&) const = default;

    // The fields as the options SeqScanStart1 to SeqScanEnd4 hold them.
    static SeqScanOctets fromOptions(const LiveOptions& options);
    void toOptions(LiveOptions& options) const;
};

// The saved SeqScan groups: a list of names in the list's order and, per group, its octet texts. The
// store keeps one value per group in section SeqScan (name and data both the name) and the octets in
// the subkey SeqScan\NAME (START1 to START4, END3, END4). Every change is written at once, and the list
// changes only when the store took it.
class SeqScanGroups {
public:
    enum class AddResult {
        Added,
        Backslash,        // the name contains "\", which would name a deeper key
        TooLong,          // a value name this long would end the list's loading
        ControlCharacter, // a line break or another control character in the name
        NameTaken,        // a group of this name, ignoring case, is in the list: the store would share it
        NotWritten,       // the store refused the group (notSavedReason says why)
    };
    enum class RemoveResult {
        Removed,
        NotListed, // no group has exactly this name
        NotSaved,  // the store kept the group (notSavedReason says why)
    };

    // `names` as LoadSettings read them; sorted once when `autoSort`.
    SeqScanGroups(RegistryStore& store, QStringList names, bool autoSort);

    const QStringList& names() const { return m_names; }
    // The first group whose name equals `name` exactly, with regard to case.
    qsizetype indexOf(const QString& name) const { return m_names.indexOf(name); }
    // The group already listed under `name` ignoring case, or "" when none is.
    QString nameTaken(const QString& name) const;
    void setAutoSort(bool on);

    // Saves a group: the caller has checked the octets. Sorts the list when auto-sort is on.
    AddResult add(const QString& name, const SeqScanOctets& octets);
    // Removes the first group of exactly this name from the store and then from the list.
    RemoveResult remove(const QString& name);
    // A group's stored octets; missing values read as "".
    SeqScanOctets octets(const QString& name) const;
    // Why the store did not take the last change refused.
    const QString& notSavedReason() const { return m_notSavedReason; }

private:
    void sortIfAuto();

    RegistryStore& m_store;
    QStringList m_names;
    bool m_autoSort = false;
    QString m_notSavedReason;
};

} // namespace vantrel::settings
