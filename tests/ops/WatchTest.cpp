#include "ops/HostWatch.h"
#include "ops/WatchSchedule.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace vantrel::ops
