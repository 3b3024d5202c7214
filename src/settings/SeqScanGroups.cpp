#include "settings/SeqScanGroups.h"

#include "settings/ControlCharacters.h"
#include "settings/LiveOptions.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"

#include <algorithm>
#include <vector>

namespace vantrel::settings {

namespace {

constexpr std::array<OptionId, kOctetFieldCount> kOctetOptions{
    OptionId::SeqScanStart1, OptionId::SeqScanStart2, OptionId::SeqScanStart3,
    OptionId::SeqScanStart4, OptionId::SeqScanEnd3,   OptionId::SeqScanEnd4};
const std::array<QString, kOctetFieldCount> kOctetValueNames{
    QStringLiteral("START1"), QStringLiteral("START2"), QStringLiteral("START3"),
    QStringLiteral("START4"), QStringLiteral("END3"),   QStringLiteral("END4")};

QString groupSection(const QString& name) {
    return section::kSeqScan + QLatin1Char('\\') + name;
}

} // namespace

std::optional<OctetField> octetFieldOf(OptionId option) {
    const auto found = std::find(kOctetOptions.begin(), kOctetOptions.end(), option);
    if (found == kOctetOptions.end())
        return std::nullopt;
    return OctetField(found - kOctetOptions.begin());
}

SeqScanOctets SeqScanOctets::fromOptions(const LiveOptions& options) {
    SeqScanOctets octets;
    for (std::size_t i = 0; i < kOctetFieldCount; ++i)
        octets.texts[i] = options.text(kOctetOptions[i]);
    return octets;
}

void SeqScanOctets::toOptions(LiveOptions& options) const {
    for (std::size_t i = 0; i < kOctetFieldCount; ++i)
        options.setText(kOctetOptions[i], texts[i]);
}

SeqScanGroups::SeqScanGroups(RegistryStore& store, QStringList names, bool autoSort)
    : m_store(store)
    , m_names(std::move(names))
    , m_autoSort(autoSort) {
    sortIfAuto();
}

QString SeqScanGroups::nameTaken(const QString& name) const {
    for (const QString& listed : m_names)
        if (listed.compare(name, Qt::CaseInsensitive) == 0)
            return listed;
    return QString();
}

void SeqScanGroups::setAutoSort(bool on) {
    m_autoSort = on;
    sortIfAuto();
}

void SeqScanGroups::sortIfAuto() {
    if (m_autoSort)
        std::stable_sort(m_names.begin(), m_names.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
}

SeqScanGroups::AddResult SeqScanGroups::add(const QString& name, const SeqScanOctets& octets) {
    if (name.contains(QLatin1Char('\\')))
        return AddResult::Backslash;
    if (name.size() >= kListValueNameLimit)
        return AddResult::TooLong;
    if (containsControlCharacter(name))
        return AddResult::ControlCharacter;
    if (!nameTaken(name).isEmpty())
        return AddResult::NameTaken;
    // The octets in one commit before the list names the group, so that a listed group always has them.
    std::vector<NamedValue> values;
    for (std::size_t i = 0; i < kOctetFieldCount; ++i)
        values.push_back({kOctetValueNames[i], octets.texts[i]});
    StoreWrite stored = m_store.writeValues(groupSection(name), values);
    if (stored)
        stored = m_store.WriteProfileString(section::kSeqScan, name, name);
    if (!stored) {
        // Octets that no listed group names are never read; they go when they can.
        m_store.deleteKey(groupSection(name));
        m_notSavedReason = stored.reason();
        return AddResult::NotWritten;
    }
    m_names.append(name);
    sortIfAuto();
    return AddResult::Added;
}

SeqScanGroups::RemoveResult SeqScanGroups::remove(const QString& name) {
    const qsizetype index = indexOf(name);
    if (index < 0)
        return RemoveResult::NotListed;
    // Unlisted first: octets left behind by a failed second step are never read.
    if (const StoreWrite unlisted = m_store.deleteValue(section::kSeqScan, name); !unlisted.gone()) {
        m_notSavedReason = unlisted.reason();
        return RemoveResult::NotSaved;
    }
    m_store.deleteKey(groupSection(name));
    m_names.removeAt(index);
    sortIfAuto();
    return RemoveResult::Removed;
}

SeqScanOctets SeqScanGroups::octets(const QString& name) const {
    SeqScanOctets octets;
    const StoreSection group = m_store.readSection(groupSection(name));
    for (std::size_t i = 0; i < kOctetFieldCount; ++i)
        octets.texts[i] = group.text(kOctetValueNames[i]);
    return octets;
}

} // namespace vantrel::settings
