#include "log/LogFile.h"

#include "log/LogTargetCheck.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

namespace vantrel::output {
namespace {

// Notes a write in progress: "<old size> <new size>". A kill can stop a write between two pages of the
// file, and a file-size limit or a full disk anywhere.
constexpr const char* kPendingWriteName = "user.vantrel.pending-write";
constexpr qsizetype kCheckChunk = 1 << 16;

std::error_code lastError() {
    return std::error_code(errno, std::generic_category());
}

// Holds the file's exclusive lock for one change. The lock belongs to this open file, so it also keeps
// apart two logs of one process, and a killed holder's lock goes with it. Holders keep it for one write
// or one check; a holder that never lets go (a stopped process) is waited for a while, not for ever.
class ExclusiveLock {
public:
    explicit ExclusiveLock(int fd)
        : m_fd(fd) {
        using namespace std::chrono_literals;
        const auto giveUp = std::chrono::steady_clock::now() + 10s;
        std::chrono::microseconds pause = 50us;
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR)
                continue;
            if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= giveUp) {
                m_error = lastError();
                return;
            }
            std::this_thread::sleep_for(pause);
            pause = std::min<std::chrono::microseconds>(pause * 2, 20ms);
        }
    }
    ~ExclusiveLock() {
        if (!m_error)
            ::flock(m_fd, LOCK_UN);
    }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

    const std::error_code& error() const { return m_error; }

private:
    int m_fd;
    std::error_code m_error;
};

struct PendingWrite {
    std::int64_t oldSize = 0;
    std::int64_t newSize = 0;
};

// A file system without extended attributes notes nothing; only a kill in the middle of a write is then
// left for the open-time check to find.
void notePendingWrite(int fd, PendingWrite write) {
    const std::string value = std::to_string(write.oldSize) + ' ' + std::to_string(write.newSize);
    ::fsetxattr(fd, kPendingWriteName, value.data(), value.size(), 0);
}

void forgetPendingWrite(int fd) {
    ::fremovexattr(fd, kPendingWriteName);
}

std::optional<PendingWrite> pendingWrite(int fd) {
    char value[64];
    const ssize_t length = ::fgetxattr(fd, kPendingWriteName, value, sizeof value);
    if (length <= 0)
        return std::nullopt;
    const char* end = value + length;
    PendingWrite write;
    const auto first = std::from_chars(value, end, write.oldSize);
    if (first.ec != std::errc() || first.ptr == end || *first.ptr != ' ')
        return std::nullopt;
    const auto second = std::from_chars(first.ptr + 1, end, write.newSize);
    if (second.ec != std::errc() || second.ptr != end)
        return std::nullopt;
    return write;
}

// A write past the process's file-size limit would be cut at the limit, and the process killed by
// SIGXFSZ unless it ignores it: such a write is refused before it starts.
bool beyondFileSizeLimit(std::int64_t end) {
    rlimit limit{};
    return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
           end > std::int64_t(limit.rlim_cur);
}

std::error_code writeAllTo(int fd, QByteArrayView bytes, std::int64_t offset) {
    if (beyondFileSizeLimit(offset + bytes.size()))
        return std::make_error_code(std::errc::file_too_large);
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::pwrite(fd, data, std::size_t(left), off_t(offset));
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

} // namespace

QString previousLogPath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash + 1) // no extension, or a name that only starts with a dot
        return path + QStringLiteral(".old");
    return path.left(dot) + QStringLiteral(".old") + path.mid(dot);
}

std::unique_ptr<LogFile> LogFile::open(const QString& path, std::error_code& error, Missing missing) {
    error.clear();
    if (path.isEmpty()) {
        error = std::make_error_code(std::errc::no_such_file_or_directory);
        return nullptr;
    }
    // Checked before the open too: opening a device or a pipe can itself do something.
    if ((error = logTargetFault(path)))
        return nullptr;
    const QByteArray name = QFile::encodeName(path);
    const int create = missing == Missing::Create ? O_CREAT : 0;
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | create | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = lastError();
        return nullptr;
    }
    // Again on what was opened, in case the name was changed in between.
    if ((error = logTargetFault(fd))) {
        ::close(fd);
        return nullptr;
    }
    std::unique_ptr<LogFile> file(new LogFile(fd, path));
    if ((error = file->check()))
        return nullptr;
    return file;
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

std::error_code LogFile::check() {
    const ExclusiveLock lock(m_fd);
    if (lock.error())
        return lock.error();
    std::error_code error;
    const std::int64_t size = settledSize(error);
    if (error)
        return error;
    LogDocumentCheck document;
    QByteArray chunk(kCheckChunk, Qt::Uninitialized);
    for (std::int64_t at = 0; at < size;) {
        const ssize_t read = ::pread(m_fd, chunk.data(), std::size_t(chunk.size()), off_t(at));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return lastError();
        if (read == 0)
            break;
        document.feed(QByteArrayView(chunk.constData(), read));
        at += read;
    }
    return document.result();
}

std::int64_t LogFile::settledSize(std::error_code& error) {
    std::int64_t size = this->size(error);
    if (error)
        return -1;
    if (const std::optional<PendingWrite> pending = pendingWrite(m_fd)) {
        // Shorter than after the write: it was cut short, perhaps after its first byte replaced the brace.
        if (pending->oldSize <= size && size < pending->newSize) {
            cutBackTo(pending->oldSize);
            size = this->size(error);
        }
        forgetPendingWrite(m_fd);
    }
    return size;
}

std::error_code LogFile::writeAll(QByteArrayView bytes, std::int64_t offset) {
    return writeAllTo(m_fd, bytes, offset);
}

void LogFile::cutBackTo(std::int64_t size) {
    std::error_code error;
    const std::int64_t now = this->size(error);
    if (!error && now > size)
        notePendingWrite(m_fd, {size, now + 1}); // a kill during the cut leaves it to the next lock
    // The brace first: until the cut the file then holds the old document and bytes after it.
    if (size > 0)
        writeAll("}", size - 1);
    int cut = 0;
    while ((cut = ::ftruncate(m_fd, off_t(size))) != 0 && errno == EINTR) {
    }
    if (cut == 0)
        forgetPendingWrite(m_fd);
}

std::error_code LogFile::replaceClosingBrace(QByteArrayView piece, std::int64_t size) {
    if (piece.isEmpty())
        return {};
    char last = 0;
    ssize_t read = 0;
    do {
        read = ::pread(m_fd, &last, 1, off_t(size - 1));
    } while (read < 0 && errno == EINTR);
    if (read < 0)
        return lastError();
    if (read != 1 || last != '}')
        return LogFault::Unclosed; // changed by another program: not ours to write over
    return writeNoted(piece, size - 1, size);
}

std::error_code LogFile::writeNoted(QByteArrayView bytes, std::int64_t at, std::int64_t oldSize) {
    notePendingWrite(m_fd, {oldSize, at + bytes.size()});
    if (const std::error_code error = writeAll(bytes, at)) {
        cutBackTo(oldSize);
        return error;
    }
    forgetPendingWrite(m_fd);
    return {};
}

std::error_code LogFile::atTheLogsName(const std::function<std::error_code()>& change) {
    for (;;) {
        {
            const ExclusiveLock lock(m_fd);
            if (lock.error())
                return lock.error();
            if (!movedAway())
                return change();
        }
        if (const std::error_code error = reopen())
            return error;
    }
}

std::error_code LogFile::write(QByteArrayView header, QByteArrayView piece, OnEmpty onEmpty) {
    return atTheLogsName([&]() -> std::error_code {
        std::error_code error;
        std::int64_t size = settledSize(error);
        if (error)
            return error;
        if (size == 0) {
            if ((error = writeNoted(header, 0, 0)))
                return error;
            if (onEmpty == OnEmpty::HeaderOnly)
                return {};
            size = header.size();
        }
        return replaceClosingBrace(piece, size);
    });
}

bool LogFile::movedAway() const {
    struct stat mine {};
    struct stat named {};
    if (::fstat(m_fd, &mine) != 0)
        return false;
    if (::stat(QFile::encodeName(m_path).constData(), &named) != 0)
        return errno == ENOENT;
    return mine.st_dev != named.st_dev || mine.st_ino != named.st_ino;
}

std::error_code LogFile::reopen() {
    std::error_code error;
    const std::unique_ptr<LogFile> named = open(m_path, error);
    if (!error)
        std::swap(m_fd, named->m_fd); // the old file is closed with `named`
    return error;
}

std::error_code LogFile::putNewDocument(QByteArrayView header, int& fd) const {
    const QByteArray name = QFile::encodeName(m_path);
    // Written before it has a name where the system allows, so the name never shows an empty file.
    const QByteArray folder = QFile::encodeName(QFileInfo(m_path).absolutePath());
    fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd >= 0) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        if (!writeAllTo(fd, header, 0) &&
            ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
            return {};
        const std::error_code error = lastError();
        ::close(fd);
        fd = -1;
        if (error.value() == EEXIST)
            return error;
    }
    fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return lastError();
    if (const std::error_code error = writeAllTo(fd, header, 0)) {
        ::close(fd);
        fd = -1;
        return error;
    }
    return {};
}

std::error_code LogFile::moveAside(const QString& previous, QByteArrayView header, bool& moved) {
    moved = false;
    int fresh = -1;
    {
        const ExclusiveLock lock(m_fd);
        if (lock.error())
            return lock.error();
        if (!movedAway()) {
            std::error_code error;
            settledSize(error); // a write cut short is rolled back before the file moves
            if (error)
                return error;
            if (::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(previous).constData()) != 0)
                return lastError();
            moved = true;
            error = putNewDocument(header, fresh);
            // Another process that found the name empty may have put its own new document there first.
            if (error && error.value() != EEXIST)
                return error;
        }
    }
    if (fresh < 0)
        return reopen();
    std::swap(m_fd, fresh);
    ::close(fresh);
    return {};
}

std::error_code LogFile::append(QByteArrayView header, QByteArrayView piece) {
    return write(header, piece, OnEmpty::HeaderThenPiece);
}

std::error_code LogFile::start(QByteArrayView header, QByteArrayView separator) {
    return write(header, separator, OnEmpty::HeaderOnly);
}

std::error_code LogFile::clear() {
    return atTheLogsName([&]() -> std::error_code {
        if (::ftruncate(m_fd, 0) != 0)
            return lastError();
        forgetPendingWrite(m_fd);
        return {};
    });
}

} // namespace vantrel::output
