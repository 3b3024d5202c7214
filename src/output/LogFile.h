#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <memory>
#include <system_error>

namespace vantrel::output {

// The open log file: read and write, created when missing, never truncated on open, and shared (other
// programs may read it while it grows). Each write goes straight to the file, with no buffer in between.
class LogFile {
public:
    static std::unique_ptr<LogFile> open(const QString& path, std::error_code& error);
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    const QString& path() const { return m_path; }

    // The file's length in bytes, or -1 with error set.
    std::int64_t size(std::error_code& error) const;

    // Writes piece at the start of an empty file.
    std::error_code writeAtStart(QByteArrayView piece);

    // Writes piece so that its first byte replaces the file's last one. The part beyond the old end is
    // written first and only then the last byte replaced, so a write that fails (a full disk) is cut off
    // again and leaves the file exactly as it was.
    std::error_code writeOverLastByte(QByteArrayView piece);

    // Empties the file; it stays open.
    std::error_code clear();

private:
    LogFile(int fd, QString path)
        : m_fd(fd)
        , m_path(std::move(path)) {}

    std::error_code writeAll(QByteArrayView bytes, std::int64_t offset);

    int m_fd;
    QString m_path;
};

} // namespace vantrel::output
