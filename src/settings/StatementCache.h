#pragma once

#include "settings/SqliteStatement.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;

namespace vantrel::settings {

// The prepared statements of one connection, kept for its life under their SQL text, so that a statement
// run again is not compiled again. A statement is lent for one use at a time, and the end of the use
// resets it and clears its bindings: none stays in progress between uses, where it would hold the file's
// lock against other processes and stop a VACUUM or DETACH. A statement asked for while it is lent, one
// that does not compile and any beyond the cache's size are prepared for that one use.
class StatementCache {
public:
    // One use of a statement.
    class Lease {
    public:
        ~Lease();
        Lease(Lease&& other) noexcept;
        Lease& operator=(Lease&&) = delete;
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;

        SqliteStatement& operator*() const { return *m_statement; }
        SqliteStatement* operator->() const { return m_statement; }

    private:
        friend class StatementCache;
        Lease(SqliteStatement* lent, bool* inUse);
        explicit Lease(std::unique_ptr<SqliteStatement> own);

        std::unique_ptr<SqliteStatement> m_own;
        SqliteStatement* m_statement;
        bool* m_inUse = nullptr;
    };

    StatementCache() = default;
    StatementCache(StatementCache&&) noexcept = default;
    StatementCache& operator=(StatementCache&&) noexcept = default;

    Lease take(sqlite3* db, std::string_view sql);
    // Finalises every statement; the connection closes only after this.
    void clear() { m_entries.clear(); }

    static constexpr std::size_t kMaxStatements = 32;

private:
    struct Entry {
        std::unique_ptr<SqliteStatement> statement;
        bool inUse = false;
    };
    std::map<std::string, Entry, std::less<>> m_entries;
};

} // namespace vantrel::settings
