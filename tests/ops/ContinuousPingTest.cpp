#include "ops/ContinuousPing.h"

#include "OperationHarness.h"
#include "net/WinsockErrors.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vantrel::ops {
namespace {

using output::ResultKind;
using settings::OptionId;
using test::address;
using test::FakeIcmpNetwork;

// A run on the scripted network. The timers' second is an hour long, so they never fire by themselves:
// the tests fire them with OnTimer, as the clock would.
class ContinuousPingTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.options.setNumber(OptionId::Packets, 4);
        h.options.setNumber(OptionId::ContPing, 1);
        h.options.setNumber(OptionId::ContPingInterval, 5);
        h.frontEnd.hostText = QStringLiteral("10.0.0.1");
        continuous.setSecondLength(std::chrono::hours(1));
        QObject::connect(&continuous, &ContinuousPing::cycleStarting, [this](int cycle) { started = cycle; });
    }

    template <typename Predicate> bool runUntil(Predicate done) { return test::runEventsUntil(done); }

    // Whether the cycle that started last has ended: the countdown runs, or the run is over.
    bool cycleOver(int cycle) {
        const OperationFlags& f = h.state().flags;
        return started >= cycle && !f.m_bContPingThread &&
               (continuous.isTimerActive(TIMER_CONTPING_COUNTDOWN) || !f.m_bContPingActive);
    }
    bool runOver() {
        const OperationFlags& f = h.state().flags;
        return !f.anyBusy() && !f.m_bContPingActive && !h.control->lookupPending();
    }

    // The Ping command, then the GUI thread until the first cycle has ended.
    void startRun() {
        h.control->OnPing();
        ASSERT_TRUE(runUntil([this] { return cycleOver(1); }));
    }
    // The next-cycle timer fires; then the GUI thread until that cycle has ended.
    void nextCycle() {
        const int cycle = started + 1;
        continuous.OnTimer(TIMER_CONTPING_NEXT);
        ASSERT_TRUE(runUntil([&] { return cycleOver(cycle); }));
    }
    void finish() {
        ASSERT_TRUE(runUntil([this] { return runOver(); }));
        h.control->joinWorkers();
        h.control->drainWorkerQueue();
    }

    void replyTimes(std::initializer_list<std::uint32_t> times) {
        for (const std::uint32_t ms : times)
            h.network.reply(target, ms);
    }
    QString status() { return h.state().status.get(); }
    // The packet numbers of the reply rows, in order.
    QStringList packetNumbers() {
        QStringList numbers;
        for (const auto& row : h.view.shown)
            if (row.kind == ResultKind::Plain && row.fragment.startsWith(QStringLiteral("\\trowd")))
                numbers.append(row.text.split(QLatin1Char(' '), Qt::SkipEmptyParts).value(0));
        return numbers;
    }

    test::OperationHarness h;
    ContinuousPing continuous{*h.control, h.frontEnd, h.pipeline, h.options};
    const net::IPAddr target = address("10.0.0.1");
    int started = 0;
};

TEST_F(ContinuousPingTest, TheCountdownShowsThreeDotsFirstThenFourDotsDownToOneSecond) {
    h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(target, 3));
    startRun();
    EXPECT_EQ(status(), QStringLiteral(" Continuous ping...5 seconds until next ping."));
    EXPECT_TRUE(continuous.isTimerActive(TIMER_CONTPING_NEXT));
    QStringList shown;
    for (int tick = 0; tick < 4; ++tick) {
        continuous.OnTimer(TIMER_CONTPING_COUNTDOWN);
        shown.append(status());
    }
    EXPECT_EQ(shown, (QStringList{" Continuous ping....4 seconds until next ping.",
                                  " Continuous ping....3 seconds until next ping.",
                                  " Continuous ping....2 seconds until next ping.",
                                  " Continuous ping....1 second until next ping."}));
    // Past 0 (the next cycle still resolving) the countdown says nothing more.
    continuous.OnTimer(TIMER_CONTPING_COUNTDOWN);
    EXPECT_EQ(status(), QStringLiteral(" Continuous ping....1 second until next ping."));
    EXPECT_EQ(continuous.countdown(), 0);

    // The run's caption: the button cancels, the menu item keeps its name and cancels too.
    EXPECT_EQ(h.control->commandUi(CommandId::PingButton).caption, QStringLiteral("       Cancel       "));
    EXPECT_EQ(h.control->commandUi(CommandId::PingMenu).caption, QStringLiteral("&Ping"));
    EXPECT_TRUE(h.control->commandUi(CommandId::PingMenu).enabled);
    EXPECT_FALSE(h.control->commandUi(CommandId::TraceButton).enabled);
    h.control->OnPing();
    finish();
    EXPECT_EQ(status(), QStringLiteral("Ready"));
}

TEST_F(ContinuousPingTest, TheIntervalBoxWinsOverTheStoredIntervalAndIsKeptInRange) {
    h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(target, 3));
    std::optional<int>& box = h.frontEnd.interval;
    box = 7;
    startRun();
    EXPECT_EQ(status(), QStringLiteral(" Continuous ping...7 seconds until next ping."));
    EXPECT_EQ(h.options.number(OptionId::ContPingInterval), 7) << "the interval in use is stored";

    box = 0;
    nextCycle();
    EXPECT_EQ(status(), QStringLiteral(" Continuous ping...1 second until next ping."));
    box = 500;
    nextCycle();
    EXPECT_EQ(status(), QStringLiteral(" Continuous ping...99 seconds until next ping."));
    box.reset();
    h.options.setNumber(OptionId::ContPingInterval, 3);
    nextCycle();
    EXPECT_EQ(status(), QStringLiteral(" Continuous ping...3 seconds until next ping."));
    h.control->OnPing();
    finish();
}

TEST_F(ContinuousPingTest, NumbersRunOnAcrossCyclesAndOneSummaryCoversTheRun) {
    h.frontEnd.hostText = QStringLiteral("  http://10.0.0.1 ");
    replyTimes({10, 12, 15, 11});
    startRun();
    replyTimes({14, 5, 30, 9});
    nextCycle();
    EXPECT_EQ(h.network.sent().size(), 8u);
    // Cancel during the countdown: the summary alone.
    h.control->OnPing();
    finish();

    const QStringList texts = h.texts();
    ASSERT_EQ(texts.size(), 13) << texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(texts[0].trimmed(),
              QStringLiteral("Starting continuous ping to 10.0.0.1 - Dec 08, 2026  14:05:09"));
    EXPECT_EQ(h.view.shown[1].kind, ResultKind::HeaderRow);
    EXPECT_EQ(std::count_if(h.view.shown.begin(), h.view.shown.end(),
                            [](const auto& row) { return row.kind == ResultKind::HeaderRow; }),
              1)
        << "one header for the run";
    EXPECT_EQ(packetNumbers(), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_FALSE(texts.contains(QStringLiteral("Ping canceled")));
    EXPECT_EQ(texts[10], QStringLiteral("Ping Successful"));
    EXPECT_EQ(h.view.shown[10].kind, ResultKind::Bold);
    EXPECT_EQ(texts[11], QStringLiteral("8 of 8 packets returned successfully : 0.0% PACKET LOSS"));
    // The minimum is the second cycle's 5, the maximum its 30; 106 / 8 gives 13.
    EXPECT_EQ(texts[12],
              QStringLiteral("Round Trip Time (in milliseconds) Maximum/ Minimum/Average: 30/5/13"));

    EXPECT_EQ(status(), QStringLiteral("Ready"));
    EXPECT_FALSE(continuous.isTimerActive(TIMER_CONTPING_NEXT));
    EXPECT_FALSE(continuous.isTimerActive(TIMER_CONTPING_COUNTDOWN));
    EXPECT_EQ(h.network.handlesCreated(), 2) << "each cycle opens its echo handle";
    EXPECT_EQ(h.network.openHandles(), 0u);
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Succeeded);
}

TEST_F(ContinuousPingTest, SwitchingContPingOffDuringTheCountdownMakesTheNextCycleTheLast) {
    h.options.setNumber(OptionId::Packets, 2);
    h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(target, 4));
    startRun();
    h.options.setNumber(OptionId::ContPing, 0);
    const int before = started;
    continuous.OnTimer(TIMER_CONTPING_COUNTDOWN); // the tick starts the cycle at once
    EXPECT_FALSE(continuous.isTimerActive(TIMER_CONTPING_NEXT));
    finish();

    EXPECT_EQ(started, before + 1);
    EXPECT_EQ(h.network.sent().size(), 4u);
    EXPECT_EQ(packetNumbers(), (QStringList{"1", "2", "3", "4"}));
    const QStringList texts = h.texts();
    EXPECT_EQ(texts.filter(QStringLiteral("Ping Successful")).size(), 1);
    EXPECT_EQ(texts.last(),
              QStringLiteral("Round Trip Time (in milliseconds) Maximum/ Minimum/Average: 4/4/4"));
    EXPECT_FALSE(continuous.isTimerActive(TIMER_CONTPING_COUNTDOWN));
    EXPECT_EQ(status(), QStringLiteral("Ready"));
}

// Continuous Ping ticked while a plain ping runs: the ping ends as a plain one, and the continuous run
// starts once its worker has gone. During the program's exit it does not.
TEST_F(ContinuousPingTest, TickedDuringAPlainPingAContinuousRunFollowsItExceptDuringTheExit) {
    h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(target, 2));
    for (const bool exiting : {false, true}) {
        SCOPED_TRACE(exiting);
        h.view.shown.clear();
        h.options.setNumber(OptionId::ContPing, 0);
        const std::size_t before = h.network.sent().size();
        h.network.onRequest([&, before, exiting](const FakeIcmpNetwork::SentRequest&) {
            if (h.network.sent().size() == before + 1) // ticked while the ping runs
                h.gui.send([&] { h.options.setNumber(OptionId::ContPing, 1); });
            if (exiting && h.network.sent().size() == before + 4) // the ping's last request
                h.state().flags.beginShutdown();
        });
        h.control->OnPing();
        if (exiting) {
            finish();
            EXPECT_TRUE(h.texts().filter(QStringLiteral("Starting continuous ping")).isEmpty());
            continue;
        }
        ASSERT_TRUE(runUntil([this] { return cycleOver(1); }));
        const QStringList texts = h.texts();
        ASSERT_FALSE(texts.filter(QStringLiteral("Starting continuous ping")).isEmpty())
            << texts.join(QLatin1Char('\n')).toStdString();
        EXPECT_LT(texts.indexOf(QStringLiteral("Ping Successful")),
                  texts.indexOf(texts.filter(QStringLiteral("Starting continuous ping")).first()));
        h.control->OnPing();
        finish();
    }
}

TEST_F(ContinuousPingTest, CancelDuringACycleWritesTheCancelLineThenTheSummary) {
    h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(target, 6));
    QString statusAtCancel;
    h.network.onRequest([&](const FakeIcmpNetwork::SentRequest&) {
        if (h.network.sent().size() == 6) // the second cycle's second request
            h.gui.send([&] {              // the cancel is in force before the request ends
                h.control->OnPing();
                statusAtCancel = status();
            });
    });
    startRun();
    continuous.OnTimer(TIMER_CONTPING_NEXT);
    finish();

    const QStringList texts = h.texts();
    EXPECT_EQ(statusAtCancel, QStringLiteral("Canceling ping..."));
    EXPECT_EQ(packetNumbers(), (QStringList{"1", "2", "3", "4", "5", "6"}));
    ASSERT_GE(texts.size(), 3);
    EXPECT_EQ(texts[texts.size() - 4], QStringLiteral("Ping canceled"));
    EXPECT_EQ(h.view.shown[texts.size() - 4].kind, ResultKind::RedBold);
    EXPECT_EQ(texts[texts.size() - 3], QStringLiteral("Ping Successful"));
    EXPECT_EQ(texts[texts.size() - 2],
              QStringLiteral("6 of 6 packets returned successfully : 0.0% PACKET LOSS"));
    EXPECT_EQ(status(), QStringLiteral("Ready"));
    EXPECT_FALSE(continuous.isTimerActive(TIMER_CONTPING_NEXT));
    EXPECT_FALSE(continuous.isTimerActive(TIMER_CONTPING_COUNTDOWN));
}

TEST_F(ContinuousPingTest, ExitDuringACycleWritesTheCancelLineButNoSummary) {
    h.options.setNumber(OptionId::RetData, 1);
    h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(target, 6));
    h.network.onRequest([&](const FakeIcmpNetwork::SentRequest&) {
        if (h.network.sent().size() == 1)
            h.state().flags.beginShutdown();
    });
    h.control->OnPing();
    finish();

    const QStringList texts = h.texts();
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.last(), QStringLiteral("Ping canceled"));
    EXPECT_EQ(packetNumbers(), (QStringList{"1"}));
    EXPECT_TRUE(texts.filter(QStringLiteral("Returned Data")).isEmpty())
        << "no returned data once the exit is pending";
    EXPECT_TRUE(texts.filter(QStringLiteral("Ping Successful")).isEmpty());
    EXPECT_TRUE(texts.filter(QStringLiteral("PACKET LOSS")).isEmpty());
    EXPECT_FALSE(continuous.isTimerActive(TIMER_CONTPING_NEXT));
}

TEST_F(ContinuousPingTest, RepliesFromAnotherHostAndFailuresFollowTheRunsRules) {
    h.options.setNumber(OptionId::Packets, 2);
    h.network.error(address("10.0.0.254"), 11003);
    h.network.fail(11010);
    // One cycle: ContPing goes off as it starts.
    QObject::connect(&continuous, &ContinuousPing::cycleStarting,
                     [this] { h.options.setNumber(OptionId::ContPing, 0); });
    h.control->OnPing();
    finish();

    const QStringList texts = h.texts();
    ASSERT_EQ(texts.size(), 6) << texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(texts[2], QStringLiteral("ERROR - HOST 10.0.0.254 RESPONDED"));
    EXPECT_EQ(h.view.shown[2].kind, ResultKind::Plain) << "a plain line in continuous ping";
    EXPECT_EQ(h.view.shown[3].kind, ResultKind::ErrorRow);
    EXPECT_EQ(texts[3].split(QLatin1Char(' '), Qt::SkipEmptyParts).first(), QStringLiteral("2"));
    EXPECT_EQ(texts[4], QStringLiteral("Ping Unsuccessful"));
    EXPECT_EQ(h.view.shown[4].kind, ResultKind::RedBold);
    EXPECT_EQ(texts[5], QStringLiteral("0 of 2 packets returned successfully : 100.0% PACKET LOSS"));
}

TEST_F(ContinuousPingTest, AHostThatFailsToResolveInTheSecondCycleEndsTheRunWithItsSummaryFirst) {
    h.names->addHost({"first.test", {}, {target}});
    h.names->addNameError("gone.test", net::WSAHOST_NOT_FOUND);
    h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(target, 2));
    h.frontEnd.hostText = QStringLiteral("first.test");
    startRun();
    EXPECT_TRUE(h.texts().filter(QStringLiteral("Looking up")).isEmpty()) << "a run writes no lookup line";

    h.frontEnd.hostText = QStringLiteral("gone.test"); // the host box is read again every cycle
    continuous.OnTimer(TIMER_CONTPING_NEXT);
    EXPECT_EQ(status(), QStringLiteral("Looking up IP Address for 'gone.test'...."));
    finish();
    const std::size_t sent = h.network.sent().size();
    EXPECT_EQ(sent, 4u);
    const QStringList texts = h.texts();
    ASSERT_GE(texts.size(), 4);
    EXPECT_EQ(texts.mid(texts.size() - 4, 2),
              (QStringList{"Ping Successful", "4 of 4 packets returned successfully : 0.0% PACKET LOSS"}));
    EXPECT_TRUE(texts.last().startsWith(QStringLiteral("Host lookup failed")));
    EXPECT_EQ(texts.filter(QStringLiteral("Ping Successful")).size(), 1);
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Succeeded) << "as its summary says";

    // The countdown left running stops at its next tick and starts nothing, ContPing on or off.
    const std::size_t asked = h.names->namesAsked().size();
    h.options.setNumber(OptionId::ContPing, 0);
    continuous.OnTimer(TIMER_CONTPING_COUNTDOWN);
    continuous.OnTimer(TIMER_CONTPING_NEXT);
    EXPECT_FALSE(continuous.isTimerActive(TIMER_CONTPING_COUNTDOWN));
    EXPECT_FALSE(h.control->lookupPending());
    EXPECT_EQ(h.names->namesAsked().size(), asked);
    EXPECT_EQ(h.network.sent().size(), sent);
}

TEST_F(ContinuousPingTest, AnEmptyHostBoxAtTheNextCycleEndsTheRunWithItsSummary) {
    h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(target, 2));
    startRun();
    h.frontEnd.hostText = QStringLiteral("   ");
    continuous.OnTimer(TIMER_CONTPING_NEXT);
    EXPECT_EQ(h.frontEnd.balloons.size(), 1);
    EXPECT_FALSE(h.state().flags.m_bContPingActive);
    EXPECT_FALSE(continuous.isTimerActive(TIMER_CONTPING_COUNTDOWN));
    EXPECT_EQ(status(), QStringLiteral("Ready"));
    EXPECT_EQ(h.texts().filter(QStringLiteral("Ping Successful")).size(), 1);
    EXPECT_EQ(h.texts().last(),
              QStringLiteral("Round Trip Time (in milliseconds) Maximum/ Minimum/Average: 2/2/2"));
}

TEST_F(ContinuousPingTest, CancelWhileTheNextCycleResolvesCancelsTheLookupAndWritesTheSummary) {
    h.names->addHost({"slow.test", {}, {target}});
    h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(target, 2));
    h.frontEnd.hostText = QStringLiteral("slow.test");
    startRun();
    h.names->hold();
    continuous.OnTimer(TIMER_CONTPING_NEXT);
    ASSERT_TRUE(h.control->lookupPending());
    h.control->OnPing();
    h.names->release();
    finish();

    const QStringList texts = h.texts();
    ASSERT_GE(texts.size(), 4);
    EXPECT_EQ(texts[texts.size() - 4], QStringLiteral("Host lookup canceled."));
    EXPECT_EQ(texts[texts.size() - 3], QStringLiteral("Ping Successful"));
    EXPECT_EQ(h.network.sent().size(), 4u);
    EXPECT_EQ(status(), QStringLiteral("Ready"));
}

TEST_F(ContinuousPingTest, NoEchoHandleEndsTheRunAndLeavesTheCommandsWorking) {
    h.network.refuseHandles(true);
    h.control->OnPing();
    finish();
    ASSERT_EQ(h.frontEnd.messageBoxes.size(), 1u);
    EXPECT_TRUE(h.frontEnd.messageBoxes[0].text.contains(QStringLiteral("IcmpCreateFile()")));
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::NotRun);
    EXPECT_FALSE(continuous.isTimerActive(TIMER_CONTPING_NEXT));
    EXPECT_EQ(h.control->commandUi(CommandId::PingButton).caption, QStringLiteral("         Ping         "));
    EXPECT_TRUE(h.control->commandUi(CommandId::TraceButton).enabled);
}

// The process's resident memory in kB and its thread count, from /proc.
std::pair<long, int> processUsage() {
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return {0, 0};
    long rss = 0;
    int threads = 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            rss = line.mid(6).trimmed().split(' ').first().toLong();
        else if (line.startsWith("Threads:"))
            threads = line.mid(8).trimmed().toInt();
    }
    return {rss, threads};
}

TEST_F(ContinuousPingTest, ALongRunKeepsMemoryAndThreadsFlat) {
    h.options.setNumber(OptionId::Packets, 1);
    h.options.setNumber(OptionId::ContPingInterval, 1);
    h.options.setNumber(OptionId::Verbose, 0);
    h.network.setDefaultAnswer(FakeIcmpNetwork::echoReply(target, 1));
    continuous.setSecondLength(std::chrono::milliseconds(1));
    int last = 0;
    QObject::connect(&continuous, &ContinuousPing::cycleStarting, [&](int cycle) {
        if (cycle == last)
            h.options.setNumber(OptionId::ContPing, 0);
    });
    const auto runCycles = [&](int cycles) {
        last = cycles;
        h.options.setNumber(OptionId::ContPing, 1);
        h.control->OnPing();
        finish();
        return processUsage();
    };

    const auto [rssWarm, threadsWarm] = runCycles(50);
    const auto [rssLong, threadsLong] = runCycles(500);
    EXPECT_EQ(started, 500);
    EXPECT_EQ(threadsLong, threadsWarm);
    EXPECT_LT(rssLong - rssWarm, 2048) << "kB grown over 450 more cycles";
    EXPECT_EQ(h.texts().filter(QStringLiteral("500 of 500 packets")).size(), 1);
    EXPECT_EQ(h.network.openHandles(), 0u);
}

} // namespace
} // namespace vantrel::ops
