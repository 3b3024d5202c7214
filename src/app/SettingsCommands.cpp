#include "app/SettingsCommands.h"

#include "app/WorkspaceLayout.h"
#include "ops/SettingsTransfer.h"
#include "rows/TimeStamp.h"
#include "settings/RegistryStore.h"
#include "text/MessageTexts.h"

#include <QFileInfo>

namespace vantrel::app {

namespace {

const QString kVersionSection = QStringLiteral("Version");
const QString kProductVersionValue = QStringLiteral("ProductVersion");

} // namespace

SettingsCommands::SettingsCommands(settings::RegistryStore& store, QString homeDir, QString productVersion,
                                   FrameParts frame)
    : m_store(store)
    , m_homeDir(std::move(homeDir))
    , m_productVersion(std::move(productVersion))
    , m_frame(std::move(frame)) {}

void SettingsCommands::ExportSettings() {
    ops::SettingsTransfer transfer(m_store, m_homeDir);
    const QString file = transfer.defaultFile();
    // The older file is replaced only once the new one is complete, so it is not deleted first.
    if (QFileInfo::exists(file) &&
        !m_frame.askOkCancel(output::text(output::res::kExportDeleteWarningCaption),
                             output::text(output::res::kExportDeleteWarning)))
        return;
    // The options are otherwise stored only at close: exported as they were then, a server typed since
    // would be missing from the file, and an import of it would clear the box.
    if (const settings::StoreWrite saved = m_frame.saveSettings(); !saved) {
        m_frame.showMessageBox(output::text(output::res::kExportErrorCaption),
                               output::fill(output::res::kExportSaveFailed, saved.code(), saved.reason()),
                               ops::MessageIcon::Error);
        return;
    }
    const ops::TransferReport report = transfer.exportTo(file);
    m_frame.showMessageBox(report.caption, report.text, report.icon);
}

void SettingsCommands::ImportSettings() {
    ops::SettingsTransfer transfer(m_store, m_homeDir);
    const QString file = transfer.defaultFile();
    const QFileInfo info(file);
    // Everything the user has is replaced: asked first, with the file and its age.
    if (info.isFile() && !m_frame.askOkCancel(output::text(output::res::kImportSuccessCaption),
                                              output::fill(output::res::kImportConfirm, file,
                                                           output::formatTimeStamp(info.lastModified()))))
        return;
    const ops::TransferReport report = transfer.importFrom(file);
    if (report.succeeded) {
        m_frame.reloadSettings();
        CheckProductVersion();
    }
    m_frame.showMessageBox(report.caption, report.text, report.icon);
}

bool SettingsCommands::versionMatches() const {
    return !m_productVersion.isEmpty() &&
           m_store.GetProfileString(kVersionSection, kProductVersionValue) == m_productVersion;
}

bool SettingsCommands::CheckProductVersion() {
    if (m_productVersion.isEmpty())
        return false;
    if (versionMatches())
        return true;
    m_store.deleteKey(kWorkspaceSection);
    m_store.deleteKey(kGuiRecoverySection);
    m_store.WriteProfileString(kVersionSection, kProductVersionValue, m_productVersion);
    m_frame.saveLayout(kGuiRecoverySection);
    m_frame.saveLayout(kWorkspaceSection);
    return false;
}

bool SettingsCommands::importAvailable() const {
    return QFileInfo(ops::SettingsTransfer(m_store, m_homeDir).defaultFile()).isFile();
}

QString SettingsCommands::exportTip() const {
    const bool exists = QFileInfo::exists(ops::SettingsTransfer(m_store, m_homeDir).defaultFile());
    return output::fill(exists ? output::res::kExportReplaceTip : output::res::kExportTip, m_homeDir);
}

QString SettingsCommands::importTip() const {
    return importAvailable() ? output::text(output::res::kImportTip)
                             : output::fill(output::res::kImportMissingTip, m_homeDir);
}

} // namespace vantrel::app
