#pragma once

#include "history/ProbeHistory.h"
#include "settings/SqliteConnection.h"

#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace vantrel::history {

// The watch list's history in an SQLite file of its own: every probe while it is recent, one row per
// host and minute once it is older than a day, and the hosts' changes of state. The file is in WAL mode,
// so a reader (a pane, a report) never waits for the writer nor holds it up. One connection per thread.
class HistoryDatabase {
public:
    // Probes younger than this keep a row each; older ones are summed per minute.
    static constexpr std::chrono::hours kRawKept{24};
    static constexpr qint64 kApplicationId = 0x56544831; // "VTH1"
    static constexpr qint64 kSchemaVersion = 1;

    // Opens the history at `path`, creating it when there is none. nullptr, with `error` set to why,
    // for a file that cannot be opened or that is not a history of ours (it is left as it is).
    static std::unique_ptr<HistoryDatabase> open(const QString& path, QString& error);

    // Writes a batch in one transaction: all of it or, on failure (lastError() says why), none.
    bool write(std::span<const ProbeSample> samples, std::span<const StateChange> changes);
    // Sums what is older than a day per minute and drops what is older than `retention`, as of `nowMs`.
    bool compact(std::int64_t nowMs, std::chrono::hours retention);

    // The probes of `host` from `fromMs` up to (not including) `toMs`, summed.
    ProbeSums sums(const QString& host, std::int64_t fromMs, std::int64_t toMs) const;
    // The same span as points in time order, for a plot.
    std::vector<HistoryPoint> points(const QString& host, std::int64_t fromMs, std::int64_t toMs) const;
    // Every change of state in the span, oldest first.
    std::vector<StateChange> changes(std::int64_t fromMs, std::int64_t toMs) const;

    QString lastError() const { return m_db.lastErrorText(); }

private:
    explicit HistoryDatabase(settings::SqliteConnection db);
    bool inTransaction(const std::function<bool()>& work);
    std::optional<qint64> hostId(const QString& host);

    mutable settings::SqliteConnection m_db;
};

} // namespace vantrel::history
