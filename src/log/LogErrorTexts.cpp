#include "log/LogErrorTexts.h"

#include "log/LogDocumentCheck.h"
#include "text/MessageTexts.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace vantrel::output {

QString clearLogErrorText(std::error_code error) {
    QString cause;
    switch (error.value()) {
    case ENOENT:
        cause = text(res::kFileNotFound);
        break;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        cause = text(res::kFileBadPath);
        break;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        cause = text(res::kFileAccessDenied);
        break;
    case EBADF:
        cause = text(res::kFileInvalidHandle);
        break;
    case ESPIPE:
    case EOVERFLOW:
        cause = text(res::kFileBadSeek);
        break;
    case EMFILE:
    case ENFILE:
    case ENOSPC:
    case EDQUOT:
    case EIO:
    case EAGAIN:
    case EDEADLK:
    case ENOLCK:
        cause = fill(res::kFileErrorNumber, error.value());
        break;
    default:
        cause = text(res::kFileGenericError);
        break;
    }
    return fill(res::kClearLogFailed, cause);
}

namespace {

QString showLogReason(OpenFailure failure) {
    switch (failure) {
    case OpenFailure::FileNotFound:
        return text(res::kShowLogNotFound);
    case OpenFailure::PathNotFound:
        return text(res::kShowLogPathNotFound);
    case OpenFailure::AccessDenied:
        return text(res::kShowLogAccessDenied);
    case OpenFailure::OutOfMemory:
        return text(res::kShowLogOutOfMemory);
    case OpenFailure::SharingViolation:
        return text(res::kShowLogSharingViolation);
    case OpenFailure::AssociationIncomplete:
        return text(res::kShowLogAssociationIncomplete);
    case OpenFailure::NoAssociation:
        return text(res::kShowLogNoAssociation);
    }
    return fill(res::kShowLogErrorCode, unsigned(failure));
}

} // namespace

QString showLogErrorText(OpenFailure failure, const QString& path) {
    const QFileInfo file(path);
    if (failure == OpenFailure::NoAssociation || failure == OpenFailure::AssociationIncomplete)
        return fill(res::kShowLogNoProgram, showLogReason(failure), file.absoluteFilePath(),
                    file.absolutePath());
    return fill(res::kShowLogFileNamed, showLogReason(failure), file.absoluteFilePath());
}

QString openLogErrorText(const QString& path, std::error_code error) {
    const QString reason = QString::fromStdString(error.message());
    if (error.category() == logFaultCategory())
        return fill(res::kLogNotALog, path, reason);
    return fill(res::kLogOpenFailed, path, reason);
}

QString writeLogErrorText(std::error_code error) {
    if (error.value() == ENOSPC || error.value() == EDQUOT)
        return text(res::kLogDiskFull);
    return fill(res::kLogWriteFailed, QString::fromStdString(error.message() + "."));
}

} // namespace vantrel::output
