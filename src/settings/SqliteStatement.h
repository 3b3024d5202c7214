#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace vantrel::settings {

// One prepared SQLite statement, finalised when it goes out of scope.
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    int prepareResult() const { return m_prepareResult; }

    // Parameters are numbered from 1, as in SQL.
    SqliteStatement& bind(int index, qint64 number);
    SqliteStatement& bind(int index, const QString& text);
    SqliteStatement& bindBlob(int index, const QByteArray& bytes);
    SqliteStatement& bindNull(int index);

    // Runs one step: SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Runs the statement to its end and tells whether it ended without error.
    bool run();
    // Makes the statement ready to run again; bindings stay until replaced.
    void reset();
    // Sets every parameter back to NULL.
    void clearBindings();

    qint64 columnInt(int column) const;
    QString columnText(int column) const;
    QByteArray columnBlob(int column) const;
    bool columnIsNull(int column) const;
    // Whether the column holds an integer (asked before the column is read in another type).
    bool columnIsInteger(int column) const;

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_prepareResult = 0;
};

} // namespace vantrel::settings
