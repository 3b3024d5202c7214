#include "settings/StatementCache.h"

#include <utility>

namespace vantrel::settings {

StatementCache::Lease::Lease(SqliteStatement* lent, bool* inUse)
    : m_statement(lent)
    , m_inUse(inUse) {
    *m_inUse = true;
}

StatementCache::Lease::Lease(std::unique_ptr<SqliteStatement> own)
    : m_own(std::move(own))
    , m_statement(m_own.get()) {}

StatementCache::Lease::Lease(Lease&& other) noexcept
    : m_own(std::move(other.m_own))
    , m_statement(other.m_statement)
    , m_inUse(std::exchange(other.m_inUse, nullptr)) {}

StatementCache::Lease::~Lease() {
    if (!m_inUse)
        return;
    m_statement->reset();
    m_statement->clearBindings();
    *m_inUse = false;
}

StatementCache::Lease StatementCache::take(sqlite3* db, std::string_view sql) {
    const auto found = m_entries.find(sql);
    if (found != m_entries.end()) {
        if (found->second.inUse)
            return Lease(std::make_unique<SqliteStatement>(db, sql));
        return Lease(found->second.statement.get(), &found->second.inUse);
    }
    auto statement = std::make_unique<SqliteStatement>(db, sql);
    // A statement that failed to compile (the file locked while its schema was read) is tried afresh
    // at its next use.
    if (!statement->isValid() || m_entries.size() >= kMaxStatements)
        return Lease(std::move(statement));
    Entry& entry = m_entries.emplace(std::string(sql), Entry{std::move(statement)}).first->second;
    return Lease(entry.statement.get(), &entry.inUse);
}

} // namespace vantrel::settings
