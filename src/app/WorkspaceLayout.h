#pragma once

#include "settings/StoreWrite.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vantrel::settings {
class RegistryStore;
}

namespace vantrel::app {

inline const QString kWorkspaceSection = QStringLiteral("Workspace");
// The copy of the layout taken when the program's version changed, which Reset GUI goes back to.
inline const QString kGuiRecoverySection = QStringLiteral("GUIRecovery");

// The window layout kept in the store's "Workspace" section: the main window's state (toolbars and
// docking panes), its geometry, the host box's drop-down list, which belongs to the Hosts toolbar, the
// toolbar buttons the user hid, and whether the status bar shows.
struct SavedLayout {
    QByteArray state;
    QByteArray geometry;
    QStringList hostHistory;
    QList<int> hiddenButtons; // command IDs
    bool statusBarShown = true;
};

// Reads the layout saved in a section; missing or unreadable parts come back empty.
SavedLayout readWorkspaceLayout(const settings::RegistryStore& store,
                                const QString& section = kWorkspaceSection);
// Writes the whole layout in one commit.
settings::StoreWrite writeWorkspaceLayout(settings::RegistryStore& store, const SavedLayout& layout,
                                          const QString& section = kWorkspaceSection);

// The visual style in force: `ApplicationLook`, default 214; a number that names no style reads as 214.
int readApplicationLook(const settings::RegistryStore& store);
// Whether input errors show as balloons on their boxes (EnableBalloonTips 1, or absent) or as message
// boxes (any other value).
bool readBalloonTips(const settings::RegistryStore& store);
settings::StoreWrite writeApplicationLook(settings::RegistryStore& store, int id);

// The host list as a binary value, and back; nothing for data that is not such a list.
QByteArray encodeHostHistory(const QStringList& hosts);
std::optional<QStringList> decodeHostHistory(const QByteArray& data);

} // namespace vantrel::app
