#include "OperationHarness.h"
#include "net/IpStatus.h"
#include "ops/TraceThread.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace vantrel::ops {
namespace {

using output::ResultKind;
using settings::OptionId;
using test::address;
using test::ipAddress;

// A scripted route: the routers answer in hop order when the time-to-live runs out at them (std::nullopt
// for a router that stays silent), the target answers once the request gets past them all.
class ScriptedRoute {
public:
    ScriptedRoute(test::FakeIcmpNetwork& network, net::IPAddr target)
        : m_network(network)
        , m_target(target) {}

    std::vector<std::optional<net::IPAddr>> routers;
    bool targetAnswers = true;
    // The target's answer: an echo reply, or an ICMP error of its own (a refusal).
    std::uint32_t targetStatus = net::IP_SUCCESS;
    // A router (counted from 1) that cannot forward: it answers every request that reaches it with this.
    std::size_t deadEndHop = 0;
    std::uint32_t deadEndStatus = net::IP_DEST_NET_UNREACHABLE;

    void install() {
        m_network.onRequest([this](const test::FakeIcmpNetwork::SentRequest& request) {
            const bool pastRouters = !request.hadOptions || request.ttl == 0 || request.ttl > routers.size();
            const std::size_t reachesHop = pastRouters ? routers.size() + 1 : request.ttl;
            if (deadEndHop != 0 && reachesHop >= deadEndHop) {
                m_network.error(*routers[deadEndHop - 1], deadEndStatus, std::uint32_t(deadEndHop));
            } else if (pastRouters) {
                if (targetAnswers && targetStatus == net::IP_SUCCESS)
                    m_network.reply(m_target, 7);
                else if (targetAnswers)
                    m_network.error(m_target, targetStatus, 7);
            } else if (const std::optional<net::IPAddr> router = routers[request.ttl - 1]) {
                m_network.error(*router, net::IP_TTL_EXPIRED_TRANSIT, request.ttl);
            }
        });
    }

private:
    test::FakeIcmpNetwork& m_network;
    net::IPAddr m_target;
};

class TraceOperationTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.options.setNumber(OptionId::TraceDNS, 0);
        h.options.setNumber(OptionId::Verbose, 1);
        h.options.setNumber(OptionId::Beep, 0);
    }

    void trace(const QString& host) {
        route.install();
        h.frontEnd.hostText = host;
        h.control->OnTrace();
        h.runUntilIdle();
    }
    // The rendered rows after the start line.
    QStringList rows() const { return h.texts().mid(1); }
    std::vector<ResultKind> kinds() const {
        std::vector<ResultKind> all;
        for (std::size_t i = 1; i < h.view.shown.size(); ++i)
            all.push_back(h.view.shown[i].kind);
        return all;
    }
    static QStringList cells(const QString& row) { return row.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

    test::OperationHarness h;
    const net::IPAddr target = address("10.201.9.2");
    ScriptedRoute route{h.network, target};
};

TEST_F(TraceOperationTest, TheTargetReachedAtHop5Of30EndsTheTable) {
    route.routers = {address("10.201.1.1"), address("10.201.2.1"), address("10.201.3.1"),
                     address("10.201.4.1")};
    trace(QStringLiteral("10.201.9.2"));

    const QStringList texts = rows();
    ASSERT_EQ(texts.size(), 7) << texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(h.texts()[0].contains(QStringLiteral("10.201.9.2")));
    EXPECT_EQ(cells(texts[0]), (QStringList{"Hops", "IP", "Address", "RTT(ms)"}));
    for (int hop = 1; hop <= 4; ++hop)
        EXPECT_EQ(cells(texts[hop]),
                  (QStringList{QString::number(hop), QStringLiteral("10.201.%1.1").arg(hop),
                               QString::number(hop)}));
    EXPECT_EQ(cells(texts[5]), (QStringList{"5", "10.201.9.2", "7"}));
    EXPECT_EQ(texts[6], QStringLiteral("Host reached"));
    EXPECT_EQ(kinds(), (std::vector<ResultKind>{ResultKind::HeaderRow, ResultKind::Plain, ResultKind::Plain,
                                                ResultKind::Plain, ResultKind::Plain, ResultKind::Plain,
                                                ResultKind::Bold}));

    // One contact request without options, then hops 1 to 5 and nothing further.
    const auto sent = h.network.sent();
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_FALSE(sent[0].hadOptions);
    EXPECT_EQ(sent[0].timeoutMs, 1500u);
    const std::vector<std::byte> yiv{std::byte('Y'), std::byte('i'), std::byte('v'), std::byte(0),
                                     std::byte(0)};
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].data, yiv);
        EXPECT_EQ(sent[i].destination, target);
        EXPECT_GE(sent[i].replySize, net::IcmpReplySize(5));
        if (i > 0) {
            EXPECT_EQ(sent[i].ttl, i);
            EXPECT_FALSE(sent[i].dontFragment);
            EXPECT_EQ(sent[i].timeoutMs, 5000u);
        }
    }

    EXPECT_EQ(h.state().status.get(), QStringLiteral("Ready"));
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_EQ(h.network.openHandles(), 0u) << "the worker closes its echo handle";
    EXPECT_EQ(h.state().m_hICMPHandle, net::INVALID_HANDLE_VALUE);
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Succeeded);
    EXPECT_EQ(h.state().m_dwShownAddr.get(), net::IpAddress::fromV4(target));
    EXPECT_EQ(h.frontEnd.beeps, 0);
}

TEST_F(TraceOperationTest, NoHopsGivesTheHeaderAndHostNotReached) {
    h.options.setNumber(OptionId::Hops, 0);
    h.options.setNumber(OptionId::Beep, 1);
    trace(QStringLiteral("10.201.9.2"));
    EXPECT_EQ(rows().size(), 2);
    EXPECT_EQ(kinds().front(), ResultKind::HeaderRow);
    EXPECT_EQ(rows().back(), QStringLiteral("Host not reached."));
    EXPECT_EQ(h.network.sent().size(), 1u) << "the host answered the first contact request";
    EXPECT_EQ(h.frontEnd.beeps, 1);
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Failed);
}

TEST_F(TraceOperationTest, ASilentTargetIsTracedAnywayAndNotReached) {
    h.options.setNumber(OptionId::Hops, 3);
    route.routers = {address("10.201.1.1"), address("10.201.2.1"), address("10.201.3.1")};
    route.targetAnswers = false;
    trace(QStringLiteral("10.201.9.2"));

    const QStringList texts = rows();
    ASSERT_EQ(texts.size(), 7) << texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(texts[0], QStringLiteral("10.201.9.2 could not be contacted."));
    EXPECT_EQ(texts[1].trimmed(), QString());
    EXPECT_EQ(cells(texts[5]), (QStringList{"3", "10.201.3.1", "3"}));
    EXPECT_EQ(texts[6], QStringLiteral("Host not reached."));
    EXPECT_EQ(kinds(), (std::vector<ResultKind>{ResultKind::Red, ResultKind::Plain, ResultKind::HeaderRow,
                                                ResultKind::Plain, ResultKind::Plain, ResultKind::Plain,
                                                ResultKind::Bold}));
    const auto sent = h.network.sent();
    ASSERT_EQ(sent.size(), 5u) << "two contact attempts, then three hops";
    EXPECT_FALSE(sent[1].hadOptions);
    EXPECT_EQ(sent[1].timeoutMs, 1500u);
    EXPECT_EQ(h.network.openHandles(), 0u);
}

TEST_F(TraceOperationTest, AnUnreachableAnswerIsTheLastHop) {
    // A router that cannot forward, and a target that refuses echo itself: neither is the host reached,
    // and probing on would only list the same answer again up to Hops.
    struct Case {
        std::size_t deadEndHop;
        std::uint32_t targetStatus;
        QStringList lastRow;
        std::size_t requests; // two contact attempts, then the hops
    };
    const Case cases[] = {
        {2, net::IP_SUCCESS, {"2", "10.201.2.1", "2"}, 4},
        {0, net::IP_DEST_PORT_UNREACHABLE, {"4", "10.201.9.2", "7"}, 6},
        {0, net::IP_DEST_HOST_UNREACHABLE, {"4", "10.201.9.2", "7"}, 6},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        h.view.shown.clear();
        h.network.onRequest({});
        const std::size_t sentBefore = h.network.sent().size();
        route.routers = {address("10.201.1.1"), address("10.201.2.1"), address("10.201.3.1")};
        route.deadEndHop = cases[i].deadEndHop;
        route.targetStatus = cases[i].targetStatus;
        trace(QStringLiteral("10.201.9.2"));

        const QStringList texts = rows();
        ASSERT_GE(texts.size(), 3) << texts.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(texts[0], QStringLiteral("10.201.9.2 could not be contacted.")) << "no echo reply came";
        EXPECT_EQ(cells(texts[texts.size() - 2]), cases[i].lastRow);
        EXPECT_EQ(texts.back(), QStringLiteral("Host not reached."));
        EXPECT_EQ(h.network.sent().size() - sentBefore, cases[i].requests);
        EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Failed);
    }
}

TEST_F(TraceOperationTest, ASilentHopGivesAnErrorRowOnlyWhenVerbose) {
    route.routers = {address("10.201.1.1"), std::nullopt, address("10.201.3.1")};
    std::vector<ResultRecord> records;
    h.control->setRecordSink([&records](const ResultRecord& record) {
        if (record.kind != ResultRecord::Kind::Start)
            records.push_back(record);
    });

    trace(QStringLiteral("10.201.9.2"));
    // The records hold the same hops: a router's status, the silent hop's failure, the target's reply.
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(std::tuple(*records[0].hop, records[0].address, *records[0].statusCode),
              std::tuple(1u, QStringLiteral("10.201.1.1"), std::uint32_t(net::IP_TTL_EXPIRED_TRANSIT)));
    EXPECT_EQ(std::tuple(*records[1].hop, records[1].lost(), *records[1].statusCode),
              std::tuple(2u, true, std::uint32_t(net::IP_REQ_TIMED_OUT)));
    EXPECT_EQ(records[1].operation, RecordOperation::Trace);
    EXPECT_EQ(std::tuple(*records[3].hop, records[3].status), std::tuple(4u, QStringLiteral("reply")));
    EXPECT_EQ(records[4].line, QStringLiteral("reached"));
    h.control->setRecordSink({});
    QStringList texts = rows();
    ASSERT_EQ(texts.size(), 6) << texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(cells(texts[2]), (QStringList{"2", "TIMED", "OUT"}));
    EXPECT_EQ(h.view.shown[3].kind, ResultKind::ErrorRow);
    EXPECT_EQ(cells(texts[3]).front(), QStringLiteral("3"));
    EXPECT_TRUE(h.view.shown[3].fragment.contains(QStringLiteral("cellx4000"))) << "the table without names";

    h.view.shown.clear();
    h.options.setNumber(OptionId::Verbose, 0);
    trace(QStringLiteral("10.201.9.2"));
    texts = rows();
    ASSERT_EQ(texts.size(), 5) << texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(cells(texts[1]).front(), QStringLiteral("1"));
    EXPECT_EQ(cells(texts[2]).front(), QStringLiteral("3")) << "the silent hop leaves a gap";
    EXPECT_EQ(texts.back(), QStringLiteral("Host reached"));
}

TEST_F(TraceOperationTest, WithTraceDnsHopsShowTheirNamesOrNoDnsNameFound) {
    h.options.setNumber(OptionId::TraceDNS, 1);
    route.routers = {address("10.201.1.1"), address("10.201.2.1"), std::nullopt};
    h.names->addHost({"edge{1}.lab", {}, {address("10.201.1.1")}});
    h.names->addHost({"far.lab", {}, {target}});
    trace(QStringLiteral("10.201.9.2"));

    const QStringList texts = rows();
    ASSERT_EQ(texts.size(), 6) << texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(cells(texts[0]), (QStringList{"Hops", "IP", "Address", "RTT(ms)", "DNS", "Name"}));
    EXPECT_EQ(cells(texts[1]), (QStringList{"1", "10.201.1.1", "1", "edge{1}.lab"}));
    EXPECT_TRUE(h.view.shown[2].fragment.contains(QStringLiteral("edge\\{1\\}.lab"))) << "names are escaped";
    EXPECT_EQ(cells(texts[2]), (QStringList{"2", "10.201.2.1", "2", "No", "DNS", "Name", "Found"}));
    EXPECT_EQ(cells(texts[3]), (QStringList{"3", "TIMED", "OUT"}));
    EXPECT_TRUE(h.view.shown[4].fragment.contains(QStringLiteral("cellx9000"))) << "the table with names";
    EXPECT_EQ(cells(texts[4]), (QStringList{"4", "10.201.9.2", "7", "far.lab"}));
    EXPECT_EQ(h.names->addressesAsked(),
              (std::vector{ipAddress("10.201.1.1"), ipAddress("10.201.2.1"), net::IpAddress::fromV4(target)}))
        << "only answering hops are looked up";
}

TEST_F(TraceOperationTest, CancellingWhileContactingWritesOnlyTheCancelLine) {
    h.options.setNumber(OptionId::Beep, 1);
    route.targetAnswers = false;
    h.network.onRequest([&](const test::FakeIcmpNetwork::SentRequest&) { h.state().flags.requestCancel(); });
    h.frontEnd.hostText = QStringLiteral("10.201.9.2");
    h.control->OnTrace();
    h.runUntilIdle();

    EXPECT_EQ(rows(), QStringList{QStringLiteral("Trace canceled")});
    EXPECT_EQ(kinds(), std::vector<ResultKind>{ResultKind::RedBold});
    EXPECT_EQ(h.network.sent().size(), 1u);
    EXPECT_EQ(h.frontEnd.beeps, 0);
    EXPECT_EQ(h.network.openHandles(), 0u);
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_EQ(h.state().status.get(), QStringLiteral("Ready"));
}

TEST_F(TraceOperationTest, CancellingDuringAHopProbeEndsWithHostNotReached) {
    route.routers = {address("10.201.1.1"), address("10.201.2.1"), address("10.201.3.1")};
    route.install();
    int requests = 0;
    test::FakeIcmpNetwork& network = h.network;
    network.onRequest([&](const test::FakeIcmpNetwork::SentRequest& request) {
        if (request.hadOptions && request.ttl <= 3)
            network.error(*route.routers[request.ttl - 1], net::IP_TTL_EXPIRED_TRANSIT, 1);
        else
            network.reply(target, 1);
        if (++requests == 3)
            h.state().flags.requestCancel();
    });
    h.frontEnd.hostText = QStringLiteral("10.201.9.2");
    h.control->OnTrace();
    h.runUntilIdle();

    const QStringList texts = rows();
    ASSERT_EQ(texts.size(), 5) << texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(cells(texts[2]).front(), QStringLiteral("2"));
    EXPECT_EQ(texts[3], QStringLiteral("Trace canceled"));
    EXPECT_EQ(texts[4], QStringLiteral("Host not reached."));
    EXPECT_EQ(h.network.sent().size(), 3u);
}

TEST_F(TraceOperationTest, TheCommandCancelsARunningTraceWithItsLine) {
    route.routers = {address("10.201.1.1"), address("10.201.2.1"), address("10.201.3.1")};
    route.install();
    test::FakeIcmpNetwork& network = h.network;
    network.onRequest([&](const test::FakeIcmpNetwork::SentRequest& request) {
        if (request.hadOptions && request.ttl == 2)
            // The GUI thread handles the command while this worker waits for its reply.
            h.gui.send([&] { h.control->OnTrace(); });
        if (!request.hadOptions)
            network.reply(target, 1);
        else
            network.error(*route.routers[request.ttl - 1], net::IP_TTL_EXPIRED_TRANSIT, 1);
    });
    h.frontEnd.hostText = QStringLiteral("10.201.9.2");
    h.control->OnTrace();
    h.runUntilIdle();

    const QStringList texts = rows();
    ASSERT_GE(texts.size(), 4);
    EXPECT_TRUE(texts.contains(QStringLiteral("Canceling trace...")));
    EXPECT_EQ(texts[texts.size() - 2], QStringLiteral("Trace canceled"));
    EXPECT_EQ(texts.back(), QStringLiteral("Host not reached."));
    EXPECT_EQ(h.network.sent().size(), 3u);
    EXPECT_FALSE(h.state().flags.anyBusy());
}

TEST_F(TraceOperationTest, ANameIsResolvedFirstAndNoEchoHandleEndsTheRun) {
    h.names->addHost({"far.lab", {}, {target}});
    route.routers = {address("10.201.1.1")};
    trace(QStringLiteral("far.lab"));
    ASSERT_FALSE(rows().isEmpty());
    EXPECT_EQ(rows().back(), QStringLiteral("Host reached"));
    EXPECT_EQ(h.network.sent().front().destination, target);

    h.view.shown.clear();
    h.network.refuseHandles(true);
    trace(QStringLiteral("10.201.9.2"));
    h.expectStartLineThenNoEchoHandle(
        QStringLiteral("Ping - IcmpCreateFile() couldn't create handle m_hICMPHandle for IcmpSendEcho()"));
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::NotRun);
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_EQ(h.state().status.get(), QStringLiteral("Ready"));
}

TEST_F(TraceOperationTest, AnAlreadyCancelledTraceWritesNothing) {
    h.state().flags.startOperation(Operation::Trace);
    h.state().flags.requestCancel();
    WorkerContext context = h.control->workerContext(Worker::Trace);
    EXPECT_EQ(TraceThread(context), OperationOutcome::None);
    EXPECT_TRUE(h.view.shown.empty());
    EXPECT_TRUE(h.network.sent().empty());
    EXPECT_FALSE(h.state().flags.m_bTrace);
    EXPECT_FALSE(h.state().flags.m_bTraceThread);
}

TEST_F(TraceOperationTest, ItsOutcomeIsRecordedBeforeItsFlagClears) {
    // Whoever sees the worker gone may start the next operation, which resets the outcome.
    h.network.refuseHandles(true);
    OperationFlags& flags = h.state().flags;
    flags.startOperation(Operation::Trace);
    flags.workerStarted(Worker::Trace);
    std::optional<OperationOutcome> seen;
    QObject::connect(&flags.changes(), &FlagChanges::announced, [&] {
        if (!seen && !flags.m_bTraceThread)
            seen = h.control->lastOutcome();
    });
    TraceThread(h.control->workerContext(Worker::Trace));
    EXPECT_EQ(seen, OperationOutcome::NotRun);
}

} // namespace
} // namespace vantrel::ops
