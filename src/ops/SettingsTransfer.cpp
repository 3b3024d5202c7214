#include "ops/SettingsTransfer.h"

#include "output/MessageTexts.h"
#include "settings/RegistryStore.h"

#include <QFileInfo>

namespace vantrel::ops {

namespace {

TransferReport failure(const QString& caption, const QString& text) {
    return {false, caption, text, MessageIcon::Error};
}

// The folder the texts name: the home folder for the export file, else the folder of the file given.
QString folderOf(const QString& file) {
    return QFileInfo(file).absolutePath() + QLatin1Char('/');
}

} // namespace

SettingsTransfer::SettingsTransfer(settings::RegistryStore& store, QString homeDir)
    : m_store(store)
    , m_homeDir(std::move(homeDir)) {}

QString SettingsTransfer::defaultFile() const {
    return m_homeDir + output::text(output::res::kExportFileName);
}

TransferReport SettingsTransfer::exportTo(const QString& file) const {
    if (const auto error = m_store.saveToFile(file))
        return failure(output::text(output::res::kExportErrorCaption),
                       output::fill(output::res::kExportSaveFailed, error->code, error->text));
    return {true, output::text(output::res::kExportSuccessCaption),
            output::fill(output::res::kExportSucceeded, folderOf(file)), MessageIcon::Information};
}

TransferReport SettingsTransfer::importFrom(const QString& file) {
    const QString caption = output::text(output::res::kImportErrorCaption);
    if (!QFileInfo(file).isFile())
        return failure(caption, output::fill(output::res::kImportFileMissing, folderOf(file)));
    if (const auto error = m_store.restoreFromFile(file))
        return failure(caption, output::fill(output::res::kImportRestoreFailed, error->code, error->text));
    return {true, output::text(output::res::kImportSuccessCaption),
            output::text(output::res::kImportSucceeded), MessageIcon::Information};
}

} // namespace vantrel::ops
