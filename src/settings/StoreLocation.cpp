#include "settings/StoreLocation.h"

#include <QDir>

namespace vantrel::settings {

StoreLocation StoreLocation::resolve(const std::optional<QString>& configDirArgument) {
    if (configDirArgument && !configDirArgument->isEmpty())
        return {QDir::cleanPath(QDir::current().absoluteFilePath(*configDirArgument))};

    const QString fromEnvironment = qEnvironmentVariable("VANTREL_CONFIG_DIR");
    if (!fromEnvironment.isEmpty())
        return {QDir::cleanPath(QDir::current().absoluteFilePath(fromEnvironment))};

    // The XDG rules say a relative XDG_CONFIG_HOME is to be ignored.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return {QDir::cleanPath(base + QLatin1Char('/') + QLatin1String(kCompanyKey) + QLatin1Char('/') +
                            QLatin1String(kProductKey))};
}

QString StoreLocation::storeFile() const {
    return directory + QLatin1Char('/') + QLatin1String(kStoreFileName);
}

} // namespace vantrel::settings
