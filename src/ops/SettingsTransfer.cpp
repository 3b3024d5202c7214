#include "ops/SettingsTransfer.h"

#include "output/MessageTexts.h"
#include "settings/CheckImportLimits.h"
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
