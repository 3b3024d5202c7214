// The ICMP echo service on the real kernel: loopback and a routed topology of network namespaces built by
// topology.sh. Needs root (namespaces, raw sockets); skipped with a reason otherwise.

#include "net/AddressText.h"
#include "net/IcmpApi.h"
#include "net/IcmpEcho.h"
#include "net/IpStatus.h"
#include "net/SocketEchoSweep.h"
#include "net/UniqueFd.h"
#include "support/TopologyScript.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sched.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace vantrel::net {
namespace {

// What one request came to.
struct Echo {
    std::uint32_t count = 0;
    ICMP_ECHO_REPLY reply;
    std::vector<std::byte> data;
    std::string from() const { return inet_ntoa(reply.Address); }
};

struct Request {
    std::uint8_t ttl = 0;
    std::uint8_t tos = 0;
    bool dontFragment = false;
    bool withOptions = false;
    std::size_t size = 0; // data bytes beyond "Yiv"
    std::uint32_t timeoutMs = 1500;
};

std::vector<std::byte> requestData(const Request& request) {
    std::vector<std::byte> data{std::byte{'Y'}, std::byte{'i'}, std::byte{'v'}};
    for (std::size_t i = 0; i < request.size; ++i)
        data.push_back(std::byte(i & 0xff));
    return data;
}

std::optional<IP_OPTION_INFORMATION> requestOptions(const Request& request) {
    if (!request.withOptions && !request.ttl && !request.tos && !request.dontFragment)
        return std::nullopt;
    IP_OPTION_INFORMATION options;
    options.Ttl = request.ttl;
    options.Tos = request.tos;
    options.Flags = request.dontFragment ? IP_FLAG_DF : 0;
    return options;
}

Echo echo(IcmpHandle handle, const char* to, const Request& request = {}) {
    const std::vector<std::byte> data = requestData(request);
    const std::optional<IP_OPTION_INFORMATION> options = requestOptions(request);
    std::vector<std::byte> buffer(IcmpReplySize(data.size()) + 64);
    Echo result;
    result.count =
        IcmpSendEcho(handle, inet_addr(to), data, options ? &*options : nullptr, buffer, request.timeoutMs);
    result.reply = readEchoReply(buffer).value();
    const std::span<const std::byte> returned = echoReplyData(result.reply, buffer);
    result.data.assign(returned.begin(), returned.end());
    return result;
}

// What one request of the IPv6 twin came to.
struct Echo6 {
    std::uint32_t count = 0;
    ICMPV6_ECHO_REPLY reply;
    std::vector<std::byte> data;
    std::string from() const {
        const std::optional<IpAddress> address =
            IpAddress::fromSockaddr(reinterpret_cast<const sockaddr*>(&reply.Address), sizeof reply.Address);
        return address ? address->text() : "none";
    }
};

sockaddr_in6 socketAddress6(const char* text) {
    sockaddr_storage storage;
    IpAddress::parse(text).value().toSockaddr(storage);
    sockaddr_in6 address;
    std::memcpy(&address, &storage, sizeof address);
    return address;
}

Echo6 echo6(IcmpHandle handle, const char* to, const Request& request = {},
            const sockaddr_in6* source = nullptr) {
    const std::vector<std::byte> data = requestData(request);
    const std::optional<IP_OPTION_INFORMATION> options = requestOptions(request);
    std::vector<std::byte> buffer(Icmp6ReplySize(data.size()) + 64);
    Echo6 result;
    result.count = Icmp6SendEcho2(handle, source, socketAddress6(to), data, options ? &*options : nullptr,
                                  buffer, request.timeoutMs);
    result.reply = readEcho6Reply(buffer).value();
    const std::span<const std::byte> returned = echoReplyData(result.reply, buffer);
    result.data.assign(returned.begin(), returned.end());
    return result;
}

// Runs `body` on a thread that has joined the network namespace `name`; sockets it opens stay there.
void inNamespace(const std::string& name, const std::function<void()>& body) {
    std::string failure;
    std::thread worker([&] {
        const UniqueFd ns(::open(("/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC));
        if (!ns.valid() || ::setns(ns.get(), CLONE_NEWNET) != 0) {
            failure = "cannot enter network namespace " + name;
            return;
        }
        body();
    });
    worker.join();
    ASSERT_TRUE(failure.empty()) << failure;
}

const std::vector<std::optional<EchoSocketKind>> kBothKinds{EchoSocketKind::Datagram, EchoSocketKind::Raw};

std::string kindName(EchoSocketKind kind) {
    return kind == EchoSocketKind::Datagram ? "datagram" : "raw";
}

class IcmpKernelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (::geteuid() != 0)
            return;
        test::removeTopologyLeftovers("vtn", "host", "down");
        s_prefix = test::topologyPrefix("vtn");
        s_up = test::runTopology("up", s_prefix);
    }

    // IPv6 in the topology, added at the first test that needs it.
    static bool ipv6Up() {
        if (!s_v6Up)
            s_v6Up = test::runTopology("v6-up", s_prefix) && warmUpIpv6();
        return *s_v6Up;
    }

    // The first IPv6 packets through a fresh topology wait about a second (topology.sh); one echo across,
    // given the time, leaves every later request its own timeout.
    static bool warmUpIpv6() {
        bool answered = false;
        inNamespace(ns("host"), [&] {
            const IcmpHandle handle = Icmp6CreateFile();
            answered = echo6(handle, "fd42:201:3::2", {.timeoutMs = 5000}).count == 1;
            IcmpCloseHandle(handle);
        });
        return answered;
    }

    static void TearDownTestSuite() {
        if (!s_prefix.empty())
            test::runTopology("down", s_prefix);
    }

    void SetUp() override {
        if (::geteuid() != 0) {
            if (test::rootTestsRequired())
                FAIL() << "needs root (network namespaces, raw ICMP sockets); VANTREL_REQUIRE_ROOT_TESTS=1";
            GTEST_SKIP() << "needs root: network namespaces and raw ICMP sockets";
        }
        ASSERT_TRUE(s_up) << "topology.sh up " << s_prefix << " failed";
    }

    static std::string ns(const char* role) { return s_prefix + "-" + role; }

    // Runs `body` in the host namespace once per socket kind, with a handle of that kind and `family`.
    void forEachKind(const std::function<void(IcmpHandle, EchoSocketKind)>& body, const char* where = "host",
                     IpFamily family = IpFamily::V4) {
        for (const std::optional<EchoSocketKind>& kind : kBothKinds) {
            SCOPED_TRACE(kindName(*kind));
            inNamespace(ns(where), [&] {
                const IcmpHandle handle = openIcmpHandle(kind, family);
                ASSERT_NE(handle, INVALID_HANDLE_VALUE) << "errno " << lastIcmpCreateError();
                body(handle, *kind);
                EXPECT_TRUE(IcmpCloseHandle(handle));
            });
        }
    }

    // The same with IPv6 handles, once IPv6 is up in the topology.
    void forEachKind6(const std::function<void(IcmpHandle, EchoSocketKind)>& body) {
        ASSERT_TRUE(ipv6Up()) << "topology.sh v6-up " << s_prefix << " failed";
        forEachKind(body, "host", IpFamily::V6);
    }

    struct Swept {
        const char* to;
        bool replied;
        std::uint32_t status;
        const char* from;
    };
    // Sends to every address of `expected` at once on one sweep from the host, once per socket kind, and
    // checks that each request is decided once, as expected.
    void sweepThrough(const std::vector<Swept>& expected) {
        for (const std::optional<EchoSocketKind>& kind : kBothKinds) {
            inNamespace(ns("host"), [&] {
                SCOPED_TRACE(kindName(*kind));
                int error = 0;
                const std::unique_ptr<EchoSweep> sweep = SocketEchoSweep::open(kind, error);
                ASSERT_TRUE(sweep) << "errno " << error;
                const std::vector<std::byte> data{std::byte{'Y'}, std::byte{'i'}};
                for (std::size_t i = 0; i < expected.size(); ++i)
                    sweep->send(i, IpAddress::parse(expected[i].to).value(), data, 1000, 0);
                std::map<std::uint64_t, EchoOutcome> decided;
                for (int waits = 0; decided.size() < expected.size() && waits < 500; ++waits) {
                    for (const SweepAnswer& answer : sweep->wait(std::chrono::milliseconds(20))) {
                        EXPECT_TRUE(decided.emplace(answer.ticket, answer.outcome).second)
                            << "reported twice";
                    }
                }
                ASSERT_EQ(decided.size(), expected.size());
                for (std::size_t i = 0; i < expected.size(); ++i) {
                    SCOPED_TRACE(expected[i].to);
                    EXPECT_EQ(decided[i].replied, expected[i].replied);
                    EXPECT_EQ(decided[i].status, expected[i].status);
                    EXPECT_EQ(decided[i].address.text(), expected[i].from);
                }
                EXPECT_TRUE(sweep->wait(std::chrono::milliseconds(0)).empty());
            });
        }
    }

    static inline std::string s_prefix;
    static inline bool s_up = false;
    static inline std::optional<bool> s_v6Up;
};

TEST_F(IcmpKernelTest, LoopbackEchoThroughBothSocketKinds) {
    forEachKind([](IcmpHandle handle, EchoSocketKind) {
        for (int i = 0; i < 3; ++i) {
            const Echo result = echo(handle, "127.0.0.1", {.size = 2});
            ASSERT_EQ(result.count, 1u);
            EXPECT_EQ(result.reply.Status, IP_SUCCESS);
            EXPECT_EQ(result.from(), "127.0.0.1");
            EXPECT_EQ(result.data.size(), 5u);
            EXPECT_EQ(result.data[0], std::byte{'Y'});
            EXPECT_EQ(result.reply.Options.Ttl, 64);
            // Measured to the kernel's arrival stamp, to the microsecond: a loopback answer is not 0.
            EXPECT_GT(recordRoundTrip(result.reply), std::chrono::microseconds(0));
            EXPECT_LT(recordRoundTrip(result.reply), std::chrono::seconds(1));
        }
    });
}

TEST_F(IcmpKernelTest, BuiltInApiIsBoundToTheService) {
    inNamespace(ns("host"), [] {
        const IcmpApi api = IcmpApi::builtIn();
        ASSERT_TRUE(api.isBound());
        const IcmpHandle handle = api.IcmpCreateFile();
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        const std::vector<std::byte> data{std::byte{'Y'}, std::byte{'i'}};
        std::vector<std::byte> reply(IcmpReplySize(data.size()));
        EXPECT_EQ(api.IcmpSendEcho(handle, inet_addr("10.201.1.2"), data, nullptr, reply, 1500), 1u);
        EXPECT_EQ(readEchoReply(reply)->Address, inet_addr("10.201.1.2"));
        EXPECT_TRUE(api.IcmpCloseHandle(handle));
        EXPECT_FALSE(api.IcmpCloseHandle(handle));
    });
}

TEST_F(IcmpKernelTest, CreateFilePrefersDatagramAndFallsBackToRaw) {
    inNamespace(ns("host"), [] {
        const IcmpHandle handle = IcmpCreateFile();
        EXPECT_EQ(icmpHandleKind(handle), EchoSocketKind::Datagram);
        IcmpCloseHandle(handle);
    });
    // The routers admit no group to datagram ICMP sockets.
    inNamespace(ns("r1"), [] {
        const IcmpHandle handle = IcmpCreateFile();
        ASSERT_EQ(icmpHandleKind(handle), EchoSocketKind::Raw);
        EXPECT_EQ(echo(handle, "10.201.1.1").count, 1u);
        IcmpCloseHandle(handle);
        EXPECT_EQ(openIcmpHandle(EchoSocketKind::Datagram), INVALID_HANDLE_VALUE);
        EXPECT_NE(lastIcmpCreateError(), 0);
    });
}

TEST_F(IcmpKernelTest, ReplyFromAcrossTwoRoutersCarriesTtlAndTos) {
    forEachKind([](IcmpHandle handle, EchoSocketKind) {
        const Echo result = echo(handle, "10.201.3.2", {.tos = 0x20, .size = 100});
        ASSERT_EQ(result.count, 1u);
        EXPECT_EQ(result.from(), "10.201.3.2");
        EXPECT_EQ(result.reply.Options.Ttl, 62) << "64 less two routers";
        EXPECT_EQ(result.reply.Options.Tos, 0x20) << "an echo reply keeps the request's TOS";
        EXPECT_EQ(result.reply.DataSize, 103);
    });
}

TEST_F(IcmpKernelTest, TimeExceededCountsAsTheRoutersReply) {
    forEachKind([](IcmpHandle handle, EchoSocketKind) {
        const Echo first = echo(handle, "10.201.3.2", {.ttl = 1});
        ASSERT_EQ(first.count, 1u);
        EXPECT_EQ(first.reply.Status, IP_TTL_EXPIRED_TRANSIT);
        EXPECT_EQ(first.from(), "10.201.1.2");
        EXPECT_EQ(first.reply.DataSize, 0);

        const Echo second = echo(handle, "10.201.3.2", {.ttl = 2});
        EXPECT_EQ(second.count, 1u);
        EXPECT_EQ(second.reply.Status, IP_TTL_EXPIRED_TRANSIT);
        EXPECT_EQ(second.from(), "10.201.2.2");

        const Echo third = echo(handle, "10.201.3.2", {.ttl = 3});
        EXPECT_EQ(third.count, 1u);
        EXPECT_EQ(third.reply.Status, IP_SUCCESS);
        EXPECT_EQ(third.from(), "10.201.3.2");
    });
}

TEST_F(IcmpKernelTest, SilentDropTimesOut) {
    forEachKind([](IcmpHandle handle, EchoSocketKind) {
        const Echo result = echo(handle, "10.201.8.1", {.timeoutMs = 1000});
        EXPECT_EQ(result.count, 0u);
        EXPECT_EQ(result.reply.Status, IP_REQ_TIMED_OUT);
    });
}

TEST_F(IcmpKernelTest, HostUnreachableFromARouter) {
    forEachKind([](IcmpHandle handle, EchoSocketKind) {
        // r2 cannot resolve the address on its last link and says so.
        for (const char* nobody : {"10.201.3.100", "10.201.3.101"}) {
            const Echo unreachable = echo(handle, nobody, {.timeoutMs = 2000});
            ASSERT_EQ(unreachable.count, 1u) << nobody;
            EXPECT_EQ(unreachable.reply.Status, IP_DEST_HOST_UNREACHABLE);
            EXPECT_EQ(unreachable.from(), "10.201.2.2");
        }
    });
}

TEST_F(IcmpKernelTest, ASweepOnOneSocketTellsItsRequestsAnswersApart) {
    // Sent in this order, all in flight at once; answered in another.
    sweepThrough({
        {"10.201.8.1", false, IP_REQ_TIMED_OUT, "0.0.0.0"},
        {"10.201.3.2", true, IP_SUCCESS, "10.201.3.2"},
        {"10.201.3.100", true, IP_DEST_HOST_UNREACHABLE, "10.201.2.2"},
        {"127.0.0.1", true, IP_SUCCESS, "127.0.0.1"},
        {"10.201.3.3", true, IP_SUCCESS, "10.201.3.3"},
    });
}

TEST_F(IcmpKernelTest, RefusedLocalSendIsNoReply) {
    // The first router has no route beyond its networks: the send is refused at once.
    inNamespace(ns("r1"), [] {
        const IcmpHandle handle = IcmpCreateFile();
        const Echo result = echo(handle, "10.201.99.1");
        EXPECT_EQ(result.count, 0u);
        EXPECT_EQ(result.reply.Status, IP_DEST_NET_UNREACHABLE);
        IcmpCloseHandle(handle);
    });
}

TEST_F(IcmpKernelTest, DontFragmentOverASmallMtuLink) {
    // Each kind uses its own target address: the path MTU learnt is kept per destination.
    const std::map<EchoSocketKind, std::pair<const char*, const char*>> targets{
        {EchoSocketKind::Datagram, {"10.201.3.3", "10.201.3.4"}},
        {EchoSocketKind::Raw, {"10.201.3.5", "10.201.3.6"}}};
    forEachKind([&](IcmpHandle handle, EchoSocketKind kind) {
        const auto [dontFragment, fragmentable] = targets.at(kind);
        // The router before the 1000-byte link answers "fragmentation needed".
        const Echo first = echo(handle, dontFragment, {.dontFragment = true, .size = 1200});
        ASSERT_EQ(first.count, 1u);
        EXPECT_EQ(first.reply.Status, IP_PACKET_TOO_BIG);
        EXPECT_EQ(first.from(), "10.201.2.2");
        // Now the kernel knows the path MTU and refuses the send itself.
        const Echo second = echo(handle, dontFragment, {.dontFragment = true, .size = 1200});
        EXPECT_EQ(second.count, 0u);
        EXPECT_EQ(second.reply.Status, IP_PACKET_TOO_BIG);
        // Small enough, or allowed to fragment: answered.
        EXPECT_EQ(echo(handle, dontFragment, {.dontFragment = true, .size = 500}).count, 1u);
        const Echo fragmented = echo(handle, fragmentable, {.withOptions = true, .size = 1200});
        ASSERT_EQ(fragmented.count, 1u);
        EXPECT_EQ(fragmented.reply.Status, IP_SUCCESS);
        EXPECT_EQ(fragmented.reply.DataSize, 1203);
    });
}

TEST_F(IcmpKernelTest, LateRepliesOfEarlierRequestsAreNotTaken) {
    forEachKind([](IcmpHandle handle, EchoSocketKind) {
        for (int round = 0; round < 5; ++round) {
            // With no time to wait, the target's reply comes after the request has given up...
            echo(handle, "10.201.3.2", {.timeoutMs = 0});
            // ...and must not be taken for the next request, whose true answer is the first router's.
            const Echo next = echo(handle, "10.201.3.2", {.ttl = 1});
            ASSERT_EQ(next.count, 1u);
            EXPECT_EQ(next.reply.Status, IP_TTL_EXPIRED_TRANSIT);
            EXPECT_EQ(next.from(), "10.201.1.2");
        }
    });
}

TEST_F(IcmpKernelTest, HandlesOnSeveralThreadsTakeOnlyTheirOwnAnswers) {
    for (const std::optional<EchoSocketKind>& kind : kBothKinds) {
        SCOPED_TRACE(kindName(*kind));
        // One thread pings the target, the other the first router, with handles of the same kind.
        const std::vector<const char*> targets{"10.201.3.2", "10.201.1.2"};
        std::vector<std::thread> workers;
        std::vector<std::vector<std::string>> seen(targets.size());
        for (std::size_t i = 0; i < targets.size(); ++i) {
            workers.emplace_back([&, i] {
                inNamespace(ns("host"), [&] {
                    const IcmpHandle handle = openIcmpHandle(kind);
                    for (int n = 0; n < 30; ++n) {
                        const Echo result = echo(handle, targets[i]);
                        seen[i].push_back(result.count ? result.from() : "none");
                    }
                    IcmpCloseHandle(handle);
                });
            });
        }
        for (std::thread& worker : workers)
            worker.join();
        for (std::size_t i = 0; i < targets.size(); ++i)
            EXPECT_EQ(seen[i], std::vector<std::string>(30, targets[i]));
    }
}

TEST_F(IcmpKernelTest, HandleRules) {
    inNamespace(ns("host"), [] {
        const IcmpHandle handle = IcmpCreateFile();
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);

        // IP options proper are refused; a buffer too small for the echoed data refuses the request.
        IP_OPTION_INFORMATION options;
        std::uint8_t optionBytes[4] = {1, 1, 1, 1};
        options.OptionsSize = 4;
        options.OptionsData = optionBytes;
        std::vector<std::byte> data(3, std::byte{'x'});
        std::vector<std::byte> buffer(IcmpReplySize(3));
        EXPECT_EQ(IcmpSendEcho(handle, inet_addr("127.0.0.1"), data, &options, buffer, 1000), 0u);
        EXPECT_EQ(readEchoReply(buffer)->Status, IP_BAD_OPTION);
        std::vector<std::byte> small(IcmpReplySize(3) - 1);
        EXPECT_EQ(IcmpSendEcho(handle, inet_addr("127.0.0.1"), data, nullptr, small, 1000), 0u);
        EXPECT_EQ(readEchoReply(small)->Status, IP_BUF_TOO_SMALL);

        // Closing a handle ends a request waiting on it in another thread.
        std::uint32_t waited = 99;
        std::thread waiting([&] {
            std::vector<std::byte> reply(IcmpReplySize(3));
            waited = IcmpSendEcho(handle, inet_addr("10.201.8.1"), data, nullptr, reply, 60000);
        });
        while (!IcmpCloseHandle(handle))
            std::this_thread::yield();
        waiting.join();
        EXPECT_EQ(waited, 0u);

        // A closed or invalid handle sends nothing and writes nothing.
        std::vector<std::byte> untouched(IcmpReplySize(3), std::byte{0x5a});
        EXPECT_EQ(IcmpSendEcho(handle, inet_addr("127.0.0.1"), data, nullptr, untouched, 100), 0u);
        EXPECT_EQ(IcmpSendEcho(INVALID_HANDLE_VALUE, inet_addr("127.0.0.1"), data, nullptr, untouched, 100),
                  0u);
        EXPECT_EQ(untouched, std::vector<std::byte>(IcmpReplySize(3), std::byte{0x5a}));
        EXPECT_FALSE(IcmpCloseHandle(handle));
        EXPECT_FALSE(IcmpCloseHandle(INVALID_HANDLE_VALUE));
    });
}

TEST_F(IcmpKernelTest, Ipv6LoopbackEchoThroughBothSocketKinds) {
    forEachKind6([](IcmpHandle handle, EchoSocketKind) {
        for (int i = 0; i < 3; ++i) {
            const Echo6 result = echo6(handle, "::1", {.size = 2});
            ASSERT_EQ(result.count, 1u);
            EXPECT_EQ(result.reply.Status, IP_SUCCESS);
            EXPECT_EQ(result.from(), "::1");
            EXPECT_EQ(result.reply.DataSize, 5);
            EXPECT_EQ(result.data.at(0), std::byte{'Y'});
            EXPECT_EQ(result.reply.Options.Ttl, 64);
        }
        // A source address given for the one request.
        const sockaddr_in6 source = socketAddress6("::1");
        EXPECT_EQ(echo6(handle, "::1", {}, &source).count, 1u);

        const std::vector<std::byte> data(3, std::byte{'x'});
        std::vector<std::byte> small(Icmp6ReplySize(3) - 1);
        EXPECT_EQ(Icmp6SendEcho2(handle, nullptr, socketAddress6("::1"), data, nullptr, small, 1000), 0u);
        EXPECT_EQ(readEcho6Reply(small)->Status, IP_BUF_TOO_SMALL);
        // Each handle sends its own family only; a mapped IPv4 address is IPv4.
        std::vector<std::byte> buffer(IcmpReplySize(3) + Icmp6ReplySize(3));
        EXPECT_EQ(IcmpSendEcho(handle, inet_addr("127.0.0.1"), data, nullptr, buffer, 1000), 0u);
        EXPECT_EQ(readEchoReply(buffer)->Status, IP_BAD_DESTINATION);
        EXPECT_EQ(
            Icmp6SendEcho2(handle, nullptr, socketAddress6("::ffff:127.0.0.1"), data, nullptr, buffer, 1000),
            0u);
        EXPECT_EQ(readEcho6Reply(buffer)->Status, IP_BAD_DESTINATION);
    });
}

TEST_F(IcmpKernelTest, Ipv6ReplyAcrossTwoRoutersCarriesHopLimitAndTrafficClass) {
    forEachKind6([](IcmpHandle handle, EchoSocketKind) {
        const Echo6 result = echo6(handle, "fd42:201:3::2", {.tos = 0x20, .size = 100});
        ASSERT_EQ(result.count, 1u);
        EXPECT_EQ(result.reply.Status, IP_SUCCESS);
        EXPECT_EQ(result.from(), "fd42:201:3::2");
        EXPECT_EQ(result.reply.Options.Ttl, 62) << "64 less two routers";
        EXPECT_EQ(result.reply.Options.Tos, 0x20) << "an echo reply keeps the request's traffic class";
        EXPECT_EQ(result.reply.DataSize, 103);
    });
}

TEST_F(IcmpKernelTest, Ipv6ErrorsFromRoutersCountAsTheirReplies) {
    struct Expected {
        const char* to;
        std::uint8_t hops;
        std::uint32_t status;
        const char* from;
    };
    const std::vector<Expected> cases{
        {"fd42:201:3::2", 1, IP_TTL_EXPIRED_TRANSIT, "fd42:201:1::2"},
        {"fd42:201:3::2", 2, IP_TTL_EXPIRED_TRANSIT, "fd42:201:2::2"},
        {"fd42:201:3::2", 3, IP_SUCCESS, "fd42:201:3::2"},
        {"fd42:201:3::100", 0, IP_DEST_HOST_UNREACHABLE, "fd42:201:2::2"}, // address unreachable
        {"fd42:201:3::101", 0, IP_DEST_HOST_UNREACHABLE, "fd42:201:2::2"},
        {"fd42:201:99::1", 0, IP_DEST_NET_UNREACHABLE, "fd42:201:1::2"}, // no route
    };
    forEachKind6([&](IcmpHandle handle, EchoSocketKind) {
        for (const Expected& c : cases) {
            SCOPED_TRACE(std::string(c.to) + " hops " + std::to_string(c.hops));
            const Echo6 result = echo6(handle, c.to, {.ttl = c.hops, .timeoutMs = 2000});
            ASSERT_EQ(result.count, 1u);
            EXPECT_EQ(result.reply.Status, c.status);
            EXPECT_EQ(result.from(), c.from);
        }
        const Echo6 silent = echo6(handle, "fd42:201:8::1", {.timeoutMs = 1000});
        EXPECT_EQ(silent.count, 0u);
        EXPECT_EQ(silent.reply.Status, IP_REQ_TIMED_OUT);
    });
}

TEST_F(IcmpKernelTest, Ipv6PacketTooBigWithAndWithoutDontFragment) {
    // Each kind uses its own target addresses: the path MTU learnt is kept per destination.
    const std::map<EchoSocketKind, std::pair<const char*, const char*>> targets{
        {EchoSocketKind::Datagram, {"fd42:201:3::3", "fd42:201:3::4"}},
        {EchoSocketKind::Raw, {"fd42:201:3::5", "fd42:201:3::6"}}};
    forEachKind6([&](IcmpHandle handle, EchoSocketKind kind) {
        const auto [fragmentable, dontFragment] = targets.at(kind);
        // IPv6 routers never fragment: r2 answers "packet too big" for its 1280-byte link...
        const Echo6 first = echo6(handle, fragmentable, {.withOptions = true, .size = 1400});
        ASSERT_EQ(first.count, 1u);
        EXPECT_EQ(first.reply.Status, IP_PACKET_TOO_BIG);
        EXPECT_EQ(first.from(), "fd42:201:2::2");
        // ...after which the kernel fragments at the source, as the request allows.
        const Echo6 second = echo6(handle, fragmentable, {.withOptions = true, .size = 1400});
        ASSERT_EQ(second.count, 1u);
        EXPECT_EQ(second.reply.Status, IP_SUCCESS);
        EXPECT_EQ(second.reply.DataSize, 1403);

        const Echo6 refused = echo6(handle, dontFragment, {.dontFragment = true, .size = 1400});
        ASSERT_EQ(refused.count, 1u);
        EXPECT_EQ(refused.reply.Status, IP_PACKET_TOO_BIG);
        // Now the kernel knows the path MTU and refuses the send itself.
        const Echo6 local = echo6(handle, dontFragment, {.dontFragment = true, .size = 1400});
        EXPECT_EQ(local.count, 0u);
        EXPECT_EQ(local.reply.Status, IP_PACKET_TOO_BIG);
        EXPECT_EQ(echo6(handle, dontFragment, {.dontFragment = true, .size = 500}).count, 1u);
    });
}

TEST_F(IcmpKernelTest, Ipv6LinkLocalTargetNeedsItsInterface) {
    forEachKind6([](IcmpHandle handle, EchoSocketKind) {
        const Echo6 scoped = echo6(handle, "fe80::201:2%eth0");
        ASSERT_EQ(scoped.count, 1u);
        EXPECT_EQ(scoped.reply.Status, IP_SUCCESS);
        EXPECT_EQ(scoped.from(), "fe80::201:2%eth0");
        const Echo6 unscoped = echo6(handle, "fe80::201:2");
        EXPECT_EQ(unscoped.count, 0u);
        EXPECT_EQ(unscoped.reply.Status, IP_BAD_DESTINATION);
    });
}

TEST_F(IcmpKernelTest, ASweepCarriesBothFamiliesAtOnce) {
    ASSERT_TRUE(ipv6Up()) << "topology.sh v6-up " << s_prefix << " failed";
    // Sent in this order, all in flight at once, the families interleaved.
    sweepThrough({
        {"fd42:201:8::1", false, IP_REQ_TIMED_OUT, "0.0.0.0"},
        {"10.201.3.2", true, IP_SUCCESS, "10.201.3.2"},
        {"fd42:201:3::2", true, IP_SUCCESS, "fd42:201:3::2"},
        {"fd42:201:3::102", true, IP_DEST_HOST_UNREACHABLE, "fd42:201:2::2"},
        {"127.0.0.1", true, IP_SUCCESS, "127.0.0.1"},
        {"::1", true, IP_SUCCESS, "::1"},
        {"10.201.8.1", false, IP_REQ_TIMED_OUT, "0.0.0.0"},
        {"fd42:201:3::7", true, IP_SUCCESS, "fd42:201:3::7"},
    });
}

} // namespace
} // namespace vantrel::net
