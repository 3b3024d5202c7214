#include "settings/FileReplacement.h"

#include "text/MessageTexts.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::settings {

namespace {

QString systemText(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// A file that is there must be a regular one: anything else (a folder, a device, a pipe, a socket) is
// not ours to replace. `path` names no link here. Its permissions, when it is there, go to `mode`.
std::optional<FileProblem> checkRegular(const QByteArray& path, std::optional<mode_t>& mode) {
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        const int code = errno;
        return FileProblem{code, systemText(code)};
    }
    if (S_ISDIR(status.st_mode))
        return FileProblem{EISDIR, output::fill(output::res::kReplaceFolder, QFile::decodeName(path))};
    if (!S_ISREG(status.st_mode))
        return FileProblem{EINVAL, output::fill(output::res::kReplaceNotRegular, QFile::decodeName(path))};
    mode = status.st_mode & 07777;
    return std::nullopt;
}

} // namespace

FileReplacement::FileReplacement(const QString& target) {
    QByteArray path = QFile::encodeName(target);
    struct stat status {};
    if (::lstat(path.constData(), &status) == 0 && S_ISLNK(status.st_mode)) {
        // A link stays a link: the file it names takes the new content.
        char* resolved = ::realpath(path.constData(), nullptr);
        if (!resolved) {
            const int code = errno;
            m_problem =
                FileProblem{code, code == ENOENT ? output::fill(output::res::kReplaceDanglingLink, target)
                                                 : systemText(code)};
            return;
        }
        path = resolved;
        std::free(resolved);
    }
    std::optional<mode_t> mode;
    if ((m_problem = checkRegular(path, mode)))
        return;
    m_target = QFile::decodeName(path);

    // Hidden and unique beside the target, so that the rename stays within one file system.
    const QFileInfo info(m_target);
    QByteArray pattern = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                           QStringLiteral(".XXXXXX"));
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0) {
        fail(errno);
        return;
    }
    m_temporary = QFile::decodeName(pattern);
}

FileReplacement::~FileReplacement() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
}

void FileReplacement::fail(int code) {
    m_problem = FileProblem{code, systemText(code)};
}

std::optional<FileProblem> FileReplacement::commit() {
    if (m_problem)
        return m_problem;
    const QByteArray target = QFile::encodeName(m_target);
    // Looked at again just before the rename: the target may have changed while the content was written.
    std::optional<mode_t> mode;
    if ((m_problem = checkRegular(target, mode)))
        return m_problem;
    // A replaced file keeps its permissions; a new one stays readable by its owner only.
    if (mode && ::fchmod(m_fd, *mode) != 0) {
        fail(errno);
        return m_problem;
    }
    if (::fsync(m_fd) != 0 || ::rename(QFile::encodeName(m_temporary).constData(), target.constData()) != 0) {
        fail(errno);
        return m_problem;
    }
    m_temporary.clear();
    // The new name reaches the disk with the folder.
    const int folder = ::open(QFile::encodeName(QFileInfo(m_target).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return std::nullopt;
}

} // namespace vantrel::settings
