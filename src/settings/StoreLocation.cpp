#include "settings/StoreLocation.h"

#include <QDir>
#include <QFileInfo>

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

QString userDataDir() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QLatin1Char('/') + QLatin1String(StoreLocation::kCompanyKey) +
                           QLatin1Char('/') + QLatin1String(StoreLocation::kProductKey)) +
           QLatin1Char('/');
}

QString resolveHomeDir(const std::optional<QString>& homeDirArgument, const QString& executableDir) {
    QString dir;
    if (homeDirArgument && !homeDirArgument->isEmpty())
        dir = *homeDirArgument;
    else if (const QString fromEnvironment = qEnvironmentVariable("VANTREL_HOME"); !fromEnvironment.isEmpty())
        dir = fromEnvironment;
    else if (QFileInfo(executableDir).isWritable())
        dir = executableDir;
    else {
        dir = userDataDir(); // an installed program's folder belongs to the system, not to its users
        QDir().mkpath(dir);  // so that an export can be written there
    }
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

} // namespace vantrel::settings
