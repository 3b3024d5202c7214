#include "ops/LookupReport.h"

#include "OperationHarness.h"
#include "net/WinsockErrors.h"
#include "rtf/RtfReader.h"
#include "text/ResultTexts.h"

#include <gtest/gtest.h>

namespace vantrel::ops {
namespace {

using output::ResultKind;
using output::RtfText;
using test::address;
using test::ipAddress;
namespace res = output::res;

QStringList fragments(const std::vector<output::ResultRow>& rows) {
    QStringList all;
    for (const output::ResultRow& row : rows) {
        EXPECT_EQ(row.kind, ResultKind::Plain);
        all.append(row.rtf());
    }
    return all;
}

QString nameRow(const char* label, const char* name) {
    const RtfText shown = RtfText::escape(QString::fromLatin1(name));
    return output::fill(res::kLookupNameRow, RtfText::escape(QString::fromLatin1(label)),
                        output::fill(res::kLookupLink, shown, shown))
        .rtf();
}

QString addressRow(const output::RtfTemplate<RtfText, RtfText>& row, const char* label, const char* dotted) {
    return output::fill(row, RtfText::escape(QString::fromLatin1(label)),
                        RtfText::escape(QString::fromLatin1(dotted)))
        .rtf();
}

TEST(LookupReportRows, OneAddressWithoutAliasesGivesTwoRows) {
    const QStringList rows = fragments(lookupReportRows({"one.lab", {}, {ipAddress("10.0.0.1")}}));
    EXPECT_EQ(rows, (QStringList{nameRow("Official Name:", "one.lab"),
                                 addressRow(res::kLookupAddressRow, "IP address:", "10.0.0.1")}));
}

TEST(LookupReportRows, FurtherAddressesCloseTheFirstCellOnlyWithoutAliases) {
    const std::vector<net::IpAddress> three{ipAddress("10.0.0.1"), ipAddress("10.0.0.2"),
                                            ipAddress("10.0.0.3")};
    EXPECT_EQ(fragments(lookupReportRows({"three.lab", {}, three})),
              (QStringList{nameRow("Official Name:", "three.lab"),
                           addressRow(res::kLookupAddressRow, "IP addresses:", "10.0.0.1"),
                           addressRow(res::kLookupMoreAddressRow, "", "10.0.0.2"),
                           addressRow(res::kLookupMoreAddressRow, "", "10.0.0.3")}));

    EXPECT_EQ(fragments(lookupReportRows({"three.lab", {"a.lab"}, three})),
              (QStringList{nameRow("Official Name:", "three.lab"),
                           addressRow(res::kLookupAddressRow, "IP addresses:", "10.0.0.1"),
                           addressRow(res::kLookupMoreAddressOpenRow, "", "10.0.0.2"),
                           addressRow(res::kLookupMoreAddressOpenRow, "", "10.0.0.3"),
                           nameRow("Alias:", "a.lab")}));

    EXPECT_EQ(fragments(lookupReportRows(
                  {"two.lab", {"a.lab", "b.lab"}, {ipAddress("10.0.0.1"), ipAddress("10.0.0.2")}})),
              (QStringList{nameRow("Official Name:", "two.lab"),
                           addressRow(res::kLookupAddressRow, "IP addresses:", "10.0.0.1"),
                           addressRow(res::kLookupMoreAddressOpenRow, "", "10.0.0.2"),
                           nameRow("Alias:", "a.lab"), nameRow("Alias:", "b.lab")}));
}

TEST(LookupReportRows, OutsideNamesCannotBreakTheRtf) {
    const std::vector<output::ResultRow> rows =
        lookupReportRows({"evil}\\par{.lab", {"caf\xc3\xa9.lab"}, {ipAddress("10.0.0.1")}});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows[0].rtf().contains(QStringLiteral("HYPERLINK http://evil\\}\\\\par\\{.lab ")));
    EXPECT_FALSE(rows[0].rtf().contains(QStringLiteral("evil}")));
    EXPECT_FALSE(rows[2].rtf().contains(QChar(0xe9))) << "non-ASCII is written as an RTF escape";
    EXPECT_TRUE(rows[2].rtf().contains(QStringLiteral("caf\\'e9.lab")));
}

// The link run of a name row's second cell, as the Results window reads it.
output::TextRun linkOf(const output::ResultRow& row) {
    const output::RtfDocument document = row.document();
    for (const output::RtfBlock& block : document.blocks)
        if (const auto* tableRow = std::get_if<output::TableRow>(&block);
            tableRow && tableRow->cells.size() == 2)
            for (const output::TextRun& run : tableRow->cells[1].runs)
                if (!run.link.isEmpty())
                    return run;
    return {};
}

TEST(LookupReportRows, NamesAreClickableLinksToTheirWebAddressEvenWhenOdd) {
    const std::vector<output::ResultRow> rows =
        lookupReportRows({"one.lab", {"odd{}\\x.lab"}, {ipAddress("10.0.0.1")}});
    ASSERT_EQ(rows.size(), 3u);
    const output::TextRun name = linkOf(rows[0]);
    EXPECT_EQ(name.link.trimmed(), QStringLiteral("http://one.lab"));
    EXPECT_EQ(name.text.trimmed(), QStringLiteral("one.lab"));
    EXPECT_TRUE(name.underline);
    const output::TextRun alias = linkOf(rows[2]);
    EXPECT_EQ(alias.link.trimmed(), QStringLiteral("http://odd{}\\x.lab"));
    EXPECT_EQ(alias.text.trimmed(), QStringLiteral("odd{}\\x.lab"));
}

class LookupOperationTest : public ::testing::Test {
protected:
    void lookup(const QString& host) {
        h.frontEnd.hostText = host;
        h.control->OnLookup();
        h.runUntilIdle();
    }
    static QStringList cells(const QString& row) { return row.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

    test::OperationHarness h;
};

TEST_F(LookupOperationTest, AForwardLookupReportsTheEntryAndEndsReady) {
    h.names->addHost({"multi.lab", {"www.multi.lab"}, {address("10.0.0.1"), address("10.0.0.2")}});
    lookup(QStringLiteral("multi.lab"));

    const QStringList texts = h.texts();
    ASSERT_EQ(texts.size(), 5) << texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(texts[0].trimmed().startsWith(QStringLiteral("Starting lookup on multi.lab")))
        << texts[0].toStdString();
    EXPECT_EQ(cells(texts[1]), (QStringList{"Official", "Name:", "multi.lab"}));
    EXPECT_EQ(cells(texts[2]), (QStringList{"IP", "addresses:", "10.0.0.1"}));
    EXPECT_EQ(cells(texts[3]), (QStringList{"10.0.0.2"}));
    EXPECT_EQ(cells(texts[4]), (QStringList{"Alias:", "www.multi.lab"}));
    EXPECT_EQ(h.state().m_dwShownAddr.get(), net::IpAddress::fromV4(address("10.0.0.2")));
    EXPECT_EQ(h.state().status.get(), QStringLiteral("Ready"));
    EXPECT_FALSE(h.state().flags.anyBusy());
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Succeeded);
    EXPECT_TRUE(h.network.sent().empty()) << "a lookup sends no echo request";
}

TEST_F(LookupOperationTest, AReverseLookupShowsTheNameAndTheQueriedAddress) {
    h.names->addHost({"router.lab", {}, {address("10.0.0.9")}});
    lookup(QStringLiteral("10.0.0.9"));
    const QStringList texts = h.texts();
    ASSERT_EQ(texts.size(), 3) << texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(cells(texts[1]), (QStringList{"Official", "Name:", "router.lab"}));
    EXPECT_EQ(cells(texts[2]), (QStringList{"IP", "address:", "10.0.0.9"}));
    EXPECT_EQ(h.names->addressesAsked(), std::vector{ipAddress("10.0.0.9")});

    h.view.shown.clear();
    lookup(QStringLiteral("10.0.0.77"));
    EXPECT_EQ(h.texts().size(), 2) << "the start line and the failure";
    EXPECT_EQ(h.view.shown.back().kind, ResultKind::Red);
    EXPECT_EQ(h.control->lastOutcome(), OperationOutcome::Failed) << "an address without a name";
}

} // namespace
} // namespace vantrel::ops
