#include "OperationHarness.h"
#include "net/IpStatus.h"
#include "text/PathMonitorTexts.h"

#include <gtest/gtest.h>
#include <map>
#include <mutex>

namespace vantrel::ops {
namespace {

using output::ResultKind;
using settings::OptionId;
using test::address;

// A view that keeps every table it is shown.
class RecordingPathView final : public PathMonitorView {
public:
    void showPathSnapshot(const PathSnapshot& snapshot) override { shown.push_back(snapshot); }
    std::vector<PathSnapshot> shown;
};

class PathMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.options.setNumber(OptionId::PathMonitorInterval, 1); // rounds a tenth of a second apart
        h.control->setPathMonitorView(&view);
        h.control->setRecordSink([this](const ResultRecord& record) { records.push_back(record); });
        // Hop 1 answers in 2 and 4 ms by turns, hop 2 never, hop 3 in odd rounds only, hop 4 from another
        // address from round 3 on; from hop 5 on the target answers.
        h.network.onRequest([this](const test::FakeIcmpNetwork::SentRequest& request) {
            std::lock_guard lock(m_mutex);
            const int round = ++m_probes[request.ttl];
            const auto router = [&](const char* from, std::uint32_t ms) {
                h.network.error(address(from), net::IP_TTL_EXPIRED_TRANSIT, ms);
            };
            if (request.ttl == 1)
                router("10.0.0.1", round % 2 != 0 ? 2 : 4);
            else if (request.ttl == 3 && round % 2 != 0)
                router("10.0.0.3", 6);
            else if (request.ttl == 4)
                router(round <= 2 ? "10.0.0.4" : "10.0.9.4", 5);
            else if (request.ttl >= 5)
                h.network.reply(target, 8);
        });
    }

    void monitor(unsigned rounds) {
        h.frontEnd.hostText = QStringLiteral("10.0.0.5");
        h.control->OnPathMonitor(rounds);
    }
    static QStringList cells(const QString& row) { return row.split(QLatin1Char(' '), Qt::SkipEmptyParts); }
    std::string dump() const { return h.texts().join(QLatin1Char('\n')).toStdString(); }

    test::OperationHarness h;
    RecordingPathView view;
    std::vector<ResultRecord> records;
    const net::IPAddr target = address("10.0.0.5");
    std::mutex m_mutex;
    std::map<int, int> m_probes; // by hop limit
};

TEST_F(PathMonitorTest, FourRoundsGiveEachHopItsLossAndLatencyUpToTheTarget) {
    monitor(4);
    h.runUntilIdle();

    const QStringList texts = h.texts();
    ASSERT_EQ(texts.size(), 10) << dump();
    EXPECT_EQ(texts[0].trimmed(),
              QStringLiteral("Starting path monitor to 10.0.0.5 - Dec 08, 2026  14:05:09"));
    EXPECT_EQ(cells(texts[1]).first(), QStringLiteral("Hop"));
    const std::vector<QStringList> expected{
        {"1", "10.0.0.1", "0.0%", "4", "4.000", "3.000", "2.000", "4.000", "1.155", "2.000"},
        {"2", "----", "100.0%", "4"},
        {"3", "10.0.0.3", "50.0%", "4", "6.000", "6.000", "6.000", "6.000", "0.000", "0.000"},
        {"4", "10.0.0.4", "0.0%", "4", "5.000", "5.000", "5.000", "5.000", "0.000", "0.000"},
        {"10.0.9.4"}, // the address hop 4 changed to
        {"5", "10.0.0.5", "0.0%", "4", "8.000", "8.000", "8.000", "8.000", "0.000", "0.000"},
    };
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(cells(texts[qsizetype(i) + 2]), expected[i]) << i;
    EXPECT_EQ(h.view.shown[3].kind, ResultKind::Red) << "the silent hop";
    EXPECT_EQ(texts[8], QStringLiteral("Host reached"));
    EXPECT_EQ(texts[9], QStringLiteral("Path monitor stopped after 4 rounds - Dec 08, 2026  14:05:09"));
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Succeeded);

    // The first round probes every hop limit at once; once the target answered at hop 5, only up to it.
    const auto sent = h.network.sent();
    EXPECT_EQ(sent.size(), 30u + 3u * 5u);
    EXPECT_EQ(h.network.sweepMostInFlight(), 30u);
    EXPECT_EQ(sent.back().ttl, 5);

    // The records, row for row, times in microseconds.
    std::vector<ResultRecord> rows;
    for (const ResultRecord& record : records)
        if (record.kind == ResultRecord::Kind::Row && record.operation == RecordOperation::PathMonitor)
            rows.push_back(record);
    ASSERT_EQ(rows.size(), 6u);
    ASSERT_TRUE(rows[0].pathHop);
    EXPECT_EQ(rows[0].pathHop->deviation, 1155);
    EXPECT_EQ(rows[0].pathHop->jitter, 2000);
    EXPECT_EQ(rows[1].pathHop->received, 0u);
    EXPECT_EQ(rows[2].pathHop->loss, 50.0);
    EXPECT_EQ(rows[4].address, QStringLiteral("10.0.9.4"));
    EXPECT_FALSE(rows[4].pathHop);

    // The view saw the table grow as the answers came, the last one final.
    ASSERT_GE(view.shown.size(), 4u);
    EXPECT_EQ(view.shown.front().rounds, 1u);
    EXPECT_FALSE(view.shown.front().final);
    EXPECT_TRUE(view.shown.back().final);
}

TEST_F(PathMonitorTest, NamesArriveLateAndALookupThatHangsNeverHoldsTheStop) {
    h.names->addHost({"r1.test", {}, {address("10.0.0.1")}});
    h.names->hold();
    monitor(0);
    ASSERT_TRUE(test::runEventsUntil([&] { return !view.shown.empty() && view.shown.back().rounds >= 2; }));
    EXPECT_EQ(view.shown.back().hops[0].addresses[0].name, QString());
    h.control->OnPathMonitor(); // stop, the lookups still held
    h.runUntilIdle();
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_TRUE(h.texts().last().startsWith(QStringLiteral("Path monitor stopped after")));
    EXPECT_EQ(cells(h.texts()[2]).size(), 10) << "no name yet: " << dump();

    // Released, the names come; the next run shows them as they arrive and reports them.
    h.names->release();
    view.shown.clear();
    h.view.shown.clear();
    monitor(3);
    ASSERT_TRUE(test::runEventsUntil([&] {
        return !view.shown.empty() && !view.shown.back().hops.empty() &&
               view.shown.back().hops[0].addresses[0].name == QStringLiteral("r1.test");
    }));
    h.runUntilIdle();
    EXPECT_EQ(cells(h.texts()[2]).last(), QStringLiteral("r1.test")) << dump();
}

TEST_F(PathMonitorTest, WithoutIcmpPermissionItSaysSoAsTheOthersDo) {
    h.network.refuseHandles(true);
    monitor(2);
    h.runUntilIdle();
    h.expectStartLineThenNoEchoHandle(output::text(output::res::kPathMonitorNoEchoHandle));
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::NotRun);
}

TEST_F(PathMonitorTest, ItExcludesTheOtherOperationsButNotISPinger) {
    FlagSnapshot monitoring;
    monitoring.pathMonitor = true;
    monitoring.ispingerThread = true;
    for (const CommandId other : {CommandId::PingButton, CommandId::TraceMenu, CommandId::LookupMenu,
                                  CommandId::SeqScanMenu, CommandId::ListScanMenu})
        EXPECT_FALSE(operationCommandUi(other, {monitoring}).enabled) << int(other);
    EXPECT_EQ(operationCommandUi(CommandId::PathMonitorMenu, {monitoring}),
              (CommandUi{true, QStringLiteral("Stop Path &Monitor")}));
    FlagSnapshot tracing;
    tracing.trace = true;
    EXPECT_FALSE(operationCommandUi(CommandId::PathMonitorMenu, {tracing}).enabled);
}

} // namespace
} // namespace vantrel::ops
