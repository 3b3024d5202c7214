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

QString resolveHomeDir(const std::optional<QString>& homeDirArgument, const QString& executableDir) {
    QString dir;
    if (homeDirArgument && !homeDirArgument->isEmpty())
        dir = *homeDirArgument;
    else if (const QString fromEnvironment = qEnvironmentVariable("VANTREL_HOME"); !fromEnvironment.isEmpty())
        dir = fromEnvironment;
    else
        dir = executableDir;
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

} // namespace vantrel::settings
