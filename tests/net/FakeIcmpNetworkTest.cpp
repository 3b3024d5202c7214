#include "support/FakeIcmpNetwork.h"

#include "net/IpStatus.h"

#include <gtest/gtest.h>

namespace vantrel::test {
namespace {

// The scripted network stands in for the real one in every operation test, so it must keep the service's
// contract: what is returned, what is written into the reply buffer, and which handles are open.
class FakeIcmpNetworkTest : public ::testing::Test {
protected:
    std::uint32_t send(net::IPAddr to, const net::IP_OPTION_INFORMATION* options = nullptr,
                       std::size_t replySize = 0) {
        buffer.assign(replySize ? replySize : net::IcmpReplySize(request.size()) + 8, std::byte{0});
        return api.IcmpSendEcho(handle, to, request, options, buffer, 1500);
    }
    net::ICMP_ECHO_REPLY reply() const { return *net::readEchoReply(buffer); }

    FakeIcmpNetwork network;
    net::IcmpApi api = network.api();
    net::IcmpHandle handle = api.IcmpCreateFile();
    std::vector<std::byte> request{std::byte{'Y'}, std::byte{'i'}, std::byte{'v'}, std::byte{0},
                                   std::byte{0}};
    std::vector<std::byte> buffer;
};

TEST_F(FakeIcmpNetworkTest, AnswersInScriptOrderAndTimesOutWhenTheScriptIsDone) {
    const net::IPAddr target = address("10.0.0.1");
    network.reply(target, 12, 55);
    network.error(address("10.0.0.254"), net::IP_TTL_EXPIRED_TRANSIT, 3);
    network.fail(net::IP_DEST_HOST_UNREACHABLE);

    ASSERT_EQ(send(target), 1u);
    EXPECT_EQ(reply().Address, target);
    EXPECT_EQ(reply().RoundTripTime, 12u);
    EXPECT_EQ(reply().Options.Ttl, 55);
    EXPECT_EQ(reply().DataSize, request.size()) << "an echo returns the request's data";

    ASSERT_EQ(send(target), 1u);
    EXPECT_EQ(reply().Address, address("10.0.0.254"));
    EXPECT_EQ(reply().Status, net::IP_TTL_EXPIRED_TRANSIT);

    EXPECT_EQ(send(target), 0u);
    EXPECT_EQ(reply().Status, net::IP_DEST_HOST_UNREACHABLE);

    EXPECT_EQ(send(target), 0u);
    EXPECT_EQ(reply().Status, net::IP_REQ_TIMED_OUT);
}

TEST_F(FakeIcmpNetworkTest, AnswersForADestinationWaitForIt) {
    network.reply(address("10.0.0.2"), 2, 64, address("10.0.0.2"));
    network.reply(address("10.0.0.9"), 9);
    EXPECT_EQ(send(address("10.0.0.1")), 1u);
    EXPECT_EQ(reply().Address, address("10.0.0.9"));
    EXPECT_EQ(send(address("10.0.0.2")), 1u);
    EXPECT_EQ(reply().Address, address("10.0.0.2"));
    EXPECT_EQ(network.scriptedLeft(), 0u);
}

TEST_F(FakeIcmpNetworkTest, RecordsWhatWasSent) {
    net::IP_OPTION_INFORMATION options;
    options.Ttl = 200;
    options.Flags = net::IP_FLAG_DF;
    send(address("10.0.0.1"), &options);
    send(address("10.0.0.2"));
    const std::vector<FakeIcmpNetwork::SentRequest> sent = network.sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].destination, address("10.0.0.1"));
    EXPECT_TRUE(sent[0].hadOptions);
    EXPECT_EQ(sent[0].ttl, 200);
    EXPECT_TRUE(sent[0].dontFragment);
    EXPECT_EQ(sent[0].data, request);
    EXPECT_EQ(sent[0].timeoutMs, 1500u);
    EXPECT_FALSE(sent[1].hadOptions);
}

TEST_F(FakeIcmpNetworkTest, KeepsTheServicesBufferAndHandleRules) {
    network.reply(address("10.0.0.1"), 1);
    // Sized with the 28-byte record of a 32-bit system, the buffer cannot even hold the record here.
    EXPECT_EQ(send(address("10.0.0.1"), nullptr, request.size() + 28), 0u);
    EXPECT_FALSE(net::readEchoReply(buffer));
    EXPECT_EQ(buffer, std::vector<std::byte>(request.size() + 28)) << "left untouched";
    EXPECT_EQ(send(address("10.0.0.1"), nullptr, net::IcmpReplySize(request.size()) - 1), 0u);
    EXPECT_EQ(reply().Status, net::IP_BUF_TOO_SMALL);
    EXPECT_TRUE(network.sent().empty()) << "nothing is sent that could not be answered";

    EXPECT_TRUE(api.IcmpCloseHandle(handle));
    EXPECT_FALSE(api.IcmpCloseHandle(handle));
    network.reply(address("10.0.0.1"), 1);
    EXPECT_EQ(send(address("10.0.0.1")), 0u);
    EXPECT_EQ(reply().Status, 0u) << "a closed handle writes nothing";
    EXPECT_EQ(network.openHandles(), 0u);

    network.refuseHandles(true);
    EXPECT_EQ(api.IcmpCreateFile(), net::INVALID_HANDLE_VALUE);
    EXPECT_EQ(network.handlesCreated(), 1);
    EXPECT_EQ(network.handlesClosed(), 1);
}

TEST_F(FakeIcmpNetworkTest, TheIpv6TwinTakesItsOwnScriptWithTheServicesRules) {
    const net::IpAddress target = *net::IpAddress::parse("fd42::2");
    const net::IpAddress router = *net::IpAddress::parse("fd42::1");
    network.reply6(target, 4, 63, target);
    network.error6(router, net::IP_PACKET_TOO_BIG);
    const net::IcmpHandle handle6 = api.Icmp6CreateFile();
    sockaddr_storage to;
    target.toSockaddr(to);
    const auto send6 = [&](net::IcmpHandle on, std::size_t replySize = 0) {
        buffer.assign(replySize ? replySize : net::Icmp6ReplySize(request.size()), std::byte{0});
        return api.Icmp6SendEcho2(on, nullptr, reinterpret_cast<const sockaddr_in6&>(to), request, nullptr,
                                  buffer, 1500);
    };
    const auto from = [&] {
        const net::ICMPV6_ECHO_REPLY record = *net::readEcho6Reply(buffer);
        return net::IpAddress::fromSockaddr(reinterpret_cast<const sockaddr*>(&record.Address),
                                            sizeof record.Address);
    };

    ASSERT_EQ(send6(handle6), 1u);
    EXPECT_EQ(from(), target);
    EXPECT_EQ(net::readEcho6Reply(buffer)->Options.Ttl, 63);
    EXPECT_EQ(net::readEcho6Reply(buffer)->DataSize, request.size());
    ASSERT_EQ(send6(handle6), 1u);
    EXPECT_EQ(from(), router);
    EXPECT_EQ(net::readEcho6Reply(buffer)->Status, net::IP_PACKET_TOO_BIG);
    EXPECT_EQ(send6(handle6, net::Icmp6ReplySize(request.size()) - 1), 0u);
    EXPECT_EQ(net::readEcho6Reply(buffer)->Status, net::IP_BUF_TOO_SMALL);
    // Each handle sends its own family only.
    EXPECT_EQ(send6(handle), 0u);
    EXPECT_EQ(net::readEcho6Reply(buffer)->Status, net::IP_BAD_DESTINATION);
    EXPECT_EQ(send(address("10.0.0.1")), 0u) << "nothing scripted for it: a timeout";
    const std::vector<FakeIcmpNetwork::SentRequest> sent = network.sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].destination6, target);
    EXPECT_EQ(sent[2].destination, address("10.0.0.1")) << "the v4 request still goes out on its handle";
    EXPECT_TRUE(api.IcmpCloseHandle(handle6));
}

} // namespace
} // namespace vantrel::test
