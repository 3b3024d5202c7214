#include "OperationHarness.h"
#include "net/IpStatus.h"
#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

namespace vantrel::ops {
namespace {

using output::ResultKind;
using settings::OptionId;
using test::address;

class PingOperationTest : public ::testing::Test {
protected:
    void SetUp() override { h.options.setNumber(OptionId::Packets, 4); }

    test::OperationHarness h;
    const net::IPAddr target = address("10.0.0.1");
};

TEST_F(PingOperationTest, AWorkedPingWritesRowsEndLineAndStatistics) {
    std::vector<ResultRecord> records;
    h.control->setRecordSink([&records](const ResultRecord& record) { records.push_back(record); });
    h.network.reply(target, 10, 57);
    h.network.reply(target, 12, 57);
    h.network.fail(net::IP_REQ_TIMED_OUT);
    h.network.reply(target, 15, 57);
    h.ping(QStringLiteral("10.0.0.1"));

    const QStringList texts = h.texts();
    ASSERT_EQ(texts.size(), 9) << texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(texts[0].trimmed(), QStringLiteral("Starting ping to 10.0.0.1 - Dec 08, 2026  14:05:09"));
    EXPECT_EQ(h.view.shown[0].kind, ResultKind::Bold);
    EXPECT_EQ(h.view.shown[1].kind, ResultKind::HeaderRow);
    EXPECT_TRUE(texts[2].contains(QStringLiteral("10.0.0.1")));
    EXPECT_EQ(texts[2].split(QLatin1Char(' '), Qt::SkipEmptyParts),
              (QStringList{"1", "10.0.0.1", "10", "57", QString::number(h.options.packetDataSize())}));
    EXPECT_EQ(h.view.shown[4].kind, ResultKind::ErrorRow);
    EXPECT_EQ(texts[4].split(QLatin1Char(' '), Qt::SkipEmptyParts), (QStringList{"3", "TIMED", "OUT"}));
    EXPECT_EQ(texts[6], QStringLiteral("Ping Successful"));
    EXPECT_EQ(h.view.shown[6].kind, ResultKind::Bold);
    EXPECT_EQ(texts[7], QStringLiteral("3 of 4 packets returned successfully : 25.0% PACKET LOSS"));
    EXPECT_EQ(texts[8],
              QStringLiteral("Round Trip Time (in milliseconds) Maximum/ Minimum/Average: 15/10/12"));

    EXPECT_EQ(h.state().status.get(), QStringLiteral("Ready"));
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_EQ(h.network.openHandles(), 0u) << "the worker closes its echo handle";

    // The same run as records, in order: the failed request has its status and no time.
    ASSERT_EQ(records.size(), 7u);
    EXPECT_EQ(records[0].kind, ResultRecord::Kind::Start);
    EXPECT_EQ(records[1].address, QStringLiteral("10.0.0.1"));
    EXPECT_EQ(records[1].roundTrip, std::chrono::milliseconds(10));
    EXPECT_EQ(records[1].ttl, 57u);
    EXPECT_EQ(records[3].packet, 3u);
    EXPECT_FALSE(records[3].roundTrip);
    EXPECT_EQ(records[3].statusCode, net::IP_REQ_TIMED_OUT);
    EXPECT_EQ(records[3].status, QStringLiteral("TIMED OUT"));
    EXPECT_EQ(records[4].roundTrip, std::chrono::milliseconds(15));
    EXPECT_EQ(records[5].line, QStringLiteral("successful"));
    ASSERT_TRUE(records[6].summary);
    const RecordSummary& sums = *records[6].summary;
    EXPECT_EQ(std::tuple(sums.sent, sums.received, sums.loss, *sums.minimum, *sums.average, *sums.maximum),
              std::tuple(4u, 3u, 25.0, std::chrono::microseconds(10000), std::chrono::microseconds(12333),
                         std::chrono::microseconds(15000)));
    for (const auto& request : h.network.sent()) {
        EXPECT_EQ(request.ttl, 200);
        EXPECT_FALSE(request.dontFragment);
        EXPECT_EQ(request.timeoutMs, 5000u);
    }
}

TEST_F(PingOperationTest, ATargetThatRefusesEchoIsNotAnswering) {
    // The target's own ICMP errors (a firewall's reject, a prohibited host, a closed port) are failures
    // with their status, not replies.
    h.options.setNumber(OptionId::Packets, 3);
    h.network.error(target, net::IP_DEST_HOST_UNREACHABLE);
    h.network.error(target, net::IP_DEST_PORT_UNREACHABLE);
    h.network.error(target, net::IP_DEST_PROT_UNREACHABLE);
    h.ping(QStringLiteral("10.0.0.1"));

    const QStringList texts = h.texts();
    ASSERT_EQ(texts.size(), 7) << texts.join(QLatin1Char('\n')).toStdString();
    for (int row = 2; row <= 4; ++row)
        EXPECT_EQ(h.view.shown[row].kind, ResultKind::ErrorRow) << row;
    EXPECT_TRUE(texts[2].contains(QStringLiteral("DESTINATION HOST UNREACHABLE"))) << texts[2].toStdString();
    EXPECT_TRUE(texts[3].contains(QStringLiteral("PORT UNREACHABLE"))) << texts[3].toStdString();
    EXPECT_EQ(texts[5], QStringLiteral("Ping Unsuccessful"));
    EXPECT_EQ(texts[6], QStringLiteral("0 of 3 packets returned successfully : 100.0% PACKET LOSS"));
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Failed);
}

TEST_F(PingOperationTest, NoPacketsGivesOnlyTheHeaderAndTheFailureLine) {
    h.options.setNumber(OptionId::Packets, 0);
    h.ping(QStringLiteral("10.0.0.1"));
    EXPECT_EQ(h.texts().size(), 3);
    EXPECT_EQ(h.view.shown[1].kind, ResultKind::HeaderRow);
    EXPECT_EQ(h.texts().last(), QStringLiteral("Ping Unsuccessful"));
    EXPECT_EQ(h.view.shown.back().kind, ResultKind::RedBold);
    EXPECT_TRUE(h.network.sent().empty());
}

TEST_F(PingOperationTest, TheRequestCarriesThePingStringUpTo5000Characters) {
    h.options.setNumber(OptionId::Packets, 1);
    const auto sentData = [&](const QString& pingString) {
        h.options.setText(OptionId::PingString, pingString);
        h.network.reply(target, 1);
        h.ping(QStringLiteral("10.0.0.1"));
        return h.network.sent().back().data;
    };
    EXPECT_EQ(sentData(QString(5000, QLatin1Char('a'))).size(), 5002u);
    const std::vector<std::byte> yiv = sentData(QString(5001, QLatin1Char('a')));
    EXPECT_EQ(yiv, (std::vector<std::byte>{std::byte('Y'), std::byte('i'), std::byte('v'), std::byte(0),
                                           std::byte(0)}));
    EXPECT_EQ(sentData(QString()), (std::vector<std::byte>{std::byte(0), std::byte(0)}));
    // The reply to empty data shows 0 bytes received: the two zero bytes added are not counted.
    const QString replyRow = h.view.shown[h.view.shown.size() - 4].text;
    EXPECT_EQ(replyRow.split(QLatin1Char(' '), Qt::SkipEmptyParts).last(), QStringLiteral("0"))
        << replyRow.toStdString();
}

TEST_F(PingOperationTest, CancellingDuringTheSecondRequestStopsAfterIt) {
    h.options.setNumber(OptionId::Packets, 5);
    h.network.setDefaultAnswer(test::FakeIcmpNetwork::echoReply(target, 3));
    int requests = 0;
    h.network.onRequest([&](const test::FakeIcmpNetwork::SentRequest&) {
        if (++requests == 2)
            h.state().flags.requestCancel();
    });
    h.ping(QStringLiteral("10.0.0.1"));

    const QStringList texts = h.texts();
    ASSERT_GE(texts.size(), 4);
    EXPECT_EQ(texts[texts.size() - 4], QStringLiteral("Ping canceled"));
    EXPECT_EQ(texts[texts.size() - 3], QStringLiteral("Ping Successful"));
    EXPECT_EQ(texts[texts.size() - 2],
              QStringLiteral("2 of 2 packets returned successfully : 0.0% PACKET LOSS"));
    EXPECT_EQ(h.network.sent().size(), 2u);
}

TEST_F(PingOperationTest, RepliesFromAnotherHostAndSilentFailuresCountAsLost) {
    h.options.setNumber(OptionId::Packets, 3);
    h.network.error(address("10.0.0.254"), net::IP_DEST_HOST_UNREACHABLE);
    h.network.failSilently();
    h.options.setNumber(OptionId::Fragment, 1);
    h.network.fail(net::IP_REQ_TIMED_OUT);
    h.ping(QStringLiteral("10.0.0.1"));

    const QStringList texts = h.texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("ERROR - HOST 10.0.0.254 RESPONDED")));
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const QString& t) {
        return t.contains(QStringLiteral("PACKET MAY NEED TO FRAGMENT"));
    })) << "a failure without a status, with don't-fragment on, hints at fragmentation";
    EXPECT_EQ(texts.last(), QStringLiteral("0 of 3 packets returned successfully : 100.0% PACKET LOSS"));
    EXPECT_TRUE(h.network.sent().front().dontFragment);

    // Without Verbose, failures leave no rows at all; every request is still a lost one in the records.
    h.view.shown.clear();
    h.options.setNumber(OptionId::Verbose, 0);
    std::vector<ResultRecord> records;
    h.control->setRecordSink([&records](const ResultRecord& record) {
        if (record.kind == ResultRecord::Kind::Row)
            records.push_back(record);
    });
    h.ping(QStringLiteral("10.0.0.1"));
    EXPECT_EQ(h.texts().size(), 3);
    EXPECT_EQ(h.texts()[1], QStringLiteral("Ping Unsuccessful"));
    ASSERT_EQ(records.size(), 3u);
    for (const ResultRecord& record : records)
        EXPECT_TRUE(record.lost()) << record.status.toStdString();
}

TEST_F(PingOperationTest, ReturnedDataWithRtfCharactersIsShownAsItCame) {
    h.options.setNumber(OptionId::Packets, 1);
    h.options.setNumber(OptionId::Verbose, 0);
    h.options.setNumber(OptionId::RetData, 1);
    const QByteArray hostile("}{\\par \\rtf1 100% \xe9"); // the last byte is é in Windows-1252
    std::vector<std::byte> data;
    for (char c : hostile)
        data.push_back(std::byte(c));
    data.push_back(std::byte(0));
    h.network.replyWithData(target, 4, data);
    h.ping(QStringLiteral("10.0.0.1"));
    ASSERT_GE(h.texts().size(), 2);
    EXPECT_EQ(h.texts()[1].simplified(), QStringLiteral("Returned Data: }{\\par \\rtf1 100% é").simplified());
    // The fragment is one balanced row: nothing of the data escaped it.
    const output::RtfDocument parsed = output::RtfReader::readFragment(h.view.shown[1].fragment);
    ASSERT_EQ(parsed.blocks.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<output::TableRow>(parsed.blocks[0]));
}

TEST_F(PingOperationTest, NoEchoHandleShowsTheMessageAndLeavesNothingRunning) {
    h.network.refuseHandles(true);
    h.ping(QStringLiteral("10.0.0.1"));
    h.expectStartLineThenNoEchoHandle(
        QStringLiteral("Ping - IcmpCreateFile() couldn't create handle m_hICMPHandle for IcmpSendEcho()"));
    // How to allow ICMP, on a line of its own, naming the program's file: the sysctl, now and for good,
    // and never raw-socket capability for the desktop program.
    const QString hint = h.frontEnd.messageBoxes[0].text.section(QLatin1Char('\n'), 1);
    EXPECT_TRUE(hint.startsWith(runningProgramPath() + QStringLiteral(" may not open ICMP sockets.")))
        << hint.toStdString();
    EXPECT_EQ(hint.count(QStringLiteral("sudo sysctl -w net.ipv4.ping_group_range=\"0 2147483647\"")), 1);
    EXPECT_TRUE(hint.contains(QStringLiteral("/etc/sysctl.d/")));
    EXPECT_FALSE(hint.contains(QStringLiteral("setcap")));
    EXPECT_FALSE(hint.contains(QStringLiteral("cap_net_raw")));
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_TRUE(h.control->commandUi(CommandId::TraceButton).enabled);
}

TEST_F(PingOperationTest, BeepAndStatisticsFollowTheirOptions) {
    h.options.setNumber(OptionId::Packets, 1);
    h.options.setNumber(OptionId::Beep, 1);
    h.options.setNumber(OptionId::Statistics, 0);
    h.network.reply(target, 7);
    h.ping(QStringLiteral("10.0.0.1"));
    EXPECT_EQ(h.frontEnd.beeps, 1);
    EXPECT_EQ(h.texts().last(), QStringLiteral("Ping Successful"));
}

} // namespace
} // namespace vantrel::ops
