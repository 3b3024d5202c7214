#include "ops/ISPinger.h"

#include "OperationHarness.h"
#include "net/IpStatus.h"
#include "net/WinsockErrors.h"

#include <gtest/gtest.h>
#include <thread>

namespace vantrel::ops {
namespace {

using settings::OptionId;
using test::address;

// ISPinger beside operation control, on the same flags, network and name service. Its timers' second is
// an hour long, so they never fire by themselves: the tests fire them with OnTimer, as the clock would.
class ISPingerTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.options.setText(OptionId::ISPAddress, QStringLiteral("10.0.0.9"));
        h.options.setNumber(OptionId::ISPInterval, 1);
        isp.setSecondLength(std::chrono::hours(1));
        QObject::connect(&isp, &ISPinger::indicatorChanged,
                         [this](IspIndicator lit) { flashes.push_back(lit); });
    }

    template <typename Predicate> bool runUntil(Predicate done) { return test::runEventsUntil(done); }
    // The request started last has been counted and its worker is gone.
    bool requestOver(int sent) { return isp.sent() >= sent && !isp.requestRunning(); }
    void tick(int sent) {
        isp.OnTimer(TIMER_ISPINGER_REQUEST);
        ASSERT_TRUE(runUntil([&] { return requestOver(sent); }));
    }
    bool linesContain(const QString& text) const {
        for (const QString& line : h.texts())
            if (line.contains(text))
                return true;
        return false;
    }

    test::OperationHarness h;
    ISPinger isp{{h.state().flags, h.options, h.network.api(), h.sockets, h.frontEnd, h.pipeline}};
    std::vector<IspIndicator> flashes;
};

// Three requests, the second lost: 66 in the status and the stop line; each flash shows the request
// before it, so the third is red; each request on a handle of its own with "Yi" and two seconds.
TEST_F(ISPingerTest, CountsAnswersAndFlashesRedAfterALostRequest) {
    const net::IPAddr server = address("10.0.0.9");
    h.network.reply(server, 3);
    h.network.fail(net::IP_REQ_TIMED_OUT);
    h.network.reply(server, 3);
    isp.OnISPinger();
    ASSERT_TRUE(runUntil([&] { return requestOver(1); }));
    EXPECT_EQ(isp.statusText(), QStringLiteral("ISPinger: Active - 100% ping success."));
    tick(2);
    tick(3);
    EXPECT_EQ(isp.statusText(), QStringLiteral("ISPinger: Active - 66% ping success."));
    EXPECT_EQ(flashes, (std::vector{IspIndicator::Answered, IspIndicator::Answered, IspIndicator::Lost}));
    isp.OnTimer(TIMER_ISPINGER_INDICATOR);
    EXPECT_EQ(isp.indicator(), IspIndicator::Dark);

    isp.OnISPinger();
    EXPECT_EQ(isp.statusText(), QStringLiteral("ISPinger: Inactive."));
    EXPECT_TRUE(linesContain(QStringLiteral("ISPinger stopped - 66% ping success rate to 10.0.0.9.")));
    // Stopped, the next tick ends the request timer and sends nothing.
    isp.OnTimer(TIMER_ISPINGER_REQUEST);
    EXPECT_FALSE(isp.isTimerActive(TIMER_ISPINGER_REQUEST));
    EXPECT_EQ(isp.sent(), 3);

    const auto sent = h.network.sent();
    ASSERT_EQ(sent.size(), 3u);
    for (const auto& request : sent) {
        EXPECT_EQ(request.data, (std::vector{std::byte{'Y'}, std::byte{'i'}}));
        EXPECT_EQ(request.timeoutMs, 2000u);
    }
    EXPECT_EQ(h.network.handlesCreated(), 3);
    EXPECT_EQ(h.network.openHandles(), 0u);
}

// Without an echo handle every tick tries again, but the failure and what to do are told once a start.
TEST_F(ISPingerTest, NoEchoHandleIsToldOnceAStart) {
    h.network.refuseHandles(true);
    for (int start = 1; start <= 2; ++start) {
        isp.OnISPinger();
        ASSERT_TRUE(runUntil([&] { return !isp.requestRunning(); }));
        for (int tick = 0; tick < 2; ++tick) {
            isp.OnTimer(TIMER_ISPINGER_REQUEST);
            ASSERT_TRUE(runUntil([&] { return !isp.requestRunning(); }));
        }
        ASSERT_EQ(h.frontEnd.messageBoxes.size(), std::size_t(start));
        EXPECT_TRUE(h.frontEnd.messageBoxes.back().text.contains(QStringLiteral("ping_group_range")));
        EXPECT_EQ(
            h.texts().count(QStringLiteral(
                "ISPinger - IcmpCreateFile() couldn't create handle m_hICMPHandle for IcmpSendEcho().")),
            start);
        isp.OnISPinger(); // stops
    }
    EXPECT_EQ(isp.sent(), 0);
}

// A stranger's echo reply is no answer: the server did not reply.
TEST_F(ISPingerTest, AReplyFromAnotherAddressIsLost) {
    h.network.reply(address("10.0.0.77"), 3);
    isp.OnISPinger();
    ASSERT_TRUE(runUntil([&] { return requestOver(1); }));
    EXPECT_EQ(isp.statusText(), QStringLiteral("ISPinger: Active - 0% ping success."));
}

// Stopped and started again while a request is on its way: that request belongs to the old run, and the
// new run neither counts it nor starts a second worker beside it.
TEST_F(ISPingerTest, ARequestOfTheLastRunDoesNotCountForTheNext) {
    std::atomic<bool> inFlight{false};
    std::atomic<bool> release{false};
    h.network.onRequest([&](const test::FakeIcmpNetwork::SentRequest&) {
        inFlight = true;
        while (!release)
            std::this_thread::yield();
    });
    h.network.reply(address("10.0.0.9"), 1);
    h.network.reply(address("10.0.0.9"), 1);
    isp.OnISPinger();
    ASSERT_TRUE(runUntil([&] { return bool(inFlight); }));
    isp.OnISPinger();
    isp.OnISPinger();
    release = true;
    ASSERT_TRUE(runUntil([&] { return !isp.requestRunning(); }));
    EXPECT_EQ(isp.sent(), 0);
    EXPECT_EQ(h.network.sent().size(), 1u);
    tick(1);
    EXPECT_EQ(isp.answered(), 1);
    EXPECT_EQ(isp.statusText(), QStringLiteral("ISPinger: Active - 100% ping success."));
}

// Stopped while its server's name is resolved: no stopped line, the lookup-canceled line; a failed
// lookup leaves it inactive with the error, and the server box free again.
TEST_F(ISPingerTest, StopDuringTheLookupAndAFailedLookup) {
    std::vector<bool> locked;
    QObject::connect(&isp, &ISPinger::activeChanged, [&](bool active) { locked.push_back(active); });
    h.options.setText(OptionId::ISPAddress, QStringLiteral("isp.example"));
    h.names->hold();
    isp.OnISPinger();
    EXPECT_EQ(isp.statusText(), QStringLiteral("Finding IP Address for isp.example...."));
    EXPECT_TRUE(isp.lookupPending());
    isp.OnISPinger();
    h.names->release();
    EXPECT_FALSE(isp.lookupPending());
    EXPECT_FALSE(linesContain(QStringLiteral("ISPinger stopped")));
    EXPECT_TRUE(linesContain(QStringLiteral("ISPinger host lookup canceled - ISPinger inactive.")));

    h.names->addNameError("isp.example", net::WSAHOST_NOT_FOUND);
    isp.OnISPinger();
    ASSERT_TRUE(runUntil([&] { return !isp.lookupPending(); }));
    EXPECT_FALSE(isp.isActive());
    EXPECT_EQ(isp.statusText(), QStringLiteral("ISPinger server lookup failed: Inactive"));
    EXPECT_TRUE(linesContain(QStringLiteral("ISPinger server lookup failed.")));
    EXPECT_TRUE(linesContain(QStringLiteral("WinSock error 11001")));
    EXPECT_EQ(locked, (std::vector{true, false, true, false}));
    EXPECT_TRUE(h.network.sent().empty());
}

// ISPinger resolves in a slot of its own and keeps counting while a ping beside it is started and
// cancelled during its own lookup.
TEST_F(ISPingerTest, RunsBesideAPingThatIsCancelled) {
    h.names->addHost({"isp.example", {}, {address("10.0.0.9")}});
    h.names->addHost({"host.example", {}, {address("10.0.0.1")}});
    h.options.setText(OptionId::ISPAddress, QStringLiteral("isp.example"));
    h.network.reply(address("10.0.0.9"), 1);
    h.network.reply(address("10.0.0.9"), 1);
    h.names->hold();
    isp.OnISPinger();
    h.frontEnd.hostText = QStringLiteral("host.example");
    h.control->OnPing();
    ASSERT_TRUE(h.control->lookupPending());
    h.control->OnPing(); // cancels the ping's lookup, not ISPinger's
    h.names->release();
    ASSERT_TRUE(runUntil([&] { return requestOver(1); }));
    EXPECT_TRUE(linesContain(QStringLiteral("ISPinger activated - pinging isp.example [10.0.0.9].")));
    tick(2);
    EXPECT_EQ(isp.answered(), 2);
    EXPECT_TRUE(isp.isActive());
    for (const auto& request : h.network.sent())
        EXPECT_EQ(request.destination, address("10.0.0.9"));
    isp.OnISPinger();
    EXPECT_TRUE(linesContain(QStringLiteral("ISPinger stopped - 100% ping success rate to isp.example.")));
}

} // namespace
} // namespace vantrel::ops
