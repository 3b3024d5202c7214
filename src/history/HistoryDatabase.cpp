#include "history/HistoryDatabase.h"

#include "settings/SqliteStatement.h"

#include <functional>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace vantrel::history {

namespace {

constexpr std::int64_t kMinuteMs = 60'000;

constexpr const char* kSchema = R"sql(
CREATE TABLE host(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);
CREATE TABLE probe(host INTEGER NOT NULL REFERENCES host(id), time_ms INTEGER NOT NULL, rtt_us INTEGER);
CREATE INDEX probe_by_host ON probe(host, time_ms);
CREATE TABLE minute(host INTEGER NOT NULL REFERENCES host(id), minute INTEGER NOT NULL,
                    sent INTEGER NOT NULL, received INTEGER NOT NULL, rtt_sum_us INTEGER NOT NULL,
                    rtt_min_us INTEGER, rtt_max_us INTEGER, PRIMARY KEY(host, minute)) WITHOUT ROWID;
CREATE TABLE state_change(time_ms INTEGER NOT NULL, host TEXT NOT NULL, from_state TEXT NOT NULL,
                    to_state TEXT NOT NULL);
CREATE INDEX state_change_by_time ON state_change(time_ms);
)sql";

// What a file holds: nothing yet, a history of ours, or something else.
enum class FileKind { Empty, Ours, Foreign };

FileKind kindOf(settings::SqliteConnection& db) {
    const qint64 id = db.queryNumber("PRAGMA application_id");
    if (id == HistoryDatabase::kApplicationId)
        return db.queryNumber("PRAGMA user_version") == HistoryDatabase::kSchemaVersion ? FileKind::Ours
                                                                                        : FileKind::Foreign;
    return id == 0 && db.queryNumber("SELECT count(*) FROM sqlite_schema") == 0 ? FileKind::Empty
                                                                                : FileKind::Foreign;
}

std::optional<std::int64_t> optionalColumn(const settings::SqliteStatement& statement, int column) {
    return statement.columnIsNull(column) ? std::nullopt : std::optional(statement.columnInt(column));
}

void bindOptional(settings::SqliteStatement& statement, int index, std::optional<std::int64_t> value) {
    if (value)
        statement.bind(index, *value);
    else
        statement.bindNull(index);
}

// The sums of a row of `minute` (or of a probe read as one) in columns `first`..`first + 4`.
ProbeSums sumsAt(const settings::SqliteStatement& statement, int first) {
    ProbeSums sums;
    sums.sent = statement.columnInt(first);
    sums.received = statement.columnInt(first + 1);
    sums.roundTripSumUs = statement.columnInt(first + 2);
    sums.bestUs = optionalColumn(statement, first + 3);
    sums.worstUs = optionalColumn(statement, first + 4);
    return sums;
}

// Every minute row and probe of a host in a span, each as its sums: time, sent, received, round-trip sum,
// best and worst.
constexpr std::string_view kPointsOfAHost =
    "SELECT minute * 60000, sent, received, rtt_sum_us, rtt_min_us, rtt_max_us FROM minute "
    "WHERE host = (SELECT id FROM host WHERE name = ?1) AND minute * 60000 >= ?2 AND minute * 60000 < ?3 "
    "UNION ALL "
    "SELECT time_ms, 1, rtt_us IS NOT NULL, ifnull(rtt_us, 0), rtt_us, rtt_us FROM probe "
    "WHERE host = (SELECT id FROM host WHERE name = ?1) AND time_ms >= ?2 AND time_ms < ?3";
const std::string kPointsSql = std::string(kPointsOfAHost) + " ORDER BY 1";
const std::string kSumsSql = "SELECT count(*), ifnull(sum(sent), 0), ifnull(sum(received), 0), "
                             "ifnull(sum(rtt_sum_us), 0), min(rtt_min_us), max(rtt_max_us) FROM (" +
                             std::string(kPointsOfAHost) + ")";

} // namespace

HistoryDatabase::HistoryDatabase(settings::SqliteConnection db)
    : m_db(std::move(db)) {}

std::unique_ptr<HistoryDatabase> HistoryDatabase::open(const QString& path, QString& error) {
    settings::SqliteConnection db;
    if (!db.open(path, settings::SqliteConnection::Mode::ReadWriteCreate)) {
        error = db.lastErrorText();
        return nullptr;
    }
    switch (kindOf(db)) {
    case FileKind::Foreign:
        error = QStringLiteral("\"%1\" is not a Vantrel history file").arg(path);
        return nullptr;
    case FileKind::Empty: {
        // WAL first: it cannot change inside a transaction. NORMAL syncing loses at most the last batches
        // to a power cut, never the file's consistency.
        const QByteArray marks = QStringLiteral("PRAGMA application_id = %1; PRAGMA user_version = %2;")
                                     .arg(kApplicationId)
                                     .arg(kSchemaVersion)
                                     .toUtf8();
        if (db.exec("PRAGMA journal_mode = WAL") != SQLITE_OK || db.exec("BEGIN IMMEDIATE") != SQLITE_OK ||
            db.exec(kSchema) != SQLITE_OK || db.exec(marks.constData()) != SQLITE_OK ||
            db.exec("COMMIT") != SQLITE_OK) {
            error = db.lastErrorText();
            db.exec("ROLLBACK");
            return nullptr;
        }
        break;
    }
    case FileKind::Ours:
        break;
    }
    if (db.queryNumber("PRAGMA journal_mode = WAL") < 0 ||
        db.exec("PRAGMA synchronous = NORMAL") != SQLITE_OK) {
        error = db.lastErrorText();
        return nullptr;
    }
    return std::unique_ptr<HistoryDatabase>(new HistoryDatabase(std::move(db)));
}

bool HistoryDatabase::inTransaction(const std::function<bool()>& work) {
    if (m_db.exec("BEGIN IMMEDIATE") != SQLITE_OK)
        return false;
    if (work() && m_db.exec("COMMIT") == SQLITE_OK)
        return true;
    // The failure's own error stays the one told.
    const int code = m_db.lastErrorCode();
    sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    m_db.noteError(code);
    return false;
}

std::optional<qint64> HistoryDatabase::hostId(const QString& host) {
    auto insert = m_db.prepared("INSERT INTO host(name) VALUES(?1) ON CONFLICT(name) DO NOTHING");
    if (!insert->bind(1, host).run())
        return std::nullopt;
    auto select = m_db.prepared("SELECT id FROM host WHERE name = ?1");
    if (select->bind(1, host).step() != SQLITE_ROW)
        return std::nullopt;
    return select->columnInt(0);
}

bool HistoryDatabase::write(std::span<const ProbeSample> samples, std::span<const StateChange> changes) {
    return inTransaction([&] {
        for (const ProbeSample& sample : samples) {
            const std::optional<qint64> host = hostId(sample.host);
            if (!host)
                return false;
            auto insert = m_db.prepared("INSERT INTO probe(host, time_ms, rtt_us) VALUES(?1, ?2, ?3)");
            insert->bind(1, *host).bind(2, sample.timeMs);
            bindOptional(*insert, 3, sample.roundTripUs);
            if (!insert->run())
                return false;
        }
        for (const StateChange& change : changes) {
            auto insert = m_db.prepared(
                "INSERT INTO state_change(time_ms, host, from_state, to_state) VALUES(?1, ?2, ?3, ?4)");
            if (!insert->bind(1, change.timeMs)
                     .bind(2, change.host)
                     .bind(3, change.from)
                     .bind(4, change.to)
                     .run())
                return false;
        }
        return true;
    });
}

bool HistoryDatabase::compact(std::int64_t nowMs, std::chrono::hours retention) {
    const std::int64_t rawCut =
        (nowMs - std::chrono::duration_cast<std::chrono::milliseconds>(kRawKept).count()) / kMinuteMs *
        kMinuteMs;
    const std::int64_t keptFrom =
        nowMs - std::chrono::duration_cast<std::chrono::milliseconds>(retention).count();
    const bool done = inTransaction([&] {
        // A minute summed before (its probes written late) takes the new probes in.
        auto sum = m_db.prepared(
            "INSERT INTO minute(host, minute, sent, received, rtt_sum_us, rtt_min_us, rtt_max_us) "
            "SELECT host, time_ms / 60000, count(*), count(rtt_us), ifnull(sum(rtt_us), 0), min(rtt_us), "
            "max(rtt_us) FROM probe WHERE time_ms < ?1 GROUP BY host, time_ms / 60000 "
            "ON CONFLICT(host, minute) DO UPDATE SET sent = sent + excluded.sent, "
            "received = received + excluded.received, rtt_sum_us = rtt_sum_us + excluded.rtt_sum_us, "
            "rtt_min_us = CASE WHEN rtt_min_us IS NULL OR excluded.rtt_min_us < rtt_min_us "
            "THEN ifnull(excluded.rtt_min_us, rtt_min_us) ELSE rtt_min_us END, "
            "rtt_max_us = CASE WHEN rtt_max_us IS NULL OR excluded.rtt_max_us > rtt_max_us "
            "THEN ifnull(excluded.rtt_max_us, rtt_max_us) ELSE rtt_max_us END");
        if (!sum->bind(1, rawCut).run())
            return false;
        auto dropRaw = m_db.prepared("DELETE FROM probe WHERE time_ms < ?1 OR time_ms < ?2");
        auto dropMinutes = m_db.prepared("DELETE FROM minute WHERE minute * 60000 < ?1");
        auto dropChanges = m_db.prepared("DELETE FROM state_change WHERE time_ms < ?1");
        return dropRaw->bind(1, rawCut).bind(2, keptFrom).run() && dropMinutes->bind(1, keptFrom).run() &&
               dropChanges->bind(1, keptFrom).run() &&
               m_db.exec("DELETE FROM host WHERE id NOT IN (SELECT host FROM probe UNION SELECT host FROM "
                         "minute)") == SQLITE_OK;
    });
    // The log of changes goes back into the file, so the disk holds what the history holds.
    return done && m_db.exec("PRAGMA wal_checkpoint(TRUNCATE)") == SQLITE_OK;
}

ProbeSums HistoryDatabase::sums(const QString& host, std::int64_t fromMs, std::int64_t toMs) const {
    auto query = m_db.prepared(kSumsSql);
    query->bind(1, host).bind(2, fromMs).bind(3, toMs);
    return query->step() == SQLITE_ROW ? sumsAt(*query, 1) : ProbeSums{};
}

std::vector<HistoryPoint> HistoryDatabase::points(const QString& host, std::int64_t fromMs,
                                                  std::int64_t toMs) const {
    std::vector<HistoryPoint> points;
    auto query = m_db.prepared(kPointsSql);
    query->bind(1, host).bind(2, fromMs).bind(3, toMs);
    while (query->step() == SQLITE_ROW)
        points.push_back({query->columnInt(0), sumsAt(*query, 1)});
    return points;
}

std::vector<StateChange> HistoryDatabase::changes(std::int64_t fromMs, std::int64_t toMs) const {
    std::vector<StateChange> changes;
    auto query = m_db.prepared("SELECT time_ms, host, from_state, to_state FROM state_change "
                               "WHERE time_ms >= ?1 AND time_ms < ?2 ORDER BY time_ms, rowid");
    query->bind(1, fromMs).bind(2, toMs);
    while (query->step() == SQLITE_ROW)
        changes.push_back(
            {query->columnInt(0), query->columnText(1), query->columnText(2), query->columnText(3)});
    return changes;
}

} // namespace vantrel::history
