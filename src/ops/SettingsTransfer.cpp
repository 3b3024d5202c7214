#include "ops/SettingsTransfer.h"

#include "settings/CheckImportLimits.h"
#include "settings/RegistryStore.h"
#include "text/MessageTexts.h"

#include <QFileInfo>

namespace vantrel::ops {

namespace {

TransferReport failure(const QString& caption, const QString& text) {
    return {false, caption, text, MessageIcon::Error};
}

// What goes beyond the program's own limits, and where.
QString breachText(const settings::ImportLimitBreach& breach) {
    using Kind = settings::ImportLimitBreach::Kind;
    switch (breach.kind) {
    case Kind::TooLong:
        return output::fill(output::res::kImportTooLong, breach.where, breach.limit);
    case Kind::TooLarge:
        return output::fill(output::res::kImportTooLarge, breach.where, breach.limit);
    case Kind::Empty:
        return output::fill(output::res::kImportEmpty, breach.where);
    case Kind::ControlCharacter:
        return output::fill(output::res::kImportControlCharacter, breach.where);
    case Kind::Backslash:
        return output::fill(output::res::kImportBackslash, breach.where);
    case Kind::TooDeep:
        break;
    }
    return output::fill(output::res::kImportTooDeep, breach.where);
}

} // namespace

SettingsTransfer::SettingsTransfer(settings::RegistryStore& store, QString homeDir)
    : m_store(store)
    , m_homeDir(std::move(homeDir)) {}

QString SettingsTransfer::defaultFile() const {
    return m_homeDir + output::text(output::res::kExportFileName);
}

bool SettingsTransfer::isDefaultFile(const QString& file) const {
    return QFileInfo(file).absoluteFilePath() == QFileInfo(defaultFile()).absoluteFilePath();
}

TransferReport SettingsTransfer::exportTo(const QString& file) const {
    if (const auto error = m_store.saveToFile(file))
        return failure(output::text(output::res::kExportErrorCaption),
                       isDefaultFile(file)
                           ? output::fill(output::res::kExportSaveFailed, error->code, error->text)
                           : output::fill(output::res::kExportSaveFailedTo, file, error->code, error->text));
    // The texts of the export file name it and its folder; any other file is named as given.
    const QString text = isDefaultFile(file) ? output::fill(output::res::kExportSucceeded, m_homeDir)
                                             : output::fill(output::res::kExportSucceededTo, file);
    return {true, output::text(output::res::kExportSuccessCaption), text, MessageIcon::Information};
}

TransferReport SettingsTransfer::importFrom(const QString& file) {
    const QString caption = output::text(output::res::kImportErrorCaption);
    if (!QFileInfo(file).isFile())
        return failure(caption, isDefaultFile(file) ? output::fill(output::res::kImportFileMissing, m_homeDir)
                                                    : output::fill(output::res::kImportFileNotFound, file));
    // The file's content is held to the limits the program's own commands keep.
    std::optional<settings::ImportLimitBreach> breach;
    const auto error = m_store.restoreFromFile(file, [&breach](const settings::RegistryStore& incoming) {
        breach = settings::CheckImportLimits(incoming);
        return !breach;
    });
    if (breach)
        return failure(caption, output::fill(output::res::kImportRefused, breachText(*breach)));
    if (error)
        return failure(caption, output::fill(output::res::kImportRestoreFailed, error->code, error->text));
    return {true, output::text(output::res::kImportSuccessCaption),
            output::text(output::res::kImportSucceeded), MessageIcon::Information};
}

} // namespace vantrel::ops
