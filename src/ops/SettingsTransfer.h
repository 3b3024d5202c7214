#pragma once

#include "ops/OperationFrontEnd.h"

#include <QString>

namespace vantrel::settings {
class RegistryStore;
}

namespace vantrel::ops {

// The outcome of an export or import, as the box (or the command line) reports it.
struct TransferReport {
    bool succeeded = false;
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::Information;
};

// Moving the whole settings store to one file and back. The export file replaces an older one only once
// it is complete; an import checks the whole file first and then replaces the store in one transaction,
// so a refused or interrupted import leaves the settings as they were.
class SettingsTransfer {
public:
    // `homeDir` ends in a slash; it is where the export file lives by default and what the texts name.
    SettingsTransfer(settings::RegistryStore& store, QString homeDir);

    // The export file in the home folder.
    QString defaultFile() const;

    // Messages about the export file name it and the home folder; about any other file, that file.
    TransferReport exportTo(const QString& file) const;
    TransferReport importFrom(const QString& file);

private:
    bool isDefaultFile(const QString& file) const;

    settings::RegistryStore& m_store;
    QString m_homeDir;
};

} // namespace vantrel::ops
