#include "net/AddressText.h"
#include "net/CWinsock.h"
#include "net/WinsockErrors.h"
#include "net/WinsockReports.h"
#include "support/FakeIcmpNetwork.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <ostream>
#include <thread>

namespace vantrel::net {

void PrintTo(const ReportLine& line, std::ostream* os) {
    *os << "{" << line.text.toStdString() << " | " << line.argument.toStdString() << " | " << int(line.kind)
        << "}";
}

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

TEST(WinsockReports, StartupLines) {
    WSADATA data;
    data.szDescription = QStringLiteral("Linux 6.1 socket layer, GNU C Library 2.36");
    EXPECT_EQ(winsockStartedStatus(data),
              QStringLiteral("Linux 6.1 socket layer, GNU C Library 2.36  started OK.\\par }"));
    EXPECT_EQ(winsockStartedLine(data),
              (ReportLine{winsockStartedStatus(data), QString(), ReportKind::Blue}));
    EXPECT_EQ(winsockStartupFailedLine(10092),
              (ReportLine{QStringLiteral("{Winsock startup failed ( %s)}\\par }"),
                          QStringLiteral("WinSock error 10092: WinSock DLL cannot support this application"),
                          ReportKind::RedBold}));
    EXPECT_EQ(localHostNameFailedLine(10022).kind, ReportKind::Red);
    EXPECT_EQ(localHostNameFailedStatus(10022),
              QStringLiteral("Local Host lookup failed ( WinSock error 10022: Invalid argument).\\par }"));
    EXPECT_EQ(localHostLookupFailedLine(11001).text,
              QStringLiteral("{Local Host lookup failed (%s)} \\par }"));
    EXPECT_EQ(winsockCleanupFailureText(10093),
              QStringLiteral("WSACleanup Failure: ( WinSock error 10093: WinSock not initialized)"));

    // Outside text in a filled fragment cannot break it.
    data.szDescription = QStringLiteral("odd {layer} \\ caf\u00e9");
    EXPECT_EQ(winsockStartedStatus(data),
              QStringLiteral("odd \\{layer\\} \\\\ caf\\u233?  started OK.\\par }"));
}

TEST(WinsockReports, LocalHostTitleAndOneLinePerFurtherAddress) {
    HostEntry single{"box", {}, {address("192.168.1.5")}};
    EXPECT_EQ(localHostTitle(single),
              QStringLiteral("Vantrel 2.0    Local Host Name:  box   Local IP Address:  192.168.1.5"));
    EXPECT_TRUE(additionalLocalAddressLines(single).empty());

    HostEntry three{"box", {}, {address("192.168.1.5"), address("10.0.0.2"), address("10.0.0.3")}};
    const std::vector<ReportLine> lines = additionalLocalAddressLines(three);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], (ReportLine{QStringLiteral("{Additional Local IP address: %s}\\par }"),
                                    QStringLiteral("10.0.0.2"), ReportKind::Plain}));
    EXPECT_EQ(lines[1].argument, QStringLiteral("10.0.0.3"));

    EXPECT_EQ(localHostTitle(HostEntry{"lonely", {}, {}}),
              QStringLiteral("Vantrel 2.0    Local Host Name:  lonely   Local IP Address:  "));
}

TEST(WinsockReports, AboutYourWinsock) {
    WSADATA data;
    data.wVersion = 0x0101;
    data.szDescription = QStringLiteral("Linux socket layer");
    data.szSystemStatus = QStringLiteral("Running");
    data.iMaxSockets = 1048576;
    data.iMaxUdpDg = 65507;
    const std::vector<ReportLine> lines = aboutWinsockReport(data);
    const std::vector<ReportLine> expected{
        {QStringLiteral("\\par {Winsock Information} \\par }"), {}, ReportKind::Bold},
        {QStringLiteral("{Version: 1.1} \\par }"), {}, ReportKind::Plain},
        {QStringLiteral("{Description: Linux socket layer} \\par }"), {}, ReportKind::Plain},
        {QStringLiteral("{System Status: Running} \\par }"), {}, ReportKind::Plain},
        {QStringLiteral("{Maximum sockets per process: 1048576} \\par }"), {}, ReportKind::Plain},
        {QStringLiteral("{Maximum datagram packet size: 65507} \\par }"), {}, ReportKind::Plain},
    };
    EXPECT_EQ(lines, expected);

    data.wVersion = 0x0201; // minor in the high byte
    EXPECT_EQ(aboutWinsockReport(data)[1].text, QStringLiteral("{Version: 1.2} \\par }"));
}

} // namespace
} // namespace vantrel::net
