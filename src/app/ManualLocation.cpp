#include "app/ManualLocation.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel::app {

QString manualPath(const QString& homeDir, const QString& programDir, const QString& fileName) {
    const QString beside = homeDir + fileName;
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed =
        QDir::cleanPath(programDir + QStringLiteral("/../share/doc/vantrel/") + fileName);
    return QFileInfo::exists(installed) ? installed : beside;
}

} // namespace vantrel::app
