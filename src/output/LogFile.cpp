#include "output/LogFile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::output {
namespace {

std::error_code lastError() {
    return std::error_code(errno, std::generic_category());
}

// Cuts the file back after a failed write. Shrinking needs no space, so only an interrupt stops it.
void truncateTo(int fd, std::int64_t size) {
    while (::ftruncate(fd, off_t(size)) != 0 && errno == EINTR) {
    }
}

} // namespace

std::unique_ptr<LogFile> LogFile::open(const QString& path, std::error_code& error) {
    error.clear();
    if (path.isEmpty()) {
        error = std::make_error_code(std::errc::no_such_file_or_directory);
        return nullptr;
    }
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = lastError();
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? std::make_error_code(std::errc::is_a_directory)
                                      : std::make_error_code(std::errc::invalid_argument);
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<LogFile>(new LogFile(fd, path));
}

LogFile::~LogFile() {
    ::close(m_fd);
}

std::int64_t LogFile::size(std::error_code& error) const {
    error.clear();
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        error = lastError();
        return -1;
    }
    return std::int64_t(info.st_size);
}

std::error_code LogFile::writeAll(QByteArrayView bytes, std::int64_t offset) {
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::pwrite(m_fd, data, std::size_t(left), off_t(offset));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        if (written == 0)
            return std::make_error_code(std::errc::no_space_on_device);
        data += written;
        left -= written;
        offset += written;
    }
    return {};
}

std::error_code LogFile::writeAtStart(QByteArrayView piece) {
    std::error_code error = writeAll(piece, 0);
    if (error)
        truncateTo(m_fd, 0);
    return error;
}

std::error_code LogFile::writeOverLastByte(QByteArrayView piece) {
    std::error_code error;
    const std::int64_t oldSize = size(error);
    if (error)
        return error;
    if (oldSize == 0)
        return writeAtStart(piece);
    if (piece.isEmpty())
        return {};
    if (piece.size() > 1) {
        if ((error = writeAll(piece.sliced(1), oldSize))) {
            truncateTo(m_fd, oldSize); // cut off whatever part of the piece reached the file
            return error;
        }
    }
    if ((error = writeAll(piece.first(1), oldSize - 1))) {
        truncateTo(m_fd, oldSize);
        return error;
    }
    return {};
}

std::error_code LogFile::clear() {
    if (::ftruncate(m_fd, 0) != 0)
        return lastError();
    return {};
}

} // namespace vantrel::output
