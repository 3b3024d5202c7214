#include "net/AddressText.h"
#include "net/CWinsock.h"
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
