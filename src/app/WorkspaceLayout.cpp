#include "app/WorkspaceLayout.h"

#include "app/VisualStyles.h"
#include "commands/CommandIds.h"
#include "settings/RegistryStore.h"

#include <QDataStream>
#include <QIODevice>
#include <array>

namespace vantrel::app {

namespace {

const QString kStateValue = QStringLiteral("MainFrameState");
const QString kGeometryValue = QStringLiteral("MainFrameGeometry");
const QString kHostHistoryValue = QStringLiteral("HostBoxHistory");
const QString kHiddenButtonsValue = QStringLiteral("HiddenButtons");
const QString kStatusBarValue = QStringLiteral("StatusBar");
const QString kApplicationLookValue = QStringLiteral("ApplicationLook");
const QString kBalloonTipsValue = QStringLiteral("EnableBalloonTips");

constexpr quint32 kHostHistoryMagic = 0x56484831; // "VHH1"
// A host text is at most a DNS name long; anything much longer is not a host list of ours.
constexpr qsizetype kMaxHostLength = 1024;

QString joinIds(const QList<int>& ids) {
    QStringList texts;
    for (int id : ids)
        texts.append(QString::number(id));
    return texts.join(QLatin1Char(','));
}

} // namespace

QByteArray encodeHostHistory(const QStringList& hosts) {
    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_4);
    stream << kHostHistoryMagic << hosts;
    return data;
}

std::optional<QStringList> decodeHostHistory(const QByteArray& data) {
    QDataStream stream(data);
    stream.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    stream >> magic;
    if (stream.status() != QDataStream::Ok || magic != kHostHistoryMagic)
        return std::nullopt;
    QStringList hosts;
    stream >> hosts;
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return std::nullopt;
    QStringList kept;
    for (const QString& host : hosts) {
        if (!host.isEmpty() && host.size() <= kMaxHostLength && !kept.contains(host, Qt::CaseInsensitive))
            kept.append(host);
    }
    return kept;
}

SavedLayout readWorkspaceLayout(const settings::RegistryStore& store, const QString& section) {
    SavedLayout layout;
    layout.state = store.GetProfileBinary(section, kStateValue).value_or(QByteArray());
    layout.geometry = store.GetProfileBinary(section, kGeometryValue).value_or(QByteArray());
    if (const auto data = store.GetProfileBinary(section, kHostHistoryValue))
        layout.hostHistory = decodeHostHistory(*data).value_or(QStringList());
    // An entry that is no command ID hides nothing.
    const QStringList hidden =
        store.GetProfileString(section, kHiddenButtonsValue).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& id : hidden) {
        bool number = false;
        const int value = id.trimmed().toInt(&number);
        if (number && value > 0 && !layout.hiddenButtons.contains(value))
            layout.hiddenButtons.append(value);
    }
    layout.statusBarShown = store.GetProfileInt(section, kStatusBarValue, 1) != 0;
    return layout;
}

settings::StoreWrite writeWorkspaceLayout(settings::RegistryStore& store, const SavedLayout& layout,
                                          const QString& section) {
    const std::array values = {
        settings::NamedValue{kStateValue, layout.state},
        settings::NamedValue{kGeometryValue, layout.geometry},
        settings::NamedValue{kHostHistoryValue, encodeHostHistory(layout.hostHistory)},
        settings::NamedValue{kHiddenButtonsValue, joinIds(layout.hiddenButtons)},
        settings::NamedValue{kStatusBarValue, layout.statusBarShown ? 1 : 0},
    };
    return store.writeValues(section, values);
}

int readApplicationLook(const settings::RegistryStore& store) {
    return validVisualStyle(store.GetProfileInt(kWorkspaceSection, kApplicationLookValue, cmd::kLookDefault));
}

settings::StoreWrite writeApplicationLook(settings::RegistryStore& store, int id) {
    return store.WriteProfileInt(kWorkspaceSection, kApplicationLookValue, id);
}

bool readBalloonTips(const settings::RegistryStore& store) {
    return store.GetProfileInt(kWorkspaceSection, kBalloonTipsValue, 1) == 1;
}

} // namespace vantrel::app
