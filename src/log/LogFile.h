#pragma once

#include "log/LogDocumentCheck.h"

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <system_error>

namespace vantrel::output {

// The open log file: read and write, created when missing, never truncated on open, and shared: other
// programs may read it while it grows, and other Vantrel processes may log into it at the same time.
//
// Every change is made under an exclusive lock on the file, and the file's size and closing brace are
// read from the file under that lock, never remembered, so two writers take turns and lose nothing.
// Each piece reaches the file in one write that puts it where the closing brace was, so the file is one
// RTF document after every write. A write that fails is cut back to the old length with its closing
// brace. A kill can still cut a write short (between two pages of the file, or at a full disk), so every
// write is noted on the file beforehand (an extended attribute) and rolled back by the next process that
// locks the file. A write past the process's file-size limit is refused before it starts.
//
// Only a regular file on a real file system is opened (LogTargetCheck). One that is not empty and not
// one complete RTF document is not opened, and a piece is never written over a last byte that is not a
// closing brace: a file that is not a log is left as it is (LogFault).
//
// A full log is moved aside whole (moveAside) rather than emptied. Another process writing the same log
// notices under the lock that its file no longer has the log's name and continues in the new one.
class LogFile {
public:
    // Missing: whether a missing file is created or left missing (an error, ENOENT).
    enum class Missing { Create, LeaveMissing };
    static std::unique_ptr<LogFile> open(const QString& path, std::error_code& error,
                                         Missing missing = Missing::Create);
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    const QString& path() const { return m_path; }

    // The file's length in bytes, or -1 with error set.
    std::int64_t size(std::error_code& error) const;

    // An empty file first receives header; then piece replaces the file's closing brace.
    std::error_code append(QByteArrayView header, QByteArrayView piece);
    // An empty file receives header, any other the separator over its closing brace.
    std::error_code start(QByteArrayView header, QByteArrayView separator);

    // Empties the file; it stays open.
    std::error_code clear();
    // Renames the whole file to `previous`, replacing an older file of that name, and puts a new document
    // holding only header under the log's name; later writes go there. Renames and links only, so whenever
    // the process stops both names hold complete documents (the log's name, for an instant, none). When
    // another process moved the file already, this one only follows it to the new one (moved is false).
    std::error_code moveAside(const QString& previous, QByteArrayView header, bool& moved);

private:
    LogFile(int fd, QString path)
        : m_fd(fd)
        , m_path(std::move(path)) {}

    enum class OnEmpty { HeaderThenPiece, HeaderOnly };
    // Whether the log's name no longer leads to this file (another process moved it aside, or it was
    // removed); checked under the lock.
    bool movedAway() const;
    // Runs change under the lock on the file that has the log's name, following it when it moved.
    std::error_code atTheLogsName(const std::function<std::error_code()>& change);
    // Continues in the file that now has the log's name.
    std::error_code reopen();
    std::error_code putNewDocument(QByteArrayView header, int& fd) const;
    std::error_code write(QByteArrayView header, QByteArrayView piece, OnEmpty onEmpty);
    std::error_code check();
    // The size under the lock, after rolling back a write that a kill cut short.
    std::int64_t settledSize(std::error_code& error);
    std::error_code replaceClosingBrace(QByteArrayView piece, std::int64_t size);
    // Writes bytes at `at` into the file of oldSize bytes, noted so that a cut is rolled back.
    std::error_code writeNoted(QByteArrayView bytes, std::int64_t at, std::int64_t oldSize);
    std::error_code writeAll(QByteArrayView bytes, std::int64_t offset);
    void cutBackTo(std::int64_t size);

    int m_fd;
    QString m_path;
};

// The file a full log is moved aside to, beside it: "Vtrlog.rtf" gives "Vtrlog.old.rtf", "log" gives
// "log.old".
QString previousLogPath(const QString& path);

} // namespace vantrel::output
