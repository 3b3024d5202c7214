#include "app/DefaultProgramOpener.h"

#include <QMimeDatabase>
#include <QProcess>

namespace vantrel::app {
namespace {

// Whether a default program is set for a MIME type.
bool hasDefaultProgram(const QString& mimeType) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

bool openWithDefaultProgram(const QString& absolutePath) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(absolutePath);
    // A default may be set under the type's name or one of its aliases (text/rtf, application/rtf).
    QStringList names{type.name()};
    names += type.aliases();
    for (const QString& name : names) {
        if (hasDefaultProgram(name))
            return QProcess::startDetached(QStringLiteral("xdg-open"), {absolutePath});
    }
    return false;
}

} // namespace vantrel::app
