#pragma once

#include "settings/StatementCache.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <string_view>

struct sqlite3;

namespace vantrel::settings {

// An open SQLite database, closed when it goes out of scope. It is set up the way the settings store
// relies on: every commit synced to disk, foreign keys on, a wait of a few seconds when another
// process holds the lock, and the SQL function casefold(text) that folds names as the store compares them.
class SqliteConnection {
public:
    enum class Mode { ReadWriteCreate, ReadOnly };

    // How long a statement waits for another process's lock before it fails as busy.
    static constexpr std::chrono::milliseconds kLockWait{10000};

    SqliteConnection() = default;
    ~SqliteConnection();
    SqliteConnection(SqliteConnection&& other) noexcept;
    SqliteConnection& operator=(SqliteConnection&& other) noexcept;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Opens a file; on failure the connection stays closed and lastError() tells why.
    bool open(const QString& path, Mode mode, std::chrono::milliseconds lockWait = kLockWait);
    // Opens a private database in memory.
    bool openInMemory();
    void close();

    bool isOpen() const { return m_db != nullptr; }
    bool isReadOnly() const;
    sqlite3* handle() const { return m_db; }

    // A statement of this connection for one use, compiled at its first use and kept until the connection
    // closes; it comes with no bindings and is reset when the lease ends.
    StatementCache::Lease prepared(std::string_view sql) const { return m_statements.take(m_db, sql); }

    // Runs one or more statements without results; returns the SQLite result code.
    int exec(const char* sql);
    // Runs a statement that answers one number (a pragma, a count); `failed` when it cannot.
    qint64 queryNumber(const char* sql, qint64 failed = -1);

    // Copies this whole database into another open connection.
    bool copyTo(SqliteConnection& target);

    int lastErrorCode() const { return m_lastError; }
    QString lastErrorText() const { return m_lastErrorText; }
    void noteError(int code);

private:
    bool openAt(const QByteArray& name, int flags, std::chrono::milliseconds lockWait);
    void configure(std::chrono::milliseconds lockWait);

    sqlite3* m_db = nullptr;
    mutable StatementCache m_statements;
    int m_lastError = 0;
    QString m_lastErrorText;
};

} // namespace vantrel::settings
