#include "rtf/TextRenderer.h"

#include "support/QtPrinters.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace vantrel::output {
namespace {

const TextRenderer renderer;

QString rendered(const RtfText& fragment) {
    return renderer.renderFragment(fragment.rtf());
}

TEST(TextRendererTest, RowsOfOneTableLineUpAcrossFragments) {
    const QString header = rendered(fill(res::kTraceDnsHeaderRow));
    const QString hop = rendered(
        fill(res::kTraceNameRow, 1u, RtfText::escape(u"192.168.1.1"), 3u, RtfText::escape(u"router.lan")));
    const QString missing = rendered(
        fill(res::kTraceNoNameRow, 12u, RtfText::escape(u"10.0.0.7"), 120u, fill(res::kNoDnsNameFound)));
    EXPECT_EQ(header, QStringLiteral("Hops      IP Address          RTT(ms)   DNS Name\n"));
    EXPECT_EQ(hop, QStringLiteral("1         192.168.1.1         3         router.lan\n"));
    EXPECT_EQ(missing, QStringLiteral("12        10.0.0.7            120       No DNS Name Found\n"));
}

TEST(TextRendererTest, AnOverlongCellPushesOnlyItsOwnRow) {
    const QString row =
        rendered(fill(res::kScanAnsweredNameRow, RtfText::escape(u"a-very-long-host-name.example"), 5u,
                      RtfText::escape(u"n")));
    EXPECT_EQ(row, QStringLiteral("a-very-long-host-name.example 5 n\n"));
}

TEST(TextRendererTest, LinesLinksAndEmptyLines) {
    EXPECT_EQ(rendered(fill(res::kNoLookupInProgressLine)),
              QStringLiteral("\nNo host lookup in progress.\n"));
    const RtfText link = fill(res::kLookupLink, RtfText::escape(u"a.example"), RtfText::escape(u"a.example"));
    EXPECT_EQ(rendered(fill(res::kLookupNameRow, fill(res::kAliasLabel), link)),
              QStringLiteral("Alias:         a.example\n"));
    EXPECT_EQ(renderer.renderFragment(u"{one\\line two} \\par }"), QStringLiteral("one\ntwo\n"));
    EXPECT_EQ(renderer.renderFragment(u"}"), QString());
}

TEST(TextRendererTest, ReturnedDataWithLineBreaksStaysOnItsRow) {
    const QString row = rendered(fill(res::kPingReturnedDataRow, RtfText::escape(u"two\nlines")));
    EXPECT_EQ(row, QStringLiteral("Returned Data:  two lines\n"));
}

} // namespace
} // namespace vantrel::output
