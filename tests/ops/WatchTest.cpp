#include "net/WinsockErrors.h"
#include "ops/HostWatch.h"
#include "ops/WatchProber.h"
#include "ops/WatchSchedule.h"
#include "support/FakeHostDatabase.h"
#include "support/FakeIcmpNetwork.h"

#include <QMap>
#include <gtest/gtest.h>
#include <thread>

namespace vantrel::ops {
namespace {

constexpr std::optional<std::int64_t> kLost;

settings::WatchEntry watched(const char* host) {
    settings::WatchEntry entry;
    entry.host = QString::fromLatin1(host);
    return entry;
}

// A host probed every 10 s, degraded above 10 % loss or 250 ms, down after 3 losses in a row.
TEST(HostWatchTest, UpDegradedDownAndBackAsTheProbesCome) {
    struct Step {
        std::int64_t sentMs;
        std::optional<std::int64_t> roundTripUs;
        const char* state;
        bool changes;
    };
    const std::vector<Step> steps{
        {0, 1'000, "up", true},
        {10'000, 2'000, "up", false},
        {20'000, 900'000, "degraded", true}, // the average of the five minutes passes 250 ms
        {30'000, kLost, "degraded", false},
        {40'000, kLost, "degraded", false},
        {50'000, kLost, "down", true}, // the third loss in a row
        {60'000, kLost, "down", false},
        {70'000, 1'000, "degraded", true}, // answering again, with 4 of 8 lost in five minutes
        // Once the losses and the slow answer are more than five minutes old.
        {355'000, 1'000, "degraded", false},
        {370'000, 1'000, "up", true},
    };
    HostWatch watch(watched("gw.test"), 3);
    EXPECT_EQ(watch.state(), WatchState::Unknown);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.sentMs);
        const std::optional<history::StateChange> change = watch.record(step.sentMs, step.roundTripUs);
        EXPECT_EQ(watchStateName(watch.state()), QLatin1String(step.state));
        ASSERT_EQ(change.has_value(), step.changes);
        if (change) {
            EXPECT_EQ(change->to, QLatin1String(step.state));
            EXPECT_EQ(change->timeMs, step.sentMs);
            EXPECT_EQ(watch.lastChangeMs(), step.sentMs);
        }
    }
    const history::ProbeSums recent = watch.recent(370'000);
    EXPECT_EQ(recent.sent, 2);
    EXPECT_DOUBLE_EQ(recent.lossPercent(), 0.0);
}

TEST(HostWatchTest, AHostThatNeverAnswersGoesDownAfterItsLossesInARow) {
    HostWatch watch(watched("nowhere.test"), 2);
    EXPECT_EQ(watch.record(0, kLost)->to, QStringLiteral("degraded"));
    EXPECT_EQ(watch.record(10'000, kLost)->to, QStringLiteral("down"));
    EXPECT_FALSE(watch.record(20'000, kLost));
}

TEST(WatchScheduleTest, FirstProbesSpreadThenEachOnItsOwnBeatWithoutABurstAfterASleep) {
    const std::vector<int> intervals{10, 10, 30};
    WatchSchedule schedule(intervals, 1'000'000);
    EXPECT_EQ(schedule.takeDue(1'000'000), std::vector<std::size_t>{0});
    EXPECT_EQ(schedule.nextDueMs(), 1'003'333);
    EXPECT_EQ(schedule.takeDue(1'003'333), std::vector<std::size_t>{1});
    EXPECT_EQ(schedule.takeDue(1'010'000), std::vector<std::size_t>{0});
    EXPECT_EQ(schedule.takeDue(1'020'000), (std::vector<std::size_t>{0, 1, 2}));
    // A minute asleep: each host once, then due on its beat again.
    EXPECT_EQ(schedule.takeDue(1'081'000), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_TRUE(schedule.takeDue(1'081'000).empty());
    EXPECT_EQ(schedule.nextDueMs(), 1'083'333);
    EXPECT_EQ(WatchSchedule({}, 0).nextDueMs(), 86'400'000);
}

// Every host's state as the front end last heard it, and every change.
class RecordedWatch final : public WatchFrontEnd {
public:
    void watchProbed(const WatchHostView& host) override { last[host.host] = host; }
    void watchStateChanged(const history::StateChange& change, const WatchHostView&) override {
        changes.push_back(change.host + QLatin1Char(' ') + change.to);
    }
    QString state(const char* host) const {
        return watchStateName(last.value(QString::fromLatin1(host)).state);
    }

    QMap<QString, WatchHostView> last;
    QStringList changes;
};

class WatchProberTest : public ::testing::Test {
protected:
    WatchProberTest() {
        names->addHost({"gw.test", {}, {test::address("10.0.0.2")}});
        names->addNameError("nowhere.test", net::WSAHOST_NOT_FOUND);
        for (int i = 0; i < 50; ++i) {
            network.reply(test::address("10.0.0.1"), 1, 64, test::address("10.0.0.1"));
            network.reply(test::address("10.0.0.2"), 400, 64, test::address("10.0.0.2"));
            network.reply6(test::ipAddress("fd42::5"), 2, 64, test::ipAddress("fd42::5"));
        }
    }
    std::unique_ptr<WatchProber> prober(const QStringList& hosts) {
        std::vector<settings::WatchEntry> entries;
        for (const QString& host : hosts) {
            settings::WatchEntry entry;
            entry.host = host;
            entry.intervalSeconds = 1;
            entries.push_back(entry);
        }
        return std::make_unique<WatchProber>(entries, WatchRules{}, network.api().openEchoSweep(), names,
                                             recorded, nullptr, 0);
    }
    // Steps through `seconds` of the fake clock, letting the name service answer what it is not held from.
    void run(WatchProber& watch, int seconds, std::size_t held = 0) {
        for (std::int64_t now = 0; now <= seconds * 1000; now += 250) {
            watch.step(now, std::chrono::milliseconds(0));
            for (int wait = 0; watch.lookupsInFlight() > held && wait < 5000; ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                watch.step(now, std::chrono::milliseconds(0));
            }
        }
    }

    test::FakeIcmpNetwork network;
    std::shared_ptr<test::FakeHostDatabase> names = std::make_shared<test::FakeHostDatabase>();
    RecordedWatch recorded;
};

TEST_F(WatchProberTest, EachHostIsJudgedByItsOwnProbesWhateverTheOthersDo) {
    auto watch = prober({"10.0.0.1", "gw.test", "10.0.0.3", "nowhere.test", "fd42::5"});
    run(*watch, 10);
    EXPECT_EQ(recorded.state("10.0.0.1"), QStringLiteral("up"));
    EXPECT_EQ(recorded.state("gw.test"), QStringLiteral("degraded")) << "answers in 400 ms";
    EXPECT_EQ(recorded.state("10.0.0.3"), QStringLiteral("down"));
    EXPECT_EQ(recorded.state("nowhere.test"), QStringLiteral("down"));
    EXPECT_EQ(recorded.state("fd42::5"), QStringLiteral("up"));
    EXPECT_EQ(recorded.last.value(QStringLiteral("gw.test")).address, test::ipAddress("10.0.0.2"));
    EXPECT_GE(recorded.last.value(QStringLiteral("10.0.0.1")).sent, 10);
    EXPECT_EQ(recorded.changes.filter(QStringLiteral("10.0.0.3")),
              QStringList({"10.0.0.3 degraded", "10.0.0.3 down"}));
}

// A name service that does not answer costs its own hosts a lost probe an interval, holds up no other
// host, and does not hold up the end of the watch.
TEST_F(WatchProberTest, ASilentNameServiceHoldsUpNothingButItsOwnHosts) {
    names->hold();
    {
        auto watch = prober({"10.0.0.1", "gw.test"});
        run(*watch, 4, 1);
        EXPECT_EQ(recorded.state("10.0.0.1"), QStringLiteral("up"));
        EXPECT_EQ(recorded.state("gw.test"), QStringLiteral("down"));
        EXPECT_EQ(watch->lookupsInFlight(), 1u);
    }
    names->release();
}

} // namespace
} // namespace vantrel::ops
