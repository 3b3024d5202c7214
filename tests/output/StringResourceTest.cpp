#include "text/StringResource.h"

#include "TemplateSamples.h"
#include "rows/ResultRow.h"
#include "rtf/RtfFragment.h"
#include "rtf/RtfReader.h"
#include "support/QtPrinters.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace vantrel::output {
namespace {

// The printf conversions of a text, one letter each, "%%" skipped.
std::string conversionsIn(std::string_view text) {
    std::string letters;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        std::size_t end = i + 1;
        while (end < text.size() &&
               std::string_view("0123456789.-").find(text[end]) != std::string_view::npos)
            ++end;
        if (end < text.size() && text[end] != '%')
            letters += text[end];
        i = end;
    }
    return letters;
}

TEST(StringCatalogueTest, EveryTextIsKeptOnceAndFoundByIdAndName) {
    std::set<int> ids;
    std::set<std::string_view> names;
    for (const StringResourceInfo& info : allStringResources()) {
        SCOPED_TRACE(std::string(info.name));
        EXPECT_TRUE(names.insert(info.name).second) << "duplicate name";
        EXPECT_EQ(findStringResource(info.name), &info);
        if (info.id != 0) {
            EXPECT_TRUE(ids.insert(info.id).second) << "duplicate ID " << info.id;
            EXPECT_EQ(findStringResource(info.id), &info);
        }
        // A template's argument types must match its conversions, in number and in kind.
        EXPECT_EQ(conversionsIn(info.text), std::string(info.conversions));
    }
    for (int id : {2000, 4000, 5500})
        EXPECT_NE(findStringResource(id), nullptr) << id;
    for (int id = 5001; id <= 5025; ++id)
        EXPECT_NE(findStringResource(id), nullptr) << id;
    EXPECT_EQ(findStringResource(0), nullptr);
    EXPECT_EQ(findStringResource(4999), nullptr);
    EXPECT_EQ(findStringResource("NoSuchText"), nullptr);
}

TEST(StringCatalogueTest, EveryFragmentIsOneLineAndClosesTheDocument) {
    // These two leave the document open as they are written; the log and the pipeline close it.
    const std::set<std::string_view> leftOpen = {res::kIspLookupRequestFailedLine.name,
                                                 res::kIspShuttingDownLine.name};
    for (const StringResourceInfo& info : allStringResources()) {
        if (!info.isRtf || info.text.empty() || info.text.back() != '}' ||
            info.name == res::kLookupLink.name || info.name == res::kLogHeader.name)
            continue;
        SCOPED_TRACE(std::string(info.name));
        const QString text = QString::fromUtf8(info.text.data(), qsizetype(info.text.size()));
        EXPECT_FALSE(text.contains(QLatin1Char('\n')));
        if (leftOpen.count(info.name))
            EXPECT_EQ(balancedFragment(text), text + QLatin1Char('}'));
        else
            EXPECT_EQ(balancedFragment(text), text);
    }
}

// A row carries its line and values apart; written out it must be the line filled and balanced as the
// log always had it, and shown it must be what reading that RTF gives, whatever the values hold.
TEST(StringCatalogueTest, EveryLineWrittenFromItsValuesIsTheFilledTextAndReadsTheSame) {
    const QString samples[] = {QStringLiteral("host"), QString(), QStringLiteral(" 7 h\\{\u00f6}\u20ac\tx\\"),
                               QStringLiteral("\U0001d11e%s%d \\par{")};
    for (const StringResourceInfo& info : allStringResources()) {
        if (!info.isRtf)
            continue;
        SCOPED_TRACE(std::string(info.name));
        for (const QString& sample : samples) {
            std::vector<RowValue> values;
            for (const char conversion : info.conversions)
                values.push_back(conversion == 'u'   ? RowValue(17u)
                                 : conversion == 'd' ? RowValue(42)
                                 : conversion == 'f' ? RowValue(12.5)
                                                     : RowValue(sample));
            // A text without arguments is used as it stands, percent signs included.
            const QString filled = balancedFragment(
                info.conversions.empty() ? QString::fromUtf8(info.text.data(), qsizetype(info.text.size()))
                                         : test::fillWithSamples(info, sample));
            const RowLine& line = RowLine::of(info.text);
            EXPECT_EQ(line.rtf(values), filled);
            EXPECT_EQ(line.document(values), RtfReader::readFragment(filled)) << filled.toStdString();
        }
    }
}

TEST(StringFillTest, RowsAndLinesAreFilledInOrder) {
    EXPECT_EQ(fill(res::kPingLossLine, 3u, 4u, 25.0, fill(res::kPercentSign)).rtf(),
              QStringLiteral("{3 of 4 packets returned successfully : 25.0% PACKET LOSS} \\par }"));
    EXPECT_EQ(
        fill(res::kPingRoundTripLine, 15, 10, 37 / 3).rtf(),
        QStringLiteral("{Round Trip Time (in milliseconds) Maximum/ Minimum/Average: 15/10/12}\\par }"));
    const QString reply = fill(res::kPingReplyRow, 2u, RtfText::escape(u"10.0.0.1"), 7u, 64u, 32u).rtf();
    EXPECT_TRUE(reply.endsWith(QStringLiteral(
        "\\pard\\intbl  2 \\cell \\pard\\intbl 10.0.0.1  \\cell \\pard\\intbl  7 \\cell \\pard\\intbl  64 "
        "\\cell \\pard\\intbl  32 \\cell \\row \\pard }")));
    EXPECT_EQ(fill(res::kWinsockVersionLine, 1, 1).rtf(), QStringLiteral("{Version: 1.1} \\par }"));
    EXPECT_EQ(fill(res::kIspStoppedLine, 75, fill(res::kPercentSign), RtfText::escape(u"isp.example")).rtf(),
              QStringLiteral(" \\par {ISPinger stopped - 75% ping success rate to isp.example.} \\par }"));
}

TEST(StringFillTest, OutsideTextsAreNeverReadAsFormats) {
    // A host full of conversions and RTF: shown as typed, and it cannot end the row or the document.
    const RtfText host = RtfText::escape(u"50%s%d%n{evil}\\par");
    const QString line = fill(res::kCouldNotBeContactedLine, host).rtf();
    EXPECT_EQ(line, QStringLiteral("{50%s%d%n\\{evil\\}\\\\par could not be contacted.} \\par }"));
    EXPECT_EQ(balancedFragment(line), line);

    EXPECT_EQ(fill(res::kPingingResolved, QStringLiteral("100%s"), QStringLiteral("10.0.0.%d")),
              QStringLiteral("Pinging  100%s  [10.0.0.%d]...."));
    EXPECT_EQ(fill(res::kIspSuccessRate, 87u), QStringLiteral("ISPinger: Active - 87% ping success."));
    EXPECT_EQ(
        fill(res::kReservedExtension, QStringLiteral(".exe")),
        QStringLiteral("The Log file name cannot end with '.exe'.\nPlease choose another extension for the "
                       "file name."));
}

// An outside text reaches an RTF template only escaped: a plain string does not compile as its argument,
// nor does a value of the wrong kind.
template <typename T>
concept FillsHostLine = requires(T value) {
    fill(res::kCouldNotBeContactedLine, value);
};
static_assert(FillsHostLine<RtfText>);
static_assert(!FillsHostLine<QString>);
static_assert(!FillsHostLine<const char*>);
static_assert(!FillsHostLine<unsigned>);

TEST(StringFillTest, PlainTextsKeepTheirBlanksAndTabs) {
    EXPECT_EQ(text(res::kPingButton), QStringLiteral("         Ping         "));
    EXPECT_EQ(text(res::kStartLoggingButton).size(), 6 + 13 + 7);
    EXPECT_EQ(text(res::kListScanNoEchoHandle).count(QLatin1Char('\t')), 7);
    EXPECT_EQ(text(res::kWarningCaption), QStringLiteral(" Warning"));
    EXPECT_EQ(fill(res::kLocalHostTitle, text(res::kProductTitlePrefix), QStringLiteral("box"),
                   QStringLiteral("10.0.0.5")),
              QStringLiteral("Vantrel 2.0    Local Host Name:  box   Local IP Address:  10.0.0.5"));
}

TEST(StringFillTest, AFormatThatDoesNotMatchItsValuesComesBackUnfilled) {
    // Only a broken catalogue entry could do this; it must not throw or read past the values.
    EXPECT_EQ(detail::sprintf("{%d and %s} \\par }", std::string("x")),
              QStringLiteral("{%d and %s} \\par }"));
    EXPECT_EQ(detail::sprintf("%s %s", std::string("one")), QStringLiteral("%s %s"));
}

} // namespace
} // namespace vantrel::output
