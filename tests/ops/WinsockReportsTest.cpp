#include "ops/WinsockReports.h"

#include "rtf/RtfReader.h"
#include "rtf/TextRenderer.h"
#include "support/FakeHostDatabase.h"
#include "support/FakeIcmpNetwork.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace vantrel::ops {
namespace {

using output::ResultKind;
using test::ipAddress;

// What a terminal shows of a row.
QString shown(const output::ResultRow& row) {
    return output::TextRenderer().render(row.document()).trimmed();
}

TEST(WinsockReportsTest, StartupLinesCarryTheDescriptionAndTheErrorText) {
    net::WSADATA data;
    data.szDescription = QStringLiteral("Linux 6.1 socket layer, GNU C Library 2.36");
    EXPECT_EQ(winsockStartedStatus(data),
              QStringLiteral("Linux 6.1 socket layer, GNU C Library 2.36  started OK."));
    EXPECT_EQ(winsockStartedLine(data).rtf(),
              QStringLiteral("Linux 6.1 socket layer, GNU C Library 2.36  started OK.\\par }"));
    EXPECT_EQ(winsockStartedLine(data).kind, ResultKind::Blue);

    const output::ResultRow failed = winsockStartupFailedLine(10092);
    EXPECT_EQ(failed.kind, ResultKind::RedBold);
    EXPECT_EQ(
        shown(failed),
        QStringLiteral(
            "Winsock startup failed ( WinSock error 10092: WinSock DLL cannot support this application)"));
    EXPECT_EQ(localHostNameFailedLine(10022).kind, ResultKind::Red);
    EXPECT_EQ(localHostNameFailedStatus(10022),
              QStringLiteral("Local Host lookup failed ( WinSock error 10022: Invalid argument)."));
    EXPECT_EQ(winsockCleanupFailureText(10093),
              QStringLiteral("WSACleanup Failure: ( WinSock error 10093: WinSock not initialized)"));

    // A description with RTF's own characters cannot break the fragment.
    data.szDescription = QStringLiteral("odd {layer} \\ caf\u00e9");
    const output::RtfDocument parsed = output::RtfReader::readFragment(winsockStartedLine(data).rtf());
    ASSERT_EQ(parsed.blocks.size(), 1u);
    EXPECT_EQ(output::runsText(std::get<output::Paragraph>(parsed.blocks[0]).runs),
              QStringLiteral("odd {layer} \\ caf\u00e9  started OK."));
}

TEST(WinsockReportsTest, LocalHostTitleAndOneLinePerFurtherAddress) {
    const net::HostEntry single{"box", {}, {ipAddress("192.168.1.5")}};
    EXPECT_EQ(localHostTitle(single),
              QStringLiteral("Vantrel 2.0    Local Host Name:  box   Local IP Address:  192.168.1.5"));
    EXPECT_TRUE(additionalLocalAddressLines(single).empty());

    const net::HostEntry three{
        "box", {}, {ipAddress("192.168.1.5"), ipAddress("10.0.0.2"), ipAddress("10.0.0.3")}};
    const std::vector<output::ResultRow> lines = additionalLocalAddressLines(three);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(shown(lines[0]), QStringLiteral("Additional Local IP address: 10.0.0.2"));
    EXPECT_EQ(shown(lines[1]), QStringLiteral("Additional Local IP address: 10.0.0.3"));

    EXPECT_EQ(localHostTitle(net::HostEntry{"lonely", {}, {}}),
              QStringLiteral("Vantrel 2.0    Local Host Name:  lonely   Local IP Address:  "));
}

TEST(WinsockReportsTest, AboutYourWinsock) {
    net::WSADATA data = test::winsockData(0x0101, QStringLiteral("Linux socket layer"));
    const std::vector<output::ResultRow> lines = aboutWinsockReport(data);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].rtf(), QStringLiteral("\\par {Winsock Information} \\par }"));
    EXPECT_EQ(lines[0].kind, ResultKind::Bold);
    QStringList texts;
    for (const output::ResultRow& line : lines)
        texts.append(shown(line));
    EXPECT_EQ(texts, (QStringList{"Winsock Information", "Version: 1.1", "Description: Linux socket layer",
                                  "System Status: Running", "Maximum sockets per process: 1048576",
                                  "Maximum datagram packet size: 65507"}));

    data.wVersion = 0x0201; // the minor number is the high byte
    EXPECT_EQ(aboutWinsockReport(data)[1].rtf(), QStringLiteral("{Version: 1.2} \\par }"));
}

} // namespace
} // namespace vantrel::ops
