#include "net/AddressText.h"
#include "net/CWinsock.h"
#include "net/IpAddress.h"
#include "net/WinsockErrors.h"
#include "support/FakeIcmpNetwork.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <ostream>
#include <thread>

namespace vantrel::net {

namespace {

using test::address;

TEST(WinsockErrorText, NamesEveryCodeOfTheTableAndOnlyThose) {
    EXPECT_EQ(WinsockErrorText(0), QStringLiteral("WinSock error 0: Not a WinSock error"));
    EXPECT_EQ(WinsockErrorText(10035), QStringLiteral("WinSock error 10035: Operation would block"));
    EXPECT_EQ(WinsockErrorText(11001), QStringLiteral("WinSock error 11001: Host not found"));
    EXPECT_EQ(WinsockErrorText(11004),
              QStringLiteral("WinSock error 11004: Valid name, no data record of requested type"));
    EXPECT_EQ(WinsockErrorText(10049), QStringLiteral("WinSock error 10049: Can't assign requested address"));
    EXPECT_EQ(WinsockErrorText(-5), QStringLiteral("WinSock error -5: Not a WinSock error"));
    EXPECT_EQ(CWinsock::ErrorText(10093), QStringLiteral("WinSock error 10093: WinSock not initialized"));

    // The table: 10004, 10009, 10013, 10014, 10022, 10024, 10035-10071, 10091-10093, 10101, 11001-11004.
    int known = 0;
    for (int code = 10000; code < 11100; ++code)
        if (!WinsockErrorText(code).endsWith(QLatin1String("Not a WinSock error")))
            ++known;
    EXPECT_EQ(known, 6 + 37 + 3 + 1 + 4);
}

TEST(WinsockErrorText, ResolverErrorsMapOntoTheLookupCodes) {
    EXPECT_EQ(wsaCodeOfResolverError(1), WSAHOST_NOT_FOUND); // HOST_NOT_FOUND
    EXPECT_EQ(wsaCodeOfResolverError(2), WSATRY_AGAIN);
    EXPECT_EQ(wsaCodeOfResolverError(3), WSANO_RECOVERY);
    EXPECT_EQ(wsaCodeOfResolverError(4), WSANO_DATA);
    EXPECT_EQ(wsaCodeOfResolverError(-1), WSANO_RECOVERY); // NETDB_INTERNAL
}

TEST(WinsockLastError, IsKeptPerThread) {
    WSASetLastError(11001);
    int seenElsewhere = -1;
    std::thread([&] {
        seenElsewhere = WSAGetLastError();
        WSASetLastError(10022);
    }).join();
    EXPECT_EQ(seenElsewhere, 0);
    EXPECT_EQ(WSAGetLastError(), 11001);
}

TEST(WinsockStartup, ReportsVersionOneOneAndTheLinuxSocketLayer) {
    CWinsock winsock;
    ASSERT_TRUE(winsock.Start());
    EXPECT_EQ(winsock.state(), 0);
    EXPECT_TRUE(winsock.hasExpectedVersion());
    const WSADATA& data = winsock.data();
    EXPECT_EQ(data.wVersion, 0x0101);
    EXPECT_TRUE(data.szDescription.contains(QLatin1String("Linux")));
    EXPECT_TRUE(data.szDescription.contains(QLatin1String("GNU C Library")));
    EXPECT_EQ(data.szSystemStatus, QStringLiteral("Running"));
    EXPECT_GT(data.iMaxSockets, 0u);
    EXPECT_EQ(data.iMaxUdpDg, 65507);
    EXPECT_TRUE(winsock.Stop());
}

TEST(WinsockStartup, RefusesVersionsBelowOneOneAndCountsStops) {
    CWinsock old(0x0001);
    EXPECT_FALSE(old.Start());
    EXPECT_EQ(old.state(), 2);
    EXPECT_EQ(old.startResult(), WSAVERNOTSUPPORTED);

    CWinsock newer(0x0202); // a later version is answered with 1.1
    ASSERT_TRUE(newer.Start());
    EXPECT_EQ(newer.data().wVersion, 0x0101);
    EXPECT_TRUE(newer.Stop());
    // A second stop has no start left to end.
    EXPECT_FALSE(newer.Stop());
    EXPECT_EQ(newer.state(), 2);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

// Every form inet_addr takes stays IPv4 exactly as it takes it; IPv6 comes after, never a name.
TEST(IpAddressText, ParsesIpv4FirstThenIpv6AndWritesItBack) {
    struct Case {
        std::string_view typed;
        std::optional<std::string> written; // none: no address
        IpFamily family = IpFamily::V4;
    };
    const Case cases[] = {
        {"10.0.0.1", "10.0.0.1"},
        {"10.1", "10.0.0.1"},
        {"0x7f.1", "127.0.0.1"},
        {"012.0.0.1", "10.0.0.1"},
        {"255.255.255.255", std::nullopt},
        {"example.com", std::nullopt},
        {"", std::nullopt},
        {"[]", std::nullopt},
        {"::1", "::1", IpFamily::V6},
        {"[::1]", "::1", IpFamily::V6},
        {"FD09:2:0:0::2", "fd09:2::2", IpFamily::V6},
        {"fd09:2::2%1", "fd09:2::2", IpFamily::V6}, // a zone only where the scope needs one
        {"fd09:2::2%lo", std::nullopt},
        {"fe80::1", "fe80::1", IpFamily::V6},
        {"fe80::1%1", "fe80::1%lo", IpFamily::V6},
        {"[fe80::1%lo]", "fe80::1%lo", IpFamily::V6},
        {"fe80::1%no-such-interface", std::nullopt},
        {"::ffff:127.0.0.1", "127.0.0.1"},
        {"[::ffff:10.1.2.3]", "10.1.2.3"},
        {"1::2::3", std::nullopt},
        {"[::1", std::nullopt},
        {"::1]", std::nullopt},
        {"::1:", std::nullopt},
        {std::string_view("::1\0junk", 8), "::1", IpFamily::V6},
    };
    for (const Case& c : cases) {
        const std::optional<IpAddress> parsed = IpAddress::parse(c.typed);
        ASSERT_EQ(parsed.has_value(), c.written.has_value()) << c.typed;
        if (!parsed)
            continue;
        EXPECT_EQ(parsed->text(), *c.written) << c.typed;
        EXPECT_EQ(parsed->toQString(), QString::fromStdString(*c.written)) << c.typed;
        EXPECT_EQ(parsed->family(), c.family) << c.typed;
        if (parsed->isV4()) {
            EXPECT_EQ(parsed->v4(), inet_addr(*c.written)) << "the value inet_addr gives: " << c.typed;
        }
        // Through a socket address and back, scope included.
        sockaddr_storage storage{};
        const socklen_t length = parsed->toSockaddr(storage);
        EXPECT_EQ(IpAddress::fromSockaddr(reinterpret_cast<const sockaddr*>(&storage), length), parsed)
            << c.typed;
        EXPECT_EQ(IpAddress::fromSockaddr(reinterpret_cast<const sockaddr*>(&storage), length - 1),
                  std::nullopt)
            << c.typed;
    }
    EXPECT_NE(IpAddress::parse("fe80::1%1"), IpAddress::parse("fe80::1")) << "the scope tells them apart";
    EXPECT_EQ(IpAddress().text(), "0.0.0.0");
}

TEST(AddressText, ConvertsLikeTheSocketLibrary) {
    EXPECT_EQ(inet_ntoa(inet_addr("10.0.0.1")), "10.0.0.1");
    EXPECT_EQ(inet_addr("127.0.0.1"), htonl(0x7f000001));
    EXPECT_EQ(inet_addr("10.1"), htonl(0x0a000001)) << "the short forms";
    EXPECT_EQ(inet_addr("0x7f.1"), htonl(0x7f000001));
    EXPECT_EQ(inet_addr("255.255.255.255"), kInaddrNone) << "the value that means no address";
    EXPECT_EQ(inet_addr("example.com"), kInaddrNone);
    EXPECT_EQ(inet_addr(""), kInaddrNone);
    EXPECT_EQ(inet_addr("256.1.1.1"), kInaddrNone);
    EXPECT_EQ(inet_addr(std::string_view("10.0.0.1\0junk", 13)), inet_addr("10.0.0.1"));
    EXPECT_EQ(inet_ntoa(0), "0.0.0.0");
    EXPECT_EQ(inet_ntoa(kInaddrNone), "255.255.255.255");

    const std::optional<std::string> name = gethostname();
    ASSERT_TRUE(name);
    EXPECT_FALSE(name->empty());
}

} // namespace
} // namespace vantrel::net
