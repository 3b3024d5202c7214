#include "OperationHarness.h"
#include "net/AddressText.h"
#include "net/IpStatus.h"
#include "ops/SeqScanChecks.h"

#include <gtest/gtest.h>
#include <utility>

namespace vantrel::ops {
namespace {

using output::ResultKind;
using settings::OptionId;
using test::address;

class SeqScanOperationTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.options.setNumber(OptionId::SeqScanPackets, 1);
        h.options.setNumber(OptionId::SeqScanTimeout20, 1);
        h.options.setNumber(OptionId::SeqDNS, 0);
        h.options.setNumber(OptionId::Beep, 0);
    }

    void scan(const QString& start, const QString& end) {
        const QStringList s = start.split(QLatin1Char('.'));
        const QStringList e = end.split(QLatin1Char('.'));
        SeqScanOctets octets;
        octets.texts = {s[0], s[1], s[2], s[3], e[2], e[3]};
        octets.toOptions(h.options);
        h.control->OnSeqScan();
        h.runUntilIdle();
    }
    // The rows between the header and the end line, each as its cells.
    std::vector<QStringList> rows() const {
        std::vector<QStringList> cells;
        const QStringList texts = h.texts();
        for (qsizetype i = 2; i + 1 < texts.size(); ++i)
            cells.push_back(texts[i].split(QLatin1Char(' '), Qt::SkipEmptyParts));
        return cells;
    }
    QStringList sentTo() const {
        QStringList targets;
        for (const test::FakeIcmpNetwork::SentRequest& request : h.network.sent())
            targets.append(QString::fromStdString(net::inet_ntoa(request.destination)));
        return targets;
    }

    test::OperationHarness h;
};

// The cases that come out the same whether the addresses go one at a time or several in flight.
class SeqScanParallelTest : public SeqScanOperationTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        SeqScanOperationTest::SetUp();
        h.options.setNumber(OptionId::ParallelProbes, GetParam());
    }
};
INSTANTIATE_TEST_SUITE_P(OneOrManyInFlight, SeqScanParallelTest, ::testing::Values(1, 4, 256));

TEST_P(SeqScanParallelTest, SweepsAcrossTheThirdOctetInOrderWithARowPerAddress) {
    h.options.setNumber(OptionId::Beep, 1);
    h.network.reply(address("192.168.1.252"), 4, 64, address("192.168.1.252"));
    h.network.reply(address("192.168.2.1"), 9, 64, address("192.168.2.1"));
    scan(QStringLiteral("192.168.1.250"), QStringLiteral("192.168.2.3"));

    EXPECT_EQ(sentTo(), (QStringList{"192.168.1.250", "192.168.1.251", "192.168.1.252", "192.168.1.253",
                                     "192.168.1.254", "192.168.1.255", "192.168.2.0", "192.168.2.1",
                                     "192.168.2.2", "192.168.2.3"}));
    const test::FakeIcmpNetwork::SentRequest first = h.network.sent().front();
    EXPECT_EQ(first.data, (std::vector<std::byte>{std::byte('Y'), std::byte('i')}));
    EXPECT_FALSE(first.hadOptions);
    if (GetParam() == 1) {
        EXPECT_EQ(first.replySize, net::IcmpReplySize(2));
    }
    EXPECT_EQ(first.timeoutMs, 1000u);

    const QStringList texts = h.texts();
    ASSERT_EQ(texts.size(), 13);
    EXPECT_EQ(texts.front().trimmed(), QStringLiteral("Starting Sequence Scan - Dec 08, 2026  14:05:09"));
    EXPECT_EQ(texts[1].split(QLatin1Char(' '), Qt::SkipEmptyParts),
              (QStringList{"IP", "Address", "RTT(ms)"}));
    EXPECT_EQ(texts.back(), QStringLiteral("Sequence Scan ended - Dec 08, 2026  14:05:09"));
    const std::vector<QStringList> table = rows();
    EXPECT_EQ(table[0], (QStringList{"192.168.1.250", "----"}));
    EXPECT_EQ(table[2], (QStringList{"192.168.1.252", "4"}));
    EXPECT_EQ(table[7], (QStringList{"192.168.2.1", "9"}));
    EXPECT_EQ(h.view.shown[2].kind, ResultKind::Red);
    EXPECT_EQ(h.view.shown[4].kind, ResultKind::Plain);
    EXPECT_EQ(h.view.shown.back().kind, ResultKind::Bold);
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Succeeded);
    EXPECT_EQ(h.frontEnd.beeps, 1);
    EXPECT_EQ(h.network.openHandles(), 0u);
    EXPECT_EQ(h.state().status.get(), QStringLiteral("Ready"));
    EXPECT_FALSE(h.state().flags.anyBusy());
}

TEST_F(SeqScanOperationTest, TheFirstAnswerEndsAnAddressAndASilentOneGetsOneRow) {
    h.options.setNumber(OptionId::SeqScanPackets, 3);
    h.network.fail(net::IP_REQ_TIMED_OUT, address("10.1.0.1"));
    h.network.reply(address("10.1.0.1"), 17, 64, address("10.1.0.1"));
    scan(QStringLiteral("10.1.0.1"), QStringLiteral("10.1.0.2"));

    EXPECT_EQ(sentTo(), (QStringList{"10.1.0.1", "10.1.0.1", "10.1.0.2", "10.1.0.2", "10.1.0.2"}));
    const std::vector<QStringList> table = rows();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0], (QStringList{"10.1.0.1", "17"}));
    EXPECT_EQ(table[1], (QStringList{"10.1.0.2", "----"}));
}

TEST_P(SeqScanParallelTest, AnAnswerFromAnotherAddressIsNoAnswer) {
    h.network.error(address("10.1.0.254"), net::IP_DEST_HOST_UNREACHABLE);
    h.network.reply(address("10.1.0.9"), 2);
    scan(QStringLiteral("10.1.0.5"), QStringLiteral("10.1.0.6"));

    const std::vector<QStringList> table = rows();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0], (QStringList{"10.1.0.5", "----"}));
    EXPECT_EQ(table[1], (QStringList{"10.1.0.6", "----"}));
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Failed);
}

TEST_P(SeqScanParallelTest, FailuresOnlyLeavesOutTheAnsweringAddressesAndTheirLookups) {
    h.options.setNumber(OptionId::SeqScanShowFail, 1);
    h.options.setNumber(OptionId::SeqDNS, 1);
    h.network.setDefaultAnswer(test::FakeIcmpNetwork::echoReply(0, 1));
    h.network.onRequest(
        [&](const test::FakeIcmpNetwork::SentRequest& request) { h.network.reply(request.destination, 1); });
    scan(QStringLiteral("10.2.0.1"), QStringLiteral("10.2.0.3"));

    EXPECT_EQ(h.texts().size(), 3) << "start line, header and end line";
    EXPECT_TRUE(h.names->addressesAsked().empty());
}

TEST_P(SeqScanParallelTest, DnsRowsShowTheNameOrSayNoneWasFound) {
    h.options.setNumber(OptionId::SeqDNS, 1);
    h.names->addHost({"gw.lab.test", {}, {address("10.3.0.1")}});
    h.names->addHost({"dark.lab.test", {}, {address("10.3.0.2")}});
    h.network.reply(address("10.3.0.1"), 5, 64, address("10.3.0.1"));
    h.network.reply(address("10.3.0.3"), 6, 64, address("10.3.0.3"));
    scan(QStringLiteral("10.3.0.1"), QStringLiteral("10.3.0.4"));

    EXPECT_EQ(h.texts()[1].split(QLatin1Char(' '), Qt::SkipEmptyParts),
              (QStringList{"IP", "Address", "RTT(ms)", "DNS", "Name"}));
    const std::vector<QStringList> table = rows();
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[0], (QStringList{"10.3.0.1", "5", "gw.lab.test"}));
    EXPECT_EQ(table[1], (QStringList{"10.3.0.2", "----", "dark.lab.test"}));
    EXPECT_EQ(table[2], (QStringList{"10.3.0.3", "6", "No", "DNS", "Name", "Found"}));
    EXPECT_EQ(table[3], (QStringList{"10.3.0.4", "----", "No", "DNS", "Name", "Found"}));
}

TEST_F(SeqScanOperationTest, InParallelRowsKeepAddressOrderWhateverOrderTheAnswersComeIn) {
    h.options.setNumber(OptionId::ParallelProbes, 3);
    h.options.setNumber(OptionId::SeqScanPackets, 2);
    h.network.reply(address("10.1.0.1"), 900, 64, address("10.1.0.1"));
    h.network.reply(address("10.1.0.2"), 5, 64, address("10.1.0.2"));
    h.network.fail(net::IP_REQ_TIMED_OUT, address("10.1.0.3"));
    h.network.reply(address("10.1.0.3"), 7, 64, address("10.1.0.3"));
    h.network.reply(address("10.1.0.9"), 1, 64, address("10.1.0.4")); // a stranger's reply is no answer
    scan(QStringLiteral("10.1.0.1"), QStringLiteral("10.1.0.5"));

    EXPECT_EQ(sentTo(), (QStringList{"10.1.0.1", "10.1.0.2", "10.1.0.3", "10.1.0.4", "10.1.0.4", "10.1.0.5",
                                     "10.1.0.3", "10.1.0.5"}));
    EXPECT_EQ(h.network.sweepMostInFlight(), 3u);
    const std::vector<QStringList> table = rows();
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[0], (QStringList{"10.1.0.1", "900"}));
    EXPECT_EQ(table[1], (QStringList{"10.1.0.2", "5"}));
    EXPECT_EQ(table[2], (QStringList{"10.1.0.3", "7"})) << "answered at its second request";
    EXPECT_EQ(table[3], (QStringList{"10.1.0.4", "----"}));
    EXPECT_EQ(table[4], (QStringList{"10.1.0.5", "----"}));
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Succeeded);
    EXPECT_EQ(h.state().status.get(), QStringLiteral("Ready"));
}

// After a cancel nothing more is sent; the requests in flight are read to their end, as the sequential
// scan reads its one, so every address keeps its row, also one that answered after a silent one.
TEST_F(SeqScanOperationTest, CancelInParallelSendsNothingMoreAndKeepsEveryDecidedAddress) {
    h.options.setNumber(OptionId::ParallelProbes, 3);
    h.network.reply(address("10.4.0.0"), 1, 64, address("10.4.0.0"));
    h.network.reply(address("10.4.0.2"), 5, 64, address("10.4.0.2"));
    int requests = 0;
    h.network.onRequest([&](const test::FakeIcmpNetwork::SentRequest&) {
        if (++requests == 5)
            h.state().flags.requestCancel();
    });
    scan(QStringLiteral("10.4.0.0"), QStringLiteral("10.4.0.255"));

    EXPECT_EQ(requests, 5) << "no request after the cancel";
    const std::vector<QStringList> table = rows();
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[0], (QStringList{"10.4.0.0", "1"}));
    EXPECT_EQ(table[1], (QStringList{"10.4.0.1", "----"}));
    EXPECT_EQ(table[2], (QStringList{"10.4.0.2", "5"})) << "answered before the cancel, after a silent one";
    EXPECT_EQ(table[4], (QStringList{"10.4.0.4", "----"})) << "its one request, sent before the cancel";
    EXPECT_EQ(h.texts().back(), QStringLiteral("Sequence Scan canceled - Dec 08, 2026  14:05:09"));
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_EQ(h.network.openHandles(), 0u);
}

TEST_F(SeqScanOperationTest, CancelStopsAfterTheCurrentRequestWithTheCanceledLine) {
    h.options.setNumber(OptionId::SeqScanPackets, 3);
    h.options.setNumber(OptionId::Beep, 1);
    int requests = 0;
    h.network.onRequest([&](const test::FakeIcmpNetwork::SentRequest&) {
        if (++requests == 5)
            h.state().flags.requestCancel();
    });
    scan(QStringLiteral("10.4.0.0"), QStringLiteral("10.4.0.255"));

    EXPECT_EQ(requests, 5);
    const std::vector<QStringList> table = rows();
    ASSERT_EQ(table.size(), 1u) << "the address stopped during its second request is not reported silent";
    EXPECT_EQ(table[0], (QStringList{"10.4.0.0", "----"}));
    EXPECT_EQ(h.texts().back(), QStringLiteral("Sequence Scan canceled - Dec 08, 2026  14:05:09"));
    EXPECT_EQ(h.frontEnd.beeps, 0);
    EXPECT_FALSE(h.state().flags.anyBusy());
}

TEST_F(SeqScanOperationTest, TheCommandCancelsARunningScanAndIsIgnoredBesideAnotherOperation) {
    bool given = false;
    h.network.onRequest([&](const test::FakeIcmpNetwork::SentRequest&) {
        if (!std::exchange(given, true)) // the command once more, from the GUI thread, during the request
            h.gui.send([&] { h.control->OnSeqScan(); });
    });
    scan(QStringLiteral("10.5.0.1"), QStringLiteral("10.5.0.200"));
    EXPECT_LT(h.network.sent().size(), 200u);
    EXPECT_TRUE(h.texts().back().startsWith(QStringLiteral("Sequence Scan canceled - ")));

    h.network.onRequest({});
    h.state().flags.startOperation(Operation::Trace);
    const std::size_t sent = h.network.sent().size();
    h.control->OnSeqScan();
    EXPECT_FALSE(h.state().flags.m_bSeqScan);
    EXPECT_EQ(h.network.sent().size(), sent);
}

TEST_F(SeqScanOperationTest, ARangeThatCannotBeScannedIsReportedOnItsFieldAndNothingIsSent) {
    struct Case {
        QStringList octets;
        int control;
        QString text;
        bool showPane;
    };
    const std::vector<Case> cases{
        {{"10", "0", "", "1", "0", "5"}, 1121, "IP Address octets must be between 1 and 255.", false},
        {{"10", "0", "4", "1", "3", "5"},
         1123,
         "Ending IP address octet 3 must be greater than or equal to Starting IP address octet 3.",
         true},
        {{"10", "0", "4", "9", "4", "8"},
         1124,
         "Ending IP address octet 4 must be greater than or equal to Starting IP address octet 4.",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.octets.join(QLatin1Char(' ')).toStdString());
        h.frontEnd.messageBoxes.clear();
        SeqScanOctets octets;
        std::copy(c.octets.begin(), c.octets.end(), octets.texts.begin());
        octets.toOptions(h.options);
        h.control->OnSeqScan();
        h.runUntilIdle();
        ASSERT_EQ(h.frontEnd.messageBoxes.size(), 1u);
        EXPECT_EQ(h.frontEnd.messageBoxes[0].caption, QStringLiteral("IP Address Error"));
        EXPECT_EQ(h.frontEnd.messageBoxes[0].text, c.text);
        EXPECT_EQ(h.frontEnd.octetReports,
                  QStringList{QString::number(c.control) + (c.showPane ? "+pane" : "")});
        h.frontEnd.octetReports.clear();
        EXPECT_EQ(h.state().status.get(), QStringLiteral("SeqScan IP address octet error..."));
        EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::NotRun);
    }
    EXPECT_TRUE(h.network.sent().empty());
    EXPECT_TRUE(h.texts().isEmpty());
}

TEST_F(SeqScanOperationTest, WithoutAnEchoHandleTheScanEndsAtOnceWithItsMessage) {
    h.network.refuseHandles(true);
    scan(QStringLiteral("10.6.0.1"), QStringLiteral("10.6.0.3"));
    h.expectStartLineThenNoEchoHandle(
        QStringLiteral("SeqScan - IcmpCreateFile() couldn't create handle m_hICMPHandle for IcmpSendEcho()"));
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::NotRun);
    EXPECT_FALSE(h.state().flags.anyBusy());
}

TEST(SeqScanChecksTest, OctetFieldsAreCorrectedAsTheyAreTyped) {
    struct Case {
        const char* typed;
        const char* result;
        const char* message;
        int caret;
    };
    const Case cases[] = {
        {"", "", "", -1},
        {"7", "7", "", -1},
        {"255", "255", "", -1},
        {"07", "7", "IP Address octets cannot begin with 0.", 0},
        {"00", "", "IP Address octets cannot begin with 0.", 0},
        {"300", "30", "IP Address octets must be between 0 and 255.", 2},
        {"256", "25", "IP Address octets must be between 0 and 255.", 2},
        {"1a", "", "", 0},
        {"-5", "", "", 0},
        {"+5", "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const OctetCorrection fix = CheckOctetField(QString::fromLatin1(c.typed));
        EXPECT_EQ(fix.text, QString::fromLatin1(c.result));
        EXPECT_EQ(fix.message, QString::fromLatin1(c.message));
        EXPECT_EQ(fix.caret, c.caret);
    }

    // A start octet typed above the end's is set to it; with the third octets apart the fourth is free.
    SeqScanOctets octets;
    octets.texts = {"10", "0", "9", "200", "5", "100"};
    const std::optional<OctetCorrection> third = limitStartOctet(OctetField::Start3, octets);
    ASSERT_TRUE(third);
    EXPECT_EQ(third->text, QStringLiteral("5"));
    EXPECT_EQ(third->message,
              QStringLiteral("IP Start address octet 3 cannot be greater than end address octet 3."));
    octets[OctetField::Start3] = QStringLiteral("4");
    EXPECT_FALSE(limitStartOctet(OctetField::Start4, octets));
    octets[OctetField::Start3] = QStringLiteral("5");
    EXPECT_EQ(limitStartOctet(OctetField::Start4, octets)->text, QStringLiteral("100"));
    octets[OctetField::End3] = QString();
    EXPECT_FALSE(limitStartOctet(OctetField::Start3, octets)) << "an empty end field compares nothing";
}

} // namespace
} // namespace vantrel::ops
