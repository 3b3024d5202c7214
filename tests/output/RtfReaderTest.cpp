#include "rtf/RtfReader.h"

#include "TemplateSamples.h"
#include "support/QtPrinters.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"

#include <gtest/gtest.h>
#include <random>

namespace vantrel::output {
namespace {

// The document's one table row (a copy: the documents here are temporaries).
TableRow onlyRow(const RtfDocument& doc) {
    EXPECT_EQ(doc.blocks.size(), 1u);
    if (doc.blocks.empty() || !std::holds_alternative<TableRow>(doc.blocks.front()))
        return TableRow{};
    return std::get<TableRow>(doc.blocks.front());
}

std::vector<int> rightEdges(const TableRow& row) {
    std::vector<int> edges;
    for (const TableCell& cell : row.cells)
        edges.push_back(cell.rightEdge);
    return edges;
}

std::vector<QString> cellTexts(const TableRow& row) {
    std::vector<QString> texts;
    for (const TableCell& cell : row.cells)
        texts.push_back(runsText(cell.runs).trimmed());
    return texts;
}

QString documentText(const RtfDocument& doc) {
    QString text;
    for (const RtfBlock& block : doc.blocks) {
        if (const auto* p = std::get_if<Paragraph>(&block))
            text += runsText(p->runs) + QLatin1Char('|');
        else
            for (const TableCell& cell : std::get<TableRow>(block).cells)
                text += runsText(cell.runs) + QLatin1Char('|');
    }
    return text;
}

constexpr Rgb kGrey{160, 160, 160};

TEST(RtfReaderTemplateTest, TheHeaderRowHasItsCellsBackgroundsAndBorders) {
    const TableRow row = onlyRow(RtfReader::readFragment(text(res::kPingHeaderRow)));
    EXPECT_EQ(rightEdges(row), (std::vector<int>{1000, 3000, 4000, 5000, 7000}));
    EXPECT_EQ(cellTexts(row), (std::vector<QString>{QStringLiteral("Ping #"), QStringLiteral("IP Address"),
                                                    QStringLiteral("RTT(ms)"), QStringLiteral("TTL"),
                                                    QStringLiteral("Bytes Received")}));
    for (const TableCell& cell : row.cells) {
        EXPECT_EQ(cell.background, kGrey);
        EXPECT_EQ(cell.borders, (CellBorders{15, 15, 15, 15}));
        ASSERT_FALSE(cell.runs.empty());
        EXPECT_TRUE(std::any_of(cell.runs.begin(), cell.runs.end(), [](const TextRun& r) { return r.bold; }));
    }
}

TEST(RtfReaderTemplateTest, AReplyRowHasOpenInnerBordersAndNoBackground) {
    const QString rtf = fill(res::kPingReplyRow, 3u, RtfText::escape(u"192.168.1.10"), 12u, 57u, 32u).rtf();
    const TableRow row = onlyRow(RtfReader::readFragment(rtf));
    EXPECT_EQ(cellTexts(row),
              (std::vector<QString>{QStringLiteral("3"), QStringLiteral("192.168.1.10"), QStringLiteral("12"),
                                    QStringLiteral("57"), QStringLiteral("32")}));
    ASSERT_EQ(row.cells.size(), 5u);
    EXPECT_EQ(row.cells[0].borders, (CellBorders{10, 10, 0, 10}));
    EXPECT_EQ(row.cells[2].borders, (CellBorders{0, 10, 0, 10}));
    EXPECT_EQ(row.cells[4].borders, (CellBorders{0, 10, 10, 10}));
    for (const TableCell& cell : row.cells)
        EXPECT_FALSE(cell.background.has_value());
}

TEST(RtfReaderTemplateTest, ErrorRowsAreRedAndAsWideAsTheirTable) {
    const auto width = [](const auto& tmpl) {
        return rightEdges(
            onlyRow(RtfReader::readFragment(fill(tmpl, 4u, RtfText::escape(u"TIMED OUT")).rtf())));
    };
    EXPECT_EQ(width(res::kPingErrorRow), (std::vector<int>{1000, 7000}));
    EXPECT_EQ(width(res::kTraceErrorRow), (std::vector<int>{1000, 4000}));
    EXPECT_EQ(width(res::kTraceDnsErrorRow), (std::vector<int>{1000, 9000}));
    const TableRow row =
        onlyRow(RtfReader::readFragment(fill(res::kPingErrorRow, 4u, RtfText::escape(u"TIMED OUT")).rtf()));
    for (const TableCell& cell : row.cells)
        EXPECT_EQ(cell.background, (Rgb{255, 0, 0}));
    EXPECT_EQ(cellTexts(row), (std::vector<QString>{QStringLiteral("4"), QStringLiteral("TIMED OUT")}));
}

TEST(RtfReaderTemplateTest, ReturnedDataIsBlueAfterItsLabel) {
    const TableRow& row = onlyRow(
        RtfReader::readFragment(fill(res::kPingReturnedDataRow, RtfText::escape(u"Yiv {data}")).rtf()));
    ASSERT_EQ(row.cells.size(), 1u);
    const auto& runs = row.cells[0].runs;
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].text, QStringLiteral("Returned Data:  "));
    EXPECT_FALSE(runs[0].color.has_value());
    EXPECT_EQ(runs[1].text, QStringLiteral("Yiv {data}"));
    EXPECT_EQ(runs[1].color, (Rgb{0, 0, 255}));
}

TEST(RtfReaderTemplateTest, ALookupNameRowCarriesItsLink) {
    const RtfText link =
        fill(res::kLookupLink, RtfText::escape(u"www.example.org"), RtfText::escape(u"www.example.org"));
    const TableRow& row = onlyRow(
        RtfReader::readFragment(fill(res::kLookupNameRow, fill(res::kOfficialNameLabel), link).rtf()));
    ASSERT_EQ(row.cells.size(), 2u);
    EXPECT_EQ(rightEdges(row), (std::vector<int>{1500, 5000}));
    const TextRun* linked = nullptr;
    for (const TextRun& run : row.cells[1].runs) {
        if (!run.link.isEmpty())
            linked = &run;
    }
    ASSERT_NE(linked, nullptr);
    EXPECT_EQ(linked->text, QStringLiteral("www.example.org"));
    EXPECT_EQ(linked->link, QStringLiteral("http://www.example.org"));
    EXPECT_TRUE(linked->underline);
    EXPECT_EQ(linked->color, (Rgb{0, 0, 255}));
    EXPECT_EQ(cellTexts(row)[0], QStringLiteral("Official Name:"));
}

TEST(RtfReaderTemplateTest, ScanHeadersStandOverTheirColumns) {
    const TableRow header = onlyRow(RtfReader::readFragment(text(res::kScanDnsHeaderRow)));
    const TableRow row = onlyRow(RtfReader::readFragment(
        fill(res::kScanAnsweredNameRow, RtfText::escape(u"10.1.1.1"), 3u, RtfText::escape(u"gw.lan")).rtf()));
    EXPECT_EQ(rightEdges(header), rightEdges(row));
    EXPECT_EQ(cellTexts(header),
              (std::vector<QString>{QStringLiteral("IP Address"), QStringLiteral("RTT(ms)"),
                                    QStringLiteral("DNS Name")}));
    EXPECT_EQ(cellTexts(row), (std::vector<QString>{QStringLiteral("10.1.1.1"), QStringLiteral("3"),
                                                    QStringLiteral("gw.lan")}));
    // A colour index the fragment's table does not define gives no colour.
    EXPECT_FALSE(row.cells[2].background.has_value());
}

TEST(RtfReaderTemplateTest, LinesBecomeParagraphs) {
    RtfDocument doc = RtfReader::readFragment(text(res::kNoLookupInProgressLine));
    ASSERT_EQ(doc.blocks.size(), 2u);
    EXPECT_EQ(runsText(std::get<Paragraph>(doc.blocks[0]).runs), QStringLiteral(" "));
    EXPECT_EQ(runsText(std::get<Paragraph>(doc.blocks[1]).runs),
              QStringLiteral("No host lookup in progress. "));

    doc = RtfReader::readFragment(QStringLiteral("WinSock error 11001: Host not found}"));
    ASSERT_EQ(doc.blocks.size(), 1u);
    EXPECT_FALSE(std::get<Paragraph>(doc.blocks[0]).ended) << "text that no \\par closed runs on";

    doc = RtfReader::readFragment(QStringLiteral("{a\\line b\\tab c\\~d} \\par }"));
    EXPECT_EQ(runsText(std::get<Paragraph>(doc.blocks[0]).runs), QStringLiteral(u"a\nb\tc\u00a0d "));
}

TEST(RtfReaderTemplateTest, EveryTemplateReadsWithItsSampleValues) {
    const QString hostile = QStringLiteral(u"{x}\\ %s %d \u00e9\u0416");
    for (const StringResourceInfo& info : allStringResources()) {
        if (!info.isRtf)
            continue;
        SCOPED_TRACE(std::string(info.name));
        const QString filled = test::fillWithSamples(info, hostile);
        const RtfDocument doc = RtfReader::readFragment(filled);
        const QString shown = documentText(doc);
        if (std::string_view(info.conversions).find('s') != std::string_view::npos &&
            info.name != res::kPingLossLine.name && info.name != res::kIspStoppedLine.name) {
            EXPECT_TRUE(shown.contains(hostile)) << shown.toStdString();
        }
        const qsizetype cellDefinitions = filled.count(QStringLiteral("\\cellx"));
        if (cellDefinitions > 0) {
            EXPECT_EQ(qsizetype(rightEdges(onlyRow(doc)).size()), cellDefinitions);
        }
    }
}

TEST(RtfReaderEncodingTest, EscapesAndUnicodeWithFallbacks) {
    const auto shown = [](const char* rtf) {
        return documentText(RtfReader::readFragment(QString::fromUtf8(rtf)));
    };
    EXPECT_EQ(shown("{\\'e9\\'80\\'41}}"), QStringLiteral(u"\u00e9\u20acA|"));
    EXPECT_EQ(shown("{\\u1046?x}}"), QStringLiteral(u"\u0416x|"));
    EXPECT_EQ(shown("{\\uc2\\u1046??x}}"), QStringLiteral(u"\u0416x|"));
    EXPECT_EQ(shown("{\\uc0\\u-10179\\u-8704 x}}"), QString::fromUcs4(U"\U0001F600x|"));
    EXPECT_EQ(shown("{a\\u b\\emdash\\ldblquote}}"), QStringLiteral(u"ab\u2014\u201c|"))
        << "\\u without a number";
    EXPECT_EQ(shown("{\\u-26000?}}"), QString(QChar(char16_t(65536 - 26000))) + QLatin1Char('|'));
    EXPECT_EQ(shown("{\\*\\unknown hidden}{\\fonttbl{\\f0 Arial;}}shown}"), QStringLiteral("shown|"));
    const QByteArray bytes("{\\rtf1 caf\xe9 \x80}");
    EXPECT_EQ(documentText(RtfReader::readDocument(QByteArrayView(bytes))),
              QStringLiteral(u"caf\u00e9 \u20ac|"));
}

TEST(RtfReaderEncodingTest, ColourTablesApplyFromWhereTheyStand) {
    const RtfDocument doc = RtfReader::readDocument(
        QStringLiteral("{\\rtf1 {\\colortbl;\\red1\\green2\\blue3;}{\\cf1 a}{\\cf2 b}{\\cf0 c}"
                       "{\\colortbl;\\red9\\green9\\blue9;\\red999\\green-5\\blue7;}{\\cf1 d\\cf2 e}}"));
    ASSERT_EQ(doc.blocks.size(), 1u);
    const auto& runs = std::get<Paragraph>(doc.blocks[0]).runs;
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].color, (Rgb{1, 2, 3}));
    EXPECT_EQ(runs[1].text, QStringLiteral("bc")) << "undefined and automatic colours are the same: none";
    EXPECT_FALSE(runs[1].color.has_value());
    EXPECT_EQ(runs[2].color, (Rgb{9, 9, 9}));
    EXPECT_EQ(runs[3].color, (Rgb{255, 0, 7})) << "components are clamped";
}

// Malformed input of every kind: the reader must come back, with whatever it could read.
TEST(RtfReaderRobustnessTest, MalformedInputNeverBreaksTheReader) {
    const QString hostile[] = {
        QStringLiteral("{{{{{{"),
        QStringLiteral("}}}}}} text after {"),
        QString(200000, QLatin1Char('{')) + QStringLiteral("deep") + QString(200000, QLatin1Char('}')),
        QStringLiteral("{\\rtf1 \\cellx99999999999999999999999 \\cell \\row}"),
        QStringLiteral("{\\rtf1 \\u-99999999999999? \\u99999999? \\uc99999 \\u65? abc}"),
        QStringLiteral("{\\rtf1 \\'"),
        QStringLiteral("{\\rtf1 \\'4"),
        QStringLiteral("{\\rtf1 \\"),
        QStringLiteral("{\\rtf1 \\bin999999999 }"),
        QStringLiteral("{\\rtf1 \\cell\\cell\\row\\row\\intbl\\cell\\trowd\\trowd\\cellx-5\\cellx0\\row}"),
        QStringLiteral("{\\rtf1 {\\field{\\*\\fldinst{HYPERLINK }}{\\fldrslt{x}}}{\\fldrslt y}\\fldinst z}"),
        QStringLiteral("{\\rtf1 {\\colortbl;;;\\red;\\green\\blue}\\cf-1 a\\cf3 b\\clcbpat99999 c}"),
        QStringLiteral("{\\rtf1 \\") + QString(5000, QLatin1Char('x')) + QStringLiteral("123 tail}"),
        QStringLiteral("\\par\\par\\row\\cell\\pard}}}"),
        QString(QChar(0)) + QStringLiteral("{\\rtf1 \\clbrdrl\\brdrw-7\\brdrw99999999999999 \\cellx1\\cell}"),
    };
    for (const QString& input : hostile) {
        SCOPED_TRACE(input.left(60).toStdString());
        const RtfDocument doc = RtfReader::readDocument(input);
        for (const RtfBlock& block : doc.blocks) {
            if (const auto* row = std::get_if<TableRow>(&block)) {
                for (const TableCell& cell : row->cells) {
                    EXPECT_GE(cell.rightEdge, 0);
                    EXPECT_LE(cell.rightEdge, 1'000'000'000);
                }
            }
        }
    }
    EXPECT_EQ(documentText(RtfReader::readDocument(hostile[2])), QStringLiteral("deep|"));
}

TEST(RtfReaderRobustnessTest, EveryPrefixOfEveryTemplateReads) {
    for (const StringResourceInfo& info : allStringResources()) {
        if (!info.isRtf)
            continue;
        const QString filled = test::fillWithSamples(info, QStringLiteral(u"n\u00e9{}"));
        for (qsizetype cut = 0; cut <= filled.size(); ++cut)
            (void)RtfReader::readFragment(QStringView(filled).left(cut));
    }
    SUCCEED();
}

TEST(RtfReaderRobustnessTest, RandomMutationsOfTheTemplatesRead) {
    std::mt19937 random(20261209);
    const QString alphabet = QStringLiteral("{}\\'0123456789abcdefxu-;*? \\par\\cell\\row\\trowd");
    for (const StringResourceInfo& info : allStringResources()) {
        if (!info.isRtf)
            continue;
        const QString base = test::fillWithSamples(info);
        for (int round = 0; round < 50; ++round) {
            QString mutated = base;
            for (int edit = 0; edit < 8 && !mutated.isEmpty(); ++edit) {
                const qsizetype at = qsizetype(random() % std::uint32_t(mutated.size()));
                if (random() % 2)
                    mutated[at] = alphabet[qsizetype(random() % std::uint32_t(alphabet.size()))];
                else
                    mutated.remove(at, 1 + qsizetype(random() % 4));
            }
            (void)RtfReader::readFragment(mutated);
        }
    }
    SUCCEED();
}

} // namespace
} // namespace vantrel::output
