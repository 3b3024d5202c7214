#include "history/HistoryDatabase.h"

#include "history/HistoryWriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vantrel::history {
namespace {

constexpr std::int64_t kMinute = 60'000;
constexpr std::int64_t kHour = 60 * kMinute;
constexpr std::int64_t kNow = 1'800'000'000'000; // a whole minute
const QString kHost = QStringLiteral("gw.example");

class HistoryDatabaseTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("history.sqlite")); }
    std::unique_ptr<HistoryDatabase> open() {
        QString error;
        auto database = HistoryDatabase::open(path(), error);
        EXPECT_TRUE(database) << error.toStdString();
        return database;
    }
    // What SQLite's own check says of the file, and how many probes it holds.
    std::pair<std::string, qint64> inspect() const {
        sqlite3* db = nullptr;
        sqlite3_open(path().toUtf8().constData(), &db);
        std::string check;
        qint64 probes = -1;
        sqlite3_exec(
            db, "PRAGMA integrity_check",
            [](void* out, int, char** values, char**) {
                *static_cast<std::string*>(out) += values[0];
                return 0;
            },
            &check, nullptr);
        sqlite3_exec(
            db, "SELECT count(*) FROM probe",
            [](void* out, int, char** values, char**) {
                *static_cast<qint64*>(out) = std::stoll(values[0]);
                return 0;
            },
            &probes, nullptr);
        sqlite3_close(db);
        return {check, probes};
    }

    QTemporaryDir m_dir;
};

TEST_F(HistoryDatabaseTest, RecentProbesStayOlderOnesAreSummedPerMinuteAndTheOldestDropped) {
    auto database = open();
    const std::vector<ProbeSample> samples{
        {kNow - 72 * kHour, kHost, 500},           // beyond a two-day retention
        {kNow - 36 * kHour + 1'000, kHost, 1'000}, // one minute, summed
        {kNow - 36 * kHour + 2'000, kHost, std::nullopt},
        {kNow - 36 * kHour + 3'000, kHost, 3'000},
        {kNow - kHour, kHost, 40}, // recent: a point each
        {kNow - kHour + 10'000, kHost, std::nullopt},
        {kNow - kHour, QStringLiteral("other"), 7},
    };
    const StateChange down{kNow - 36 * kHour, kHost, QStringLiteral("up"), QStringLiteral("down")};
    const StateChange old{kNow - 72 * kHour, kHost, QString(), QStringLiteral("up")};
    ASSERT_TRUE(database->write(samples, std::vector{old, down}));
    const ProbeSums before = database->sums(kHost, kNow - 48 * kHour, kNow);

    // Twice: probes summed once are not summed again.
    ASSERT_TRUE(database->compact(kNow, std::chrono::hours(48)));
    ASSERT_TRUE(database->compact(kNow, std::chrono::hours(48)));
    const ProbeSums after = database->sums(kHost, 0, kNow);
    EXPECT_EQ(after.sent, before.sent);
    EXPECT_EQ(after.sent, 5);
    EXPECT_EQ(after.received, 3);
    EXPECT_EQ(after.roundTripSumUs, 4'040);
    EXPECT_EQ(after.bestUs, 40);
    EXPECT_EQ(after.worstUs, 3'000);
    EXPECT_DOUBLE_EQ(after.lossPercent(), 40.0);

    const std::vector<HistoryPoint> points = database->points(kHost, 0, kNow);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].timeMs, kNow - 36 * kHour);
    EXPECT_EQ(points[0].sums.sent, 3);
    EXPECT_EQ(points[0].sums.received, 2);
    EXPECT_EQ(points[0].sums.bestUs, 1'000);
    EXPECT_EQ(points[1].sums.bestUs, 40);
    EXPECT_FALSE(points[2].sums.bestUs) << "a lost probe";

    // A probe written late into a minute already summed joins it.
    ASSERT_TRUE(database->write(std::vector{ProbeSample{kNow - 36 * kHour + 4'000, kHost, 100}}, {}));
    ASSERT_TRUE(database->compact(kNow, std::chrono::hours(48)));
    const HistoryPoint joined = database->points(kHost, 0, kNow).front();
    EXPECT_EQ(joined.sums.sent, 4);
    EXPECT_EQ(joined.sums.bestUs, 100);
    EXPECT_EQ(joined.sums.worstUs, 3'000);

    const std::vector<StateChange> changes = database->changes(0, kNow);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].to, QStringLiteral("down"));
    EXPECT_EQ(database->sums(QStringLiteral("other"), 0, kNow).received, 1);
}

// A file that is not a history of ours (the settings store, a text) is refused and left as it was.
TEST_F(HistoryDatabaseTest, AFileNotOursIsRefusedAndLeftAlone) {
    for (const QByteArray& content : {QByteArray("not a database at all"), QByteArray()}) {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        if (content.isEmpty()) {
            sqlite3* db = nullptr;
            sqlite3_open(path().toUtf8().constData(), &db);
            sqlite3_exec(db, "CREATE TABLE options(name TEXT)", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        QFile before(path());
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        const QByteArray bytes = before.readAll();
        QString error;
        EXPECT_FALSE(HistoryDatabase::open(path(), error));
        EXPECT_TRUE(error.contains(QStringLiteral("not a Vantrel history file"))) << error.toStdString();
        QFile after(path());
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_EQ(after.readAll(), bytes);
    }
}

// A process killed while it writes leaves a file SQLite finds whole, with every batch it was told of.
TEST_F(HistoryDatabaseTest, KilledWhileWritingLosesNoBatchThatWasWritten) {
    ASSERT_TRUE(open());
    int reports[2];
    ASSERT_EQ(pipe(reports), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QString error;
        auto database = HistoryDatabase::open(path(), error);
        std::vector<ProbeSample> batch(100, ProbeSample{kNow, kHost, 10});
        for (std::int32_t written = 1; database; ++written) {
            if (!database->write(batch, {}) || write(reports[1], &written, sizeof written) != sizeof written)
                _exit(1);
        }
        _exit(1);
    }
    close(reports[1]);
    std::int32_t written = 0;
    while (written < 30 && read(reports[0], &written, sizeof written) == sizeof written) {
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(reports[0]);
    ASSERT_EQ(written, 30);
    const auto [check, probes] = inspect();
    EXPECT_EQ(check, "ok");
    EXPECT_GE(probes, 100 * written);
    EXPECT_EQ(probes % 100, 0) << "a batch is written whole or not at all";
}

// Probes from several threads at once all reach the file while a reader reads it meanwhile.
TEST_F(HistoryDatabaseTest, TheWriterTakesProbesFromManyThreadsWhileOthersRead) {
    auto reader = open();
    {
        HistoryWriter writer(open(),
                             {.batchEvery = std::chrono::milliseconds(5), .now = [] { return kNow; }});
        std::vector<std::thread> probes;
        for (int thread = 0; thread < 4; ++thread) {
            probes.emplace_back([&writer, thread] {
                for (int i = 0; i < 500; ++i)
                    writer.add(ProbeSample{kNow - i, kHost,
                                           thread % 2 ? std::optional<std::int64_t>(i) : std::nullopt});
            });
        }
        while (reader->sums(kHost, 0, kNow + 1).sent < 1'000)
            std::this_thread::yield();
        for (std::thread& thread : probes)
            thread.join();
        writer.add(StateChange{kNow, kHost, QStringLiteral("up"), QStringLiteral("degraded")});
    }
    const ProbeSums sums = reader->sums(kHost, 0, kNow + 1);
    EXPECT_EQ(sums.sent, 2'000);
    EXPECT_EQ(sums.received, 1'000);
    EXPECT_EQ(reader->changes(0, kNow + 1).size(), 1u);
}

} // namespace
} // namespace vantrel::history
