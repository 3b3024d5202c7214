#include "settings/SqliteStatement.h"

#include <sqlite3.h>

namespace vantrel::settings {

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) {
    m_prepareResult = sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &m_stmt, nullptr);
    if (m_prepareResult != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_stmt);
}

SqliteStatement& SqliteStatement::bind(int index, qint64 number) {
    sqlite3_bind_int64(m_stmt, index, number);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::bindBlob(int index, const QByteArray& bytes) {
    // A zero-length blob still binds as a blob, never as NULL.
    sqlite3_bind_blob(m_stmt, index, bytes.isEmpty() ? "" : bytes.constData(), int(bytes.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::bindNull(int index) {
    sqlite3_bind_null(m_stmt, index);
    return *this;
}

int SqliteStatement::step() {
    return m_stmt ? sqlite3_step(m_stmt) : m_prepareResult;
}

bool SqliteStatement::run() {
    int rc;
    while ((rc = step()) == SQLITE_ROW) {
    }
    return rc == SQLITE_DONE;
}

void SqliteStatement::reset() {
    sqlite3_reset(m_stmt);
}

void SqliteStatement::clearBindings() {
    if (m_stmt)
        sqlite3_clear_bindings(m_stmt);
}

qint64 SqliteStatement::columnInt(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

QString SqliteStatement::columnText(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column));
}

QByteArray SqliteStatement::columnBlob(int column) const {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
    return QByteArray(data, sqlite3_column_bytes(m_stmt, column));
}

bool SqliteStatement::columnIsInteger(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_INTEGER;
}

bool SqliteStatement::columnIsNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

} // namespace vantrel::settings
