#include "OperationHarness.h"
#include "net/WinsockErrors.h"
#include "ops/HostText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vantrel::ops {
namespace {

using output::ResultKind;
using settings::OptionId;
using test::address;

class OperationControlTest : public ::testing::Test {
protected:
    void SetUp() override { h.options.setNumber(OptionId::Packets, 1); }

    test::OperationHarness h;
};

TEST_F(OperationControlTest, ADottedHostIsTrimmedFreedOfHttpAndPingedWithoutALookup) {
    h.network.reply(address("10.0.0.1"), 2);
    h.ping(QStringLiteral("  http://10.0.0.1 "));
    EXPECT_TRUE(h.names->namesAsked().empty());
    EXPECT_EQ(h.texts().first().trimmed(),
              QStringLiteral("Starting ping to 10.0.0.1 - Dec 08, 2026  14:05:09"));
    EXPECT_EQ(h.frontEnd.history, QStringList{"10.0.0.1"});
    EXPECT_EQ(h.network.sent().front().destination, address("10.0.0.1"));
    EXPECT_GE(h.frontEnd.focusReturns, 1);
}

TEST(HostTextTest, TheTypedHostIsCleanedBeforeItIsUsed) {
    using P = HostText::Problem;
    const struct {
        const char* typed;
        const char* host;
        P problem;
    } cases[] = {
        {"  10.0.0.1 ", "10.0.0.1", P::None},
        {"http://10.0.0.1", "10.0.0.1", P::None},
        {"https://example.org", "example.org", P::None},
        {"HTTPS://Example.org", "Example.org", P::None},
        {"Http://localhost/", "localhost", P::None}, // a pasted address is cut at its path
        {"https://example.org/a/b?c=1", "example.org", P::None},
        {"example.org/index.html", "example.org", P::None},
        {"   ", "", P::Empty},
        {"http://", "", P::Empty},
        {"https:///x", "", P::Empty},
        {"box.test\n", "box.test", P::None}, // a line break pasted after it is trimmed like a blank
        {"box\n.test", "box\n.test", P::ControlCharacter},
        {"box\x1b.test", "box\x1b.test", P::ControlCharacter},
        {"[fd42::1]", "fd42::1", P::None}, // an IPv6 address as a URL writes it, with or without a port
        {"http://[fd42::1]:8080/x", "fd42::1", P::None},
        {"[box.test]", "[box.test]", P::None}, // only an address loses its brackets
    };
    for (const auto& c : cases) {
        const HostText cleaned = cleanHostText(QString::fromLatin1(c.typed));
        EXPECT_EQ(cleaned.host, QString::fromLatin1(c.host)) << c.typed;
        EXPECT_EQ(cleaned.problem, c.problem) << c.typed;
    }
    EXPECT_EQ(cleanHostText(QStringLiteral("https://") + QString(99, QLatin1Char('a'))).problem, P::None);
    EXPECT_EQ(cleanHostText(QString(100, QLatin1Char('a')) + QStringLiteral("/")).problem, P::TooLong);
}

TEST_F(OperationControlTest, AHostOf100CharactersIsRefusedAnd99Accepted) {
    h.ping(QString(100, QLatin1Char('a')));
    ASSERT_EQ(h.frontEnd.messageBoxes.size(), 1u);
    EXPECT_EQ(h.frontEnd.messageBoxes[0].caption, QStringLiteral("Input Error"));
    EXPECT_EQ(h.frontEnd.messageBoxes[0].text, QStringLiteral("The DNS name or IP address is too long."));
    EXPECT_FALSE(h.state().flags.anyBusy());

    h.ping(QString(99, QLatin1Char('a')));
    EXPECT_EQ(h.frontEnd.messageBoxes.size(), 1u);
    // Asked for by family (IPv4, then IPv6 as it has no IPv4 address), and only that name.
    EXPECT_FALSE(h.names->namesAsked().empty());
    EXPECT_THAT(h.names->namesAsked(), ::testing::Each(std::string(99, 'a')));
}

TEST_F(OperationControlTest, AnEmptyHostAsksForOneByBalloonOrMessageBox) {
    h.ping(QString());
    EXPECT_EQ(h.frontEnd.balloons, QStringList{"Input Error|Please enter a Host Name or IP Address first."});

    h.frontEnd.balloonAccepted = false;
    h.ping(QString());
    ASSERT_EQ(h.frontEnd.messageBoxes.size(), 1u);
    EXPECT_EQ(h.frontEnd.messageBoxes[0].caption, QStringLiteral("Input Error"));

    h.frontEnd.balloonTips = false;
    h.ping(QString());
    ASSERT_EQ(h.frontEnd.messageBoxes.size(), 2u);
    EXPECT_EQ(h.frontEnd.messageBoxes[1].caption, QStringLiteral(" Warning"));
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_TRUE(h.texts().isEmpty());
}

TEST_F(OperationControlTest, ANameIsLookedUpFirstAndTheBroadcastAddressCountsAsAName) {
    h.names->addHost({"server.test", {}, {address("10.0.0.7")}});
    h.network.reply(address("10.0.0.7"), 3);
    h.ping(QStringLiteral("server.test"));
    const QStringList texts = h.texts();
    EXPECT_EQ(texts[0].trimmed(), QStringLiteral("Looking up IP Address for 'server.test'...."));
    EXPECT_EQ(texts[1].trimmed(), QStringLiteral("Starting ping to server.test - Dec 08, 2026  14:05:09"));
    EXPECT_EQ(h.network.sent().front().destination, address("10.0.0.7"));
    EXPECT_TRUE(h.control->hostResolved());

    h.ping(QStringLiteral("255.255.255.255"));
    EXPECT_EQ(h.names->namesAsked().back(), "255.255.255.255");
}

TEST_F(OperationControlTest, WithContinuousPingOnTheLookupLineIsLeftOut) {
    h.options.setNumber(OptionId::ContPing, 1);
    h.names->hold();
    h.frontEnd.hostText = QStringLiteral("server.test");
    h.control->OnPing();
    EXPECT_EQ(h.state().status.get(), QStringLiteral("Looking up IP Address for 'server.test'...."));
    EXPECT_TRUE(h.texts().isEmpty());
    h.control->CancelLookup();
    h.names->release();
    h.runUntilIdle();
}

TEST_F(OperationControlTest, AFailedLookupIsReportedAndEndsTheOperation) {
    h.names->addNameError("nowhere.test", net::WSAHOST_NOT_FOUND);
    h.ping(QStringLiteral("nowhere.test"));
    EXPECT_EQ(h.view.shown.back().kind, ResultKind::Red);
    EXPECT_TRUE(h.texts().last().startsWith(QStringLiteral("Host lookup failed (WinSock error 11001: ")));
    EXPECT_EQ(h.state().status.get(), QStringLiteral("Ready"));
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_TRUE(h.network.sent().empty());
}

TEST_F(OperationControlTest, PingingAgainWhileResolvingCancelsTheLookup) {
    h.names->hold();
    h.names->addHost({"slow.test", {}, {address("10.0.0.9")}});
    h.frontEnd.hostText = QStringLiteral("slow.test");
    h.control->OnPing();
    EXPECT_TRUE(h.control->lookupPending());
    EXPECT_EQ(h.control->commandUi(CommandId::PingButton).caption, QStringLiteral("       Cancel       "));

    h.control->OnPing();
    h.names->release();
    h.runUntilIdle();
    const QStringList texts = h.texts();
    // The ping never started: nothing claims it is being cancelled.
    EXPECT_EQ(texts.last(), QStringLiteral("Host lookup canceled."));
    EXPECT_TRUE(texts.filter(QStringLiteral("Canceling")).isEmpty());
    EXPECT_EQ(h.state().status.get(), QStringLiteral("Ready"));
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_TRUE(h.network.sent().empty()) << "no completion arrives after a cancel";

    // The same for a trace.
    h.names->hold();
    h.control->OnTrace();
    ASSERT_TRUE(h.control->lookupPending());
    h.control->OnTrace();
    h.names->release();
    h.runUntilIdle();
    EXPECT_EQ(h.texts().last(), QStringLiteral("Host lookup canceled."));
    EXPECT_TRUE(h.texts().filter(QStringLiteral("Canceling")).isEmpty());
    EXPECT_EQ(h.state().status.get(), QStringLiteral("Ready"));
}

TEST_F(OperationControlTest, LookupTwiceCancelsAndCancellingNothingSaysSo) {
    h.names->hold();
    h.frontEnd.hostText = QStringLiteral("slow.test");
    h.control->OnLookup();
    h.control->OnLookup();
    h.names->release();
    h.runUntilIdle();
    EXPECT_TRUE(h.texts().contains(QStringLiteral("Host lookup canceled.")));

    h.control->CancelLookup();
    EXPECT_EQ(h.texts().last().trimmed(), QStringLiteral("No host lookup in progress."));
}

TEST_F(OperationControlTest, ADirectPingBesideAnotherOperationDoesNothing) {
    h.state().flags.startOperation(Operation::Trace);
    h.frontEnd.hostText = QStringLiteral("10.0.0.1");
    h.control->OnPing(true);
    EXPECT_FALSE(h.state().flags.m_bPing);
    EXPECT_TRUE(h.texts().isEmpty());
    h.state().flags.lookupReported(); // the trace is over
}

TEST_F(OperationControlTest, ARefusedLookupRequestIsReported) {
    h.names->refuseRequests(net::WSATRY_AGAIN);
    h.ping(QStringLiteral("server.test"));
    EXPECT_TRUE(
        h.texts().last().trimmed().startsWith(QStringLiteral("Host lookup failed (WinSock error 11002")))
        << h.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(h.state().flags.anyBusy());
}

} // namespace
} // namespace vantrel::ops
