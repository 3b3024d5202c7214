#include "rtf/RtfText.h"

#include "rows/TimeStamp.h"
#include "rtf/RtfFragment.h"
#include "rtf/RtfReader.h"
#include "rtf/Windows1252.h"
#include "support/QtPrinters.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace vantrel::output {
namespace {

QString escaped(const QString& text) {
    return RtfText::escape(text).rtf();
}

// The plain text a fragment shows.
QString shownText(const QString& fragment) {
    QString text;
    for (const RtfBlock& block : RtfReader::readFragment(fragment).blocks) {
        if (const auto* p = std::get_if<Paragraph>(&block))
            text += runsText(p->runs);
        else
            for (const TableCell& cell : std::get<TableRow>(block).cells)
                text += runsText(cell.runs);
    }
    return text;
}

TEST(RtfEscapeTest, BackslashesAndBracesCannotEndAGroup) {
    EXPECT_EQ(escaped(QStringLiteral("a\\b{c}d")), QStringLiteral("a\\\\b\\{c\\}d"));
    EXPECT_EQ(escaped(QStringLiteral("\\par }}} {\\rtf1")), QStringLiteral("\\\\par \\}\\}\\} \\{\\\\rtf1"));
    EXPECT_EQ(escaped(QStringLiteral("100% {ok}")), QStringLiteral("100% \\{ok\\}"));
}

TEST(RtfEscapeTest, CharactersBeyondAsciiUseTheCodePageOrUnicode) {
    EXPECT_EQ(escaped(QStringLiteral(u"caf\u00e9")), QStringLiteral("caf\\'e9"));
    EXPECT_EQ(escaped(QStringLiteral(u"\u20ac \u2014 \u0178")), QStringLiteral("\\'80 \\'97 \\'9f"));
    EXPECT_EQ(escaped(QStringLiteral(u"\u0416")), QStringLiteral("\\u1046?"));
    // Above 32767 the number is negative, as RTF's signed 16 bits want it.
    EXPECT_EQ(escaped(QStringLiteral(u"\uff21")), QStringLiteral("\\u-223?"));
    // A character beyond the first plane is written as its two surrogates.
    EXPECT_EQ(escaped(QString::fromUcs4(U"\U0001F600")), QStringLiteral("\\u-10179?\\u-8704?"));
    EXPECT_EQ(escaped(QString(QChar(0xD800))), QStringLiteral("?"));
}

TEST(RtfEscapeTest, ControlCharactersBecomeBlanks) {
    EXPECT_EQ(escaped(QStringLiteral("a\nb\rc\td")), QStringLiteral("a b c d"));
    EXPECT_EQ(escaped(QString::fromUtf16(u"x\u0000y\u0085z\u007f", 6)), QStringLiteral("x y z "));
}

TEST(RtfEscapeTest, EscapedTextReadsBackAsItWas) {
    const QString samples[] = {
        QStringLiteral(u"plain host.example.org"),
        QStringLiteral(u"{}\\ %s %% \\'e9 \\u1046?"),
        QStringLiteral(u"Gr\u00fc\u00dfe \u20ac \u201cquoted\u201d \u2026"),
        QStringLiteral(u"\u041f\u0440\u0438\u0432\u0435\u0442 \u4e16\u754c \uffef"),
        QString::fromUcs4(U"emoji \U0001F600 end"),
    };
    for (const QString& sample : samples) {
        SCOPED_TRACE(sample.toStdString());
        EXPECT_EQ(shownText(QStringLiteral("{") + escaped(sample) + QStringLiteral("}}")), sample);
        // The bytes the log stores read back the same way.
        const QByteArray bytes = QByteArrayLiteral("{\\rtf1 {") + toRtfBytes(escaped(sample)) + "}}";
        for (char byte : bytes)
            ASSERT_GE(static_cast<unsigned char>(byte), 0x20) << "the log is 7-bit text";
        const RtfDocument doc = RtfReader::readDocument(QByteArrayView(bytes));
        ASSERT_EQ(doc.blocks.size(), 1u);
        EXPECT_EQ(runsText(std::get<Paragraph>(doc.blocks[0]).runs), sample);
    }
}

TEST(RtfEscapeTest, TheCodePageMapsBothWays) {
    for (int byte = 0xA0; byte <= 0xFF; ++byte)
        EXPECT_EQ(toWindows1252(char16_t(byte)), std::optional<std::uint8_t>(byte));
    for (int byte = 0x80; byte <= 0x9F; ++byte) {
        const char16_t unit = fromWindows1252(std::uint8_t(byte));
        if (unit >= 0x100)
            EXPECT_EQ(toWindows1252(unit), std::optional<std::uint8_t>(byte)) << byte;
        else
            EXPECT_FALSE(toWindows1252(unit).has_value()) << "undefined byte " << byte;
    }
    EXPECT_FALSE(toWindows1252(u'A').has_value());
    EXPECT_FALSE(toWindows1252(0x0416).has_value());
}

TEST(TimeStampTest, EnglishMonthsTwoDigitDaysAndTwoBlanksWhateverTheLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(formatTimeStamp(QDateTime(QDate(2008, 3, 5), QTime(14, 7, 9))),
              QStringLiteral("Mar 05, 2008  14:07:09"));
    EXPECT_EQ(formatTimeStamp(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 0))),
              QStringLiteral("Dec 08, 2026  00:00:00"));
    EXPECT_EQ(formatTimeStamp(QDateTime(QDate(2027, 5, 31), QTime(23, 59, 59))),
              QStringLiteral("May 31, 2027  23:59:59"));
    QLocale::setDefault(saved);
    EXPECT_EQ(formatTimeStamp(QDateTime()), QString());
}

struct BalanceCase {
    const char* given;
    const char* balanced;
};

class BalancedFragmentTest : public ::testing::TestWithParam<BalanceCase> {};

TEST_P(BalancedFragmentTest, TheResultEndsInTheOneBraceThatClosesTheDocument) {
    const QString once = balancedFragment(QString::fromUtf8(GetParam().given));
    EXPECT_EQ(once, QString::fromUtf8(GetParam().balanced));
    EXPECT_EQ(balancedFragment(once), once) << "balancing twice changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Fragments, BalancedFragmentTest,
    ::testing::Values(BalanceCase{"{Ping canceled} \\par }", "{Ping canceled} \\par }"},
                      BalanceCase{" \\par {Shutting down ISPinger... \\par }",
                                  " \\par {Shutting down ISPinger... \\par }}"},
                      BalanceCase{"WinSock error 11001: Host not found",
                                  "WinSock error 11001: Host not found}"},
                      BalanceCase{"", "}"}, BalanceCase{"}", "}"}, BalanceCase{"a} b} c}", "a b c}"},
                      BalanceCase{"{{{x", "{{{x}}}}"}, BalanceCase{"text\\", "text}"},
                      BalanceCase{"text\\'4", "text4}"}, BalanceCase{"\\'e9\\'zz}", "\\'e9zz}"},
                      BalanceCase{"\\{ \\} \\\\}", "\\{ \\} \\\\}"},
                      BalanceCase{"a\r\nb\\\nc\td}", "ab\\par c\\tab d}"},
                      BalanceCase{"{x\\bin5 }}}}} \\par }", "{x} \\par }"},
                      BalanceCase{"\\u-10179?\\u-8704?}", "\\u-10179?\\u-8704?}"},
                      // What is dropped after a control word leaves it ended: the next
                      // letters or digits do not join it.
                      BalanceCase{"\\b\x01in10 x}", "\\b in10 x}"}, BalanceCase{"\\b0\\'zz}", "\\b0 zz}"},
                      BalanceCase{"\\b\\bin5 x}", "\\b x}"}, BalanceCase{"\\b}x}", "\\b x}"},
                      BalanceCase{"\\b-\x01"
                                  "5}",
                                  "\\b- 5}"},
                      BalanceCase{"\\\\b\x01x}", "\\\\bx}"}));

TEST(RtfBytesTest, OnlySevenBitBytesReachTheLog) {
    EXPECT_EQ(toRtfBytes(u"{caf\u00e9 \u0416}"), QByteArray("{caf\\'e9 \\u1046?}"));
    EXPECT_EQ(toRtfBytes(QString::fromUcs4(U"\U0001F600")), QByteArray("\\u-10179?\\u-8704?"));
    EXPECT_EQ(toRtfBytes(QString(QChar(0xDC00))), QByteArray("?"));
}

} // namespace
} // namespace vantrel::output
