#include "settings/SqliteConnection.h"

#include "settings/SqliteStatement.h"

#include <sqlite3.h>
#include <utility>

namespace vantrel::settings {

namespace {

void caseFoldFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QByteArray folded = QString::fromUtf8(text, sqlite3_value_bytes(argv[0])).toCaseFolded().toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

// Each connection's page cache would start with a bulk allocation for 20 pages, set up page by page; the
// store is a few pages, so that costs a page fault for each at every start (vantrel-cli's above all).
// Without it, cache pages come from malloc as they are read. SQLite would also count every allocation
// under a global mutex, for statistics nobody reads. This must come before SQLite's first use in the
// process; should anything have used SQLite earlier, the calls are refused and the defaults stay.
void configureBeforeFirstUse() {
    static const bool configured [[maybe_unused]] = [] {
        return sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0) == SQLITE_OK &&
               sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
    }();
}

} // namespace

SqliteConnection::~SqliteConnection() {
    close();
}

SqliteConnection::SqliteConnection(SqliteConnection&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr))
    , m_statements(std::move(other.m_statements))
    , m_lastError(other.m_lastError)
    , m_lastErrorText(std::move(other.m_lastErrorText)) {}

SqliteConnection& SqliteConnection::operator=(SqliteConnection&& other) noexcept {
    if (this != &other) {
        close();
        m_db = std::exchange(other.m_db, nullptr);
        m_statements = std::move(other.m_statements);
        m_lastError = other.m_lastError;
        m_lastErrorText = std::move(other.m_lastErrorText);
    }
    return *this;
}

bool SqliteConnection::open(const QString& path, Mode mode, std::chrono::milliseconds lockWait) {
    return openAt(path.toUtf8(),
                  mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                  lockWait);
}

bool SqliteConnection::openInMemory() {
    return openAt(QByteArrayLiteral(":memory:"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, kLockWait);
}

bool SqliteConnection::openAt(const QByteArray& name, int flags, std::chrono::milliseconds lockWait) {
    close();
    configureBeforeFirstUse();
    const int rc = sqlite3_open_v2(name.constData(), &m_db, flags | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        noteError(rc);
        close();
        return false;
    }
    configure(lockWait);
    return true;
}

void SqliteConnection::configure(std::chrono::milliseconds lockWait) {
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, int(lockWait.count()));
    sqlite3_create_function(m_db, "casefold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            &caseFoldFunction, nullptr, nullptr);
    // A commit returns only once it is on disk: a process killed afterwards loses nothing. These fail
    // on a file that is no database, which the caller finds out when it checks the file.
    exec("PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL;");
}

void SqliteConnection::close() {
    // A statement left unfinalised would keep the database open after the close.
    m_statements.clear();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool SqliteConnection::isReadOnly() const {
    return m_db && sqlite3_db_readonly(m_db, "main") == 1;
}

int SqliteConnection::exec(const char* sql) {
    if (!m_db)
        return SQLITE_MISUSE;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        noteError(rc);
    return rc;
}

qint64 SqliteConnection::queryNumber(const char* sql, qint64 failed) {
    if (!m_db)
        return failed;
    SqliteStatement statement(m_db, sql);
    if (statement.step() != SQLITE_ROW) {
        noteError(sqlite3_errcode(m_db));
        return failed;
    }
    return statement.columnInt(0);
}

bool SqliteConnection::copyTo(SqliteConnection& target) {
    sqlite3_backup* backup = sqlite3_backup_init(target.m_db, "main", m_db, "main");
    if (!backup) {
        target.noteError(sqlite3_errcode(target.m_db));
        return false;
    }
    sqlite3_backup_step(backup, -1);
    const int rc = sqlite3_backup_finish(backup);
    if (rc != SQLITE_OK)
        noteError(rc);
    return rc == SQLITE_OK;
}

void SqliteConnection::noteError(int code) {
    m_lastError = code;
    const char* message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(code);
    m_lastErrorText = QString::fromUtf8(message ? message : sqlite3_errstr(code));
}

} // namespace vantrel::settings
