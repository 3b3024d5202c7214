#include "cli/PdfModuleLoader.h"

#include "cli/PdfModule.h"

#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <algorithm>

namespace vantrel::cli {

QString PdfModuleLoader::programDir() {
    // The link the kernel keeps to the running program, as QCoreApplication::applicationDirPath reads it.
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
}

QStringList PdfModuleLoader::candidates(const QString& programDir) {
    const QDir dir(programDir);
    const QString name = QString::fromLatin1(kFileName);
    return {dir.filePath(name),
            QDir::cleanPath(dir.filePath(QStringLiteral(VANTREL_PDF_MODULE_FROM_BIN "/") + name))};
}

PdfModuleLoader::Loaded PdfModuleLoader::load(const QString& programDir) {
    const QStringList places = candidates(programDir);
    const auto found = std::find_if(places.begin(), places.end(),
                                    [](const QString& path) { return QFileInfo::exists(path); });
    if (found == places.end())
        return {nullptr, QStringLiteral("--pdf needs the PDF module %1, which is neither at %2 nor at %3")
                             .arg(QString::fromLatin1(kFileName), places.first(), places.last())};
    QPluginLoader loader(*found);
    QObject* root = loader.instance();
    if (!root)
        return {nullptr,
                QStringLiteral("the PDF module %1 cannot be loaded: %2").arg(*found, loader.errorString())};
    auto* module = qobject_cast<PdfModule*>(root);
    if (!module)
        return {nullptr, QStringLiteral("%1 is not vantrel-cli's PDF module").arg(*found)};
    return {module, {}};
}

} // namespace vantrel::cli
