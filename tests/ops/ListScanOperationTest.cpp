#include "OperationHarness.h"
#include "net/IpStatus.h"

#include <gtest/gtest.h>

namespace vantrel::ops {
namespace {

using output::ResultKind;
using settings::OptionId;
using test::address;

QStringList cells(const QString& text) {
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

class ListScanOperationTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.names->addHost({"host.test", {}, {address("10.0.0.2")}});
        h.names->addHost({"silent.test", {}, {address("10.0.0.3")}});
    }

    void scan(const QStringList& hosts) {
        h.control->OnListScan(hosts);
        h.runUntilIdle();
    }
    // Runs the GUI thread's events until the worker has asked the name service `count` times.
    void waitForNameLookups(std::size_t count) {
        while (h.names->namesAsked().size() < count)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    // An echo reply from the host to the next request for it.
    void answer(const char* host, std::uint32_t roundTripMs) {
        h.network.reply(address(host), roundTripMs, 64, address(host));
    }
    std::string dump() const { return h.texts().join(QLatin1Char('\n')).toStdString(); }

    test::OperationHarness h;
};

// The cases that come out the same whether the hosts go one at a time or several in flight.
class ListScanParallelTest : public ListScanOperationTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        ListScanOperationTest::SetUp();
        h.options.setNumber(OptionId::ParallelProbes, GetParam());
    }
};
INSTANTIATE_TEST_SUITE_P(OneOrManyInFlight, ListScanParallelTest, ::testing::Values(1, 3));

TEST_P(ListScanParallelTest, AListOfAddressesAndNamesGivesOneRowPerHostInListOrder) {
    h.options.setNumber(OptionId::ListScanPackets, 2);
    h.options.setNumber(OptionId::Beep, 1);
    answer("10.0.0.1", 4);
    answer("10.0.0.2", 9);
    QStringList records;
    h.control->setRecordSink([&records](const ResultRecord& record) {
        if (record.kind == ResultRecord::Kind::Row)
            records.append(
                QStringLiteral("%1|%2|%3|%4")
                    .arg(record.address,
                         record.roundTrip ? QString::number(record.roundTrip->count() / 1000) : QString(),
                         record.name, record.status));
    });
    scan({"10.0.0.1", "  http://host.test ", "nowhere.test", "silent.test"});
    EXPECT_EQ(records, (QStringList{"10.0.0.1|4||reply", "10.0.0.2|9|host.test|reply",
                                    "||nowhere.test|no address", "10.0.0.3||silent.test|timeout"}));

    const QStringList texts = h.texts();
    ASSERT_EQ(texts.size(), 7) << dump();
    EXPECT_EQ(texts[0].trimmed(), QStringLiteral("Starting List Scan - Dec 08, 2026  14:05:09"));
    EXPECT_EQ(h.view.shown[0].kind, ResultKind::Bold);
    EXPECT_EQ(cells(texts[1]), (QStringList{"IP", "Address", "RTT(ms)", "DNS", "Name"}));
    EXPECT_EQ(h.view.shown[1].kind, ResultKind::HeaderRow);
    EXPECT_EQ(cells(texts[2]), (QStringList{"10.0.0.1", "4"})) << "a dotted address without ListDNS";
    EXPECT_EQ(cells(texts[3]), (QStringList{"10.0.0.2", "9", "host.test"})) << "blanks and prefix gone";
    EXPECT_EQ(h.view.shown[3].kind, ResultKind::Plain);
    EXPECT_EQ(cells(texts[4]), (QStringList{"No", "IP", "Address", "Found", "nowhere.test"}));
    EXPECT_EQ(h.view.shown[4].kind, ResultKind::Red);
    EXPECT_EQ(cells(texts[5]), (QStringList{"10.0.0.3", "Timeout", "silent.test"}));
    EXPECT_EQ(h.view.shown[5].kind, ResultKind::Red);
    EXPECT_EQ(texts[6], QStringLiteral("ListScan ended - Dec 08, 2026  14:05:09"));
    EXPECT_EQ(h.view.shown[6].kind, ResultKind::Bold);

    // The name that does not resolve gets no request; the silent host gets both of its two.
    std::vector<net::IPAddr> sentTo;
    for (const test::FakeIcmpNetwork::SentRequest& request : h.network.sent()) {
        sentTo.push_back(request.destination);
        EXPECT_EQ(request.data, std::vector<std::byte>(2, std::byte{0}));
        EXPECT_FALSE(request.hadOptions);
        EXPECT_EQ(request.timeoutMs, 2000u);
    }
    EXPECT_EQ(sentTo, (std::vector<net::IPAddr>{address("10.0.0.1"), address("10.0.0.2"), address("10.0.0.3"),
                                                address("10.0.0.3")}));
    EXPECT_TRUE(h.names->addressesAsked().empty()) << "no reverse lookup with ListDNS off";
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Succeeded);
    EXPECT_EQ(h.frontEnd.beeps, 1);
    EXPECT_EQ(h.state().status.get(), QStringLiteral("Ready"));
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_EQ(h.network.openHandles(), 0u);
}

TEST_P(ListScanParallelTest, DnsColumnAndFailuresOnly) {
    h.names->addHost({"named.lab", {}, {address("10.0.0.5")}});
    struct Case {
        bool listDns;
        bool failuresOnly;
        QStringList rows; // the rows after the header, cells joined by "|"
    };
    // 10.0.0.5 answers and has a reverse entry; 10.0.0.6 answers and has none; 10.0.0.7 answers with
    // another host's reply (no answer); host.test answers and shows its own name whatever ListDNS says.
    const Case cases[] = {
        {false, false, {"10.0.0.5|1", "10.0.0.6|1", "10.0.0.7|Timeout", "10.0.0.2|1|host.test"}},
        {true,
         false,
         {"10.0.0.5|1|named.lab", "10.0.0.6|1|No|DNS|Name|Found", "10.0.0.7|Timeout|No|DNS|Name|Found",
          "10.0.0.2|1|host.test"}},
        {true, true, {"10.0.0.7|Timeout|No|DNS|Name|Found"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "ListDNS " << c.listDns << ", failures only " << c.failuresOnly);
        h.view.shown.clear();
        h.options.setNumber(OptionId::ListDNS, c.listDns);
        h.options.setNumber(OptionId::ListScanShowFail, c.failuresOnly);
        answer("10.0.0.5", 1);
        answer("10.0.0.6", 1);
        h.network.script({true, 0, address("10.0.0.9"), 1, 64, std::nullopt, std::nullopt},
                         address("10.0.0.7"));
        answer("10.0.0.2", 1);
        scan({"10.0.0.5", "10.0.0.6", "10.0.0.7", "host.test"});

        QStringList rows;
        for (const QString& text : h.texts().mid(2, h.texts().size() - 3))
            rows.append(cells(text).join(QLatin1Char('|')));
        EXPECT_EQ(rows, c.rows) << dump();
        EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Succeeded) << "hidden rows still answered";
    }
}

// A cancel while a name is looked up: the hosts that answered before it keep their rows, the name gets
// no request and no row, and the scan succeeded; the same with one or several hosts in flight and with one
// or several requests per host.
TEST_P(ListScanParallelTest, ACancelDuringALookupKeepsTheRowsOfTheHostsThatAnswered) {
    for (const int packets : {1, 3}) {
        SCOPED_TRACE(packets);
        h.view.shown.clear();
        h.options.setNumber(OptionId::ListScanPackets, packets);
        answer("10.0.0.1", 4);
        const std::size_t sentBefore = h.network.sent().size();
        const std::size_t askedBefore = h.names->namesAsked().size();
        h.names->hold();
        h.control->OnListScan({"10.0.0.1", "silent.test", "10.0.0.8"});
        waitForNameLookups(askedBefore + 1);
        ASSERT_TRUE(test::runEventsUntil([&] { return h.network.sent().size() > sentBefore; }));
        h.control->OnListScan({}); // the command again: cancel
        h.names->release();
        h.runUntilIdle();

        const std::vector<test::FakeIcmpNetwork::SentRequest> sent = h.network.sent();
        ASSERT_EQ(sent.size(), sentBefore + 1) << "nothing after the cancel";
        EXPECT_EQ(sent.back().destination, address("10.0.0.1"));
        const QStringList texts = h.texts();
        ASSERT_EQ(texts.size(), 4) << dump();
        EXPECT_EQ(cells(texts[2]), (QStringList{"10.0.0.1", "4"}));
        EXPECT_EQ(texts[3], QStringLiteral("ListScan canceled - Dec 08, 2026  14:05:09"));
        EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Succeeded);
    }
}

TEST_F(ListScanOperationTest, CancelDuringALookupSendsNothingMore) {
    h.options.setNumber(OptionId::ListScanPackets, 3);
    QStringList list{"silent.test", "10.0.0.1"};
    h.names->hold();
    h.control->OnListScan(list);
    waitForNameLookups(1);
    // The list changes and the scan is cancelled while the worker waits for the name service.
    list[1] = QStringLiteral("10.0.0.8");
    h.control->OnListScan(list);
    EXPECT_EQ(h.state().status.get(), QStringLiteral("Cancelling ListScan..."));
    EXPECT_EQ(h.control->commandUi(CommandId::ListScanButton, false, false).caption.trimmed(),
              QStringLiteral("Cancel"));
    h.names->release();
    h.runUntilIdle();

    EXPECT_TRUE(h.network.sent().empty()) << "no request after the cancel, neither to the name nor after it";
    const QStringList texts = h.texts();
    ASSERT_EQ(texts.size(), 3) << dump();
    EXPECT_EQ(texts[2], QStringLiteral("ListScan canceled - Dec 08, 2026  14:05:09"));
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Failed);
    EXPECT_EQ(h.state().status.get(), QStringLiteral("Ready"));

    // The next scan takes the list as it is then.
    answer("10.0.0.8", 3);
    h.view.shown.clear();
    scan({list[1]});
    ASSERT_EQ(h.texts().size(), 4) << dump();
    EXPECT_EQ(cells(h.texts()[2]), (QStringList{"10.0.0.8", "3"}));
}

TEST_F(ListScanOperationTest, InParallelNamesAreLookedUpAheadAndTheRowsKeepListOrder) {
    h.options.setNumber(OptionId::ParallelProbes, 4);
    h.names->addHost({"slow.test", {}, {address("10.0.0.4")}});
    answer("10.0.0.4", 30);
    answer("10.0.0.2", 2);
    h.names->hold();
    h.control->OnListScan({"slow.test", "nowhere.test", "host.test", "10.0.0.1"});
    EXPECT_TRUE(test::runEventsUntil([&] { return h.names->namesAsked().size() == 3; }))
        << "all three names asked before any answer";
    h.names->release();
    h.runUntilIdle();

    QStringList rows;
    for (const QString& text : h.texts().mid(2, h.texts().size() - 3))
        rows.append(cells(text).join(QLatin1Char('|')));
    EXPECT_EQ(rows, (QStringList{"10.0.0.4|30|slow.test", "No|IP|Address|Found|nowhere.test",
                                 "10.0.0.2|2|host.test", "10.0.0.1|Timeout"}))
        << dump();
}

TEST_F(ListScanOperationTest, InParallelACancelDuringALookupSendsNothingMore) {
    h.options.setNumber(OptionId::ParallelProbes, 2);
    h.names->hold();
    h.control->OnListScan({"silent.test", "10.0.0.1"});
    waitForNameLookups(1);
    h.control->OnListScan({}); // the command again: cancel
    h.names->release();
    h.runUntilIdle();

    EXPECT_TRUE(h.network.sent().empty()) << "the cancel came before the first request";
    const QStringList texts = h.texts();
    ASSERT_EQ(texts.size(), 3) << dump();
    EXPECT_EQ(texts[2], QStringLiteral("ListScan canceled - Dec 08, 2026  14:05:09"));
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Failed);
}

TEST_F(ListScanOperationTest, CancelDuringARequestEndsTheScanAfterIt) {
    h.options.setNumber(OptionId::ListScanPackets, 2);
    h.network.onRequest([&](const test::FakeIcmpNetwork::SentRequest&) { h.state().flags.requestCancel(); });
    scan({"10.0.0.1", "10.0.0.2"});
    EXPECT_EQ(h.network.sent().size(), 1u);
    EXPECT_EQ(h.texts().size(), 3) << "no row for a host left before its last request: " << dump();
    EXPECT_TRUE(h.texts().last().startsWith(QStringLiteral("ListScan canceled - ")));
}

TEST_F(ListScanOperationTest, AnEmptyListAndNoEchoHandle) {
    scan({});
    EXPECT_EQ(h.texts().size(), 3) << "start line, header and end line: " << dump();
    EXPECT_TRUE(h.texts().last().startsWith(QStringLiteral("ListScan ended - ")));
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Failed);

    h.view.shown.clear();
    h.network.refuseHandles(true);
    scan({"10.0.0.1"});
    h.expectStartLineThenNoEchoHandle(
        QStringLiteral("ListScan - IcmpCreateFile() couldn't create handle\t\t\t\t\t\t\t m_hICMPHandle for "
                       "IcmpSendEcho()"));
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::NotRun);
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_TRUE(h.control->commandUi(CommandId::ListScanButton).enabled);
}

} // namespace
} // namespace vantrel::ops
