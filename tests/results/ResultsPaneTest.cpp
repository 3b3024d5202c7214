#include "print/PageColours.h"
#include "print/RowDecoration.h"
#include "rtf/RtfReader.h"
#include "settings/LiveOptions.h"
#include "support/QtPrinters.h"
#include "text/ResultTexts.h"
#include "ui/BandedScrollBar.h"
#include "ui/BandedToolBar.h"
#include "ui/CStatusViewPane.h"
#include "ui/ResultsTextView.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace vantrel::ui {
namespace {

using output::ResultKind;
using output::RtfText;
namespace res = output::res;

class ResultsPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pane = std::make_unique<CStatusViewPane>(options, CStatusViewPane::FrameCommands());
        m_pane->resize(900, 500);
        m_pane->show();
    }
    QString row(unsigned packet, const char* address) {
        return output::fill(res::kPingReplyRow, packet, RtfText::escape(QString::fromLatin1(address)), 12u,
                            64u, 67u)
            .rtf();
    }
    QString plainText() { return pane().view().toPlainText(); }
    CStatusViewPane& pane() { return *m_pane; }

    settings::LiveOptions options;
    std::unique_ptr<CStatusViewPane> m_pane;
};

TEST_F(ResultsPaneTest, RowsBecomeOneLineEachWithTheirCellsAtTheirEdges) {
    pane().showResult(output::fill(res::kPingHeaderRow).rtf(), ResultKind::HeaderRow);
    pane().showResult(row(1, "10.0.0.1"), ResultKind::Plain);
    pane().showResult(QStringLiteral("{Ping Successful} \\par }"), ResultKind::Bold);
    const QStringList lines = plainText().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0].split(QLatin1Char('\t')).size(), 5);
    EXPECT_EQ(lines[1].split(QLatin1Char('\t')).size(), 5);
    EXPECT_EQ(lines[2].trimmed(), QStringLiteral("Ping Successful"));

    // The tab stops sit on the cell edges, the same for the header and the rows of one table.
    const QTextBlock header = pane().view().document()->begin();
    const QTextBlock reply = header.next();
    EXPECT_EQ(header.blockFormat().tabPositions().size(), 4);
    EXPECT_EQ(header.blockFormat().tabPositions(), reply.blockFormat().tabPositions());
    EXPECT_EQ(reply.blockFormat().tabPositions().first().position, pane().view().twipsToPixels(1000) + 4);

    // The text is there at once; by the end of the frame it is laid out too, a line for each block.
    const QAbstractTextDocumentLayout* layout = pane().view().document()->documentLayout();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return layout->blockBoundingRect(header.next().next()).top() > 0; }, 500));
    EXPECT_GT(layout->blockBoundingRect(reply).top(), layout->blockBoundingRect(header).top());
}

TEST_F(ResultsPaneTest, BarsPaintedInBandsLookAsTheStyleDrawsAnyBar) {
    // The same pixels as a stock scroll bar's, give or take the rounding of a translucent line's end.
    const auto largestDifference = [](const QImage& one, const QImage& other) {
        int largest = one.size() == other.size() ? 0 : 255;
        for (int y = 0; largest < 255 && y < one.height(); ++y)
            for (int x = 0; x < one.width(); ++x) {
                const QRgb a = one.pixel(x, y);
                const QRgb b = other.pixel(x, y);
                largest = std::max({largest, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                    std::abs(qBlue(a) - qBlue(b))});
            }
        return largest;
    };
    for (const Qt::Orientation orientation : {Qt::Vertical, Qt::Horizontal}) {
        QScrollBar stock(orientation);
        BandedScrollBar banded(orientation);
        for (QScrollBar* bar : {&stock, static_cast<QScrollBar*>(&banded)}) {
            bar->resize(orientation == Qt::Vertical ? QSize(16, 427) : QSize(519, 16));
            bar->setRange(0, 5000);
            bar->setPageStep(400);
            bar->setValue(3100);
        }
        EXPECT_LE(largestDifference(banded.grab().toImage(), stock.grab().toImage()), 20) << orientation;
    }
    // Toolbars docked in a window, with their grippers.
    QMainWindow stockWindow;
    QMainWindow bandedWindow;
    auto* stockBar = new QToolBar;
    auto* bandedBar = new BandedToolBar;
    stockWindow.addToolBar(stockBar);
    bandedWindow.addToolBar(bandedBar);
    for (QMainWindow* window : {&stockWindow, &bandedWindow}) {
        QToolBar* bar = window->findChild<QToolBar*>();
        for (const char* caption : {"Ping", "Trace", "Lookup"})
            bar->addAction(QString::fromLatin1(caption));
        window->resize(700, 200);
        window->show();
    }
    EXPECT_LE(largestDifference(bandedBar->grab().toImage(), stockBar->grab().toImage()), 20);
}

TEST_F(ResultsPaneTest, BlocksLaidOutInViewSitWhereTheStockLayoutPutsThemAndAnswerHitsAlike) {
    // A mix of what the window shows: tables, bold and coloured lines, links, a line broken inside a cell.
    pane().showResult(output::fill(res::kPingHeaderRow).rtf(), ResultKind::HeaderRow);
    for (unsigned packet = 1; packet <= 40; ++packet)
        pane().showResult(row(packet, packet % 7 ? "10.0.0.1" : "a-much-longer-host-name.quenlo.example"),
                          packet % 5 ? ResultKind::Plain : ResultKind::ErrorRow);
    pane().showResult(QStringLiteral("{Ping Successful} \\par }"), ResultKind::Bold);
    pane().showResult(QStringLiteral("{see https://quenlo.example/help\\line now} \\par }"),
                      ResultKind::Plain);
    pane().showResult(output::fill(res::kBanner).rtf(), ResultKind::Plain);
    pane().showResult(output::fill(res::kPingHeaderRow).rtf(), ResultKind::HeaderRow);
    ResultsTextView& view = pane().view();
    view.endFrame();

    QTextDocument& shown = *view.document();
    const std::unique_ptr<QTextDocument> stock(shown.clone());
    const QAbstractTextDocumentLayout& ours = *shown.documentLayout();
    const QAbstractTextDocumentLayout& theirs = *stock->documentLayout();
    ASSERT_NE(ours.metaObject(), theirs.metaObject());
    for (QTextBlock block = shown.begin(), other = stock->begin(); block.isValid();
         block = block.next(), other = other.next()) {
        const QRectF mine = ours.blockBoundingRect(block);
        const QRectF reference = theirs.blockBoundingRect(other);
        EXPECT_EQ(mine.topLeft(), reference.topLeft()) << block.blockNumber();
        EXPECT_EQ(mine.height(), reference.height()) << block.blockNumber();
        // A click in the middle of the block's first line lands between the same characters.
        const QPointF middle(mine.left() + reference.width() / 2, mine.top() + 5);
        EXPECT_EQ(ours.hitTest(middle, Qt::ExactHit), theirs.hitTest(middle, Qt::ExactHit))
            << block.blockNumber();
    }
    EXPECT_EQ(ours.documentSize().height(), theirs.documentSize().height());
    EXPECT_EQ(ours.hitTest(QPointF(2, 2), Qt::ExactHit), -1);
}

TEST_F(ResultsPaneTest, KindsSetTheInsertionFormatAndPlainRowsKeepTheirOwnLook) {
    pane().showResult(QStringLiteral("{Warning} \\par }"), ResultKind::Red);
    pane().showResult(QStringLiteral("{Kind seven} \\par }"), ResultKind(7));
    pane().showResult(QStringLiteral("{Done} \\par }"), ResultKind::Bold);
    pane().showResult(
        output::fill(res::kPingErrorRow, 1u, RtfText::escape(QStringLiteral("TIMED OUT"))).rtf(),
        ResultKind::ErrorRow);
    pane().showResult(row(2, "10.0.0.1"), ResultKind::Plain);
    pane().showResult(output::fill(res::kPingHeaderRow).rtf(), ResultKind::HeaderRow);
    pane().showResult(
        QStringLiteral("{\\colortbl;\\red0\\green0\\blue255;}{Continued {\\cf1 in blue}} \\par }"),
        ResultKind::Plain);
    const auto formatOf = [&](int blockNumber, int fragment = 0) {
        auto it = pane().view().document()->findBlockByNumber(blockNumber).begin();
        for (int i = 0; i < fragment; ++i)
            ++it;
        return it.fragment().charFormat();
    };
    EXPECT_EQ(formatOf(0).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatOf(1).foreground().color(), QColor(255, 0, 0)) << "an unknown kind keeps the last colour";
    EXPECT_EQ(formatOf(2).foreground().color(), QColor(0, 0, 0));
    EXPECT_EQ(formatOf(2).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(3).background().color(), QColor(255, 0, 0));
    // A plain row after an error row and a plain line after a header are black, regular, unshaded.
    for (int block : {4, 6}) {
        EXPECT_EQ(formatOf(block).foreground().color(), QColor(0, 0, 0)) << block;
        EXPECT_EQ(formatOf(block).fontWeight(), QFont::Normal) << block;
        EXPECT_EQ(formatOf(block).background().style(), Qt::NoBrush) << block;
    }
    EXPECT_EQ(formatOf(6, 1).foreground().color(), QColor(0, 0, 255)) << "only its own RTF colours it";
}

TEST_F(ResultsPaneTest, ADarkPageKeepsEveryRowReadableAndCopiesPrintsInTheRowsOwnColours) {
    pane().showResult(output::fill(res::kPingHeaderRow).rtf(), ResultKind::HeaderRow);
    pane().showResult(row(1, "10.0.0.1"), ResultKind::Plain);
    pane().showResult(
        output::fill(res::kPingErrorRow, 2u, RtfText::escape(QStringLiteral("TIMED OUT"))).rtf(),
        ResultKind::ErrorRow);
    for (ResultKind kind : {ResultKind::Red, ResultKind::Bold, ResultKind::RedBold, ResultKind::Blue})
        pane().showResult(QStringLiteral("{Kind} \\par }"), kind);
    pane().showResult(QStringLiteral("{\\colortbl;\\red0\\green0\\blue255;}{See {\\cf1 blue} "
                                     "https://example.org/} \\par }"),
                      ResultKind::Plain);
    const auto copyAll = [&] {
        pane().command(CStatusViewPane::SelectAll)->trigger();
        pane().command(CStatusViewPane::Copy)->trigger();
        return QApplication::clipboard()->mimeData()->data(QStringLiteral("text/rtf"));
    };
    const QByteArray light = copyAll();

    pane().view().setPageColours(output::PageColours(output::PageColours::Shade::Dark));
    const output::PageColours& page = pane().view().pageColours();
    EXPECT_EQ(pane().view().viewport()->palette().color(QPalette::Base), page.page());
    // Every run against what it is drawn on: its shading, its row's cell, or the page (WCAG AA).
    for (QTextBlock block = pane().view().document()->begin(); block.isValid(); block = block.next()) {
        QColor cell = page.page();
        if (const auto* decoration = dynamic_cast<const output::RowDecoration*>(block.userData()))
            for (const output::CellDecoration& shaded : decoration->cells)
                if (shaded.background)
                    cell = *shaded.background;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QColor text =
                format.foreground().style() == Qt::NoBrush ? page.ink() : format.foreground().color();
            const QColor ground =
                format.background().style() == Qt::NoBrush ? cell : format.background().color();
            EXPECT_GE(output::contrastRatio(text, ground), 4.5) << it.fragment().text().toStdString();
        }
    }
    // What leaves the window has the rows' own colours, as from a white page, and the page turns back.
    EXPECT_EQ(copyAll(), light);
    pane().view().setPageColours(output::PageColours());
    EXPECT_EQ(copyAll(), light);
    EXPECT_EQ(pane().view().viewport()->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST_F(ResultsPaneTest, TheSizePaneFollowsTheTextAndThePurgeEmptiesIntoTheClipboard) {
    QSignalSpy sizes(&pane(), &CStatusViewPane::textSizeChanged);
    pane().showResult(QStringLiteral("{abcd} \\par }"), ResultKind::Plain);
    ASSERT_EQ(sizes.size(), 1);
    const auto shownSize = [&] { return output::textSizePane(double(pane().view().textSizeBytes())).text; };
    EXPECT_EQ(shownSize(), QStringLiteral("Text Size: 12 Bytes")); // "abcd ", and its paragraph end

    options.setNumber(settings::OptionId::PurgeStatus, 1);
    const QString line = QStringLiteral("{") + QString(4000, QLatin1Char('x')) + QStringLiteral("} \\par }");
    while (pane().view().textSizeBytes() > 0 && sizes.size() < 200)
        pane().showResult(line, ResultKind::Plain);
    EXPECT_EQ(pane().view().textSizeBytes(), 0);
    EXPECT_EQ(shownSize(), QStringLiteral("Text Size: 0 Bytes"));
    EXPECT_FALSE(pane().command(CStatusViewPane::Undo)->isEnabled()) << "the purged text is not kept";
    // The clipboard has the text plain and as RTF, which reads back to the same lines; no HTML.
    const QMimeData* purged = QApplication::clipboard()->mimeData();
    EXPECT_TRUE(purged->text().startsWith(QStringLiteral("abcd")));
    EXPECT_FALSE(purged->hasHtml());
    const output::RtfDocument rtf = output::RtfReader::readDocument(purged->data(QStringLiteral("text/rtf")));
    ASSERT_GE(rtf.blocks.size(), 2u);
    const auto& first = std::get<output::Paragraph>(rtf.blocks.front());
    ASSERT_FALSE(first.runs.empty());
    EXPECT_EQ(first.runs.front().text, QStringLiteral("abcd "));
}

TEST_F(ResultsPaneTest, EditCommandsAreEnabledByWhatThereIsToActOn) {
    pane().updateCommandState();
    EXPECT_FALSE(pane().command(CStatusViewPane::SelectAll)->isEnabled());
    EXPECT_FALSE(pane().command(CStatusViewPane::ClearAll)->isEnabled());
    EXPECT_FALSE(pane().command(CStatusViewPane::Print)->isEnabled());
    EXPECT_TRUE(pane().command(CStatusViewPane::Paste)->isEnabled());

    pane().showResult(row(1, "10.0.0.1"), ResultKind::Plain);
    EXPECT_TRUE(pane().command(CStatusViewPane::SelectAll)->isEnabled());
    EXPECT_TRUE(pane().command(CStatusViewPane::Print)->isEnabled());
    EXPECT_FALSE(pane().command(CStatusViewPane::Copy)->isEnabled());
    EXPECT_FALSE(pane().command(CStatusViewPane::Undo)->isEnabled()) << "an append discards the undo history";

    pane().command(CStatusViewPane::SelectAll)->trigger();
    EXPECT_TRUE(pane().command(CStatusViewPane::Copy)->isEnabled());
    pane().command(CStatusViewPane::Copy)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().split(QLatin1Char('\n')).first(),
              QStringLiteral("1\t10.0.0.1\t12\t64\t67"));
    // As RTF the row is a table row again, its cells at their edges.
    const output::RtfDocument copied = output::RtfReader::readDocument(
        QApplication::clipboard()->mimeData()->data(QStringLiteral("text/rtf")));
    ASSERT_FALSE(copied.blocks.empty());
    const auto* copiedRow = std::get_if<output::TableRow>(&copied.blocks.front());
    ASSERT_NE(copiedRow, nullptr);
    ASSERT_EQ(copiedRow->cells.size(), 5u);
    EXPECT_NEAR(copiedRow->cells[0].rightEdge, 1000, 30);
    EXPECT_EQ(copiedRow->cells[1].runs.front().text.trimmed(), QStringLiteral("10.0.0.1"));

    pane().command(CStatusViewPane::ClearAll)->trigger();
    EXPECT_EQ(pane().view().textSizeBytes(), 0);
    EXPECT_TRUE(pane().command(CStatusViewPane::Undo)->isEnabled());
    pane().command(CStatusViewPane::Undo)->trigger();
    EXPECT_GT(pane().view().textSizeBytes(), 0);
}

// The text of a PDF file as poppler reads it, lines in page order; empty when there is no file.
QString pdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    pdftotext.waitForFinished(60000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

TEST_F(ResultsPaneTest, PrintingTheSelectionPrintsItAloneAndKeepsIt) {
    pane().showResult(output::fill(res::kPingHeaderRow).rtf(), ResultKind::HeaderRow);
    for (unsigned packet = 1; packet <= 3; ++packet)
        pane().showResult(row(packet, "10.0.0.9"), ResultKind::Plain);
    pane().showResult(QStringLiteral("{Ping Successful} \\par }"), ResultKind::Bold);
    pane().view().endFrame();
    QTemporaryDir dir;
    const QTextBlock second = pane().view().document()->findBlockByNumber(2);
    QTextCursor selection(second);
    selection.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    pane().view().setTextCursor(selection);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setFullPage(true);
    printer.setOutputFileName(dir.filePath(QStringLiteral("selection.pdf")));
    printer.setPrintRange(QPrinter::Selection);
    ASSERT_TRUE(pane().printTo(printer));
    const QString selected = pdfText(printer.outputFileName()).simplified();
    EXPECT_EQ(selected, QStringLiteral("2 10.0.0.9 12 64 67"));
    EXPECT_EQ(pane().view().textCursor().selectedText(), selection.selectedText());

    // Everything, with nothing selected: every row in order, and the caret at the start.
    pane().view().moveCursor(QTextCursor::End);
    printer.setOutputFileName(dir.filePath(QStringLiteral("all.pdf")));
    printer.setPrintRange(QPrinter::AllPages);
    ASSERT_TRUE(pane().printTo(printer));
    const QString all = pdfText(printer.outputFileName());
    EXPECT_EQ(all.count(QStringLiteral("10.0.0.9")), 3);
    EXPECT_LT(all.lastIndexOf(QStringLiteral("10.0.0.9")), all.indexOf(QStringLiteral("Ping Successful")));
    EXPECT_FALSE(pane().view().textCursor().hasSelection());
    EXPECT_EQ(pane().view().textCursor().position(), 0);

    // A row taller than a page: the Printing Error, and no file.
    QSignalSpy errors(&pane(), &CStatusViewPane::errorMessage);
    pane().showResult(
        output::fill(res::kPingReturnedDataRow, RtfText::escape(QString(6000, QLatin1Char('W')))).rtf(),
        ResultKind::Plain);
    printer.setOutputFileName(dir.filePath(QStringLiteral("tall.pdf")));
    EXPECT_FALSE(pane().printTo(printer));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0][0].toString(), QStringLiteral("Printing Error"));
    EXPECT_FALSE(QFile::exists(printer.outputFileName()));
}

TEST_F(ResultsPaneTest, AppendsShowTheEndAfterPrintUnlessTheUserScrolledUp) {
    ResultsTextView& view = pane().view();
    QScrollBar* scroll = view.verticalScrollBar();
    unsigned packet = 0;
    const auto operation = [&](int rows) {
        for (int i = 0; i < rows; ++i)
            pane().showResult(row(++packet, "10.0.0.9"), ResultKind::Plain);
        view.endFrame();
    };
    // The caret behind the last character, and the last line in view.
    const auto endShown = [&] {
        const QTextCursor caret = view.textCursor();
        return caret.atEnd() && !caret.hasSelection() && scroll->value() == scroll->maximum() &&
               view.viewport()->rect().contains(view.cursorRect());
    };
    operation(300); // more rows than the window places at once
    ASSERT_GT(scroll->maximum(), 0);
    EXPECT_TRUE(endShown());

    // Print leaves the caret at the start; each later operation is written in view all the same.
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("all.pdf")));
    ASSERT_TRUE(pane().printTo(printer));
    EXPECT_EQ(view.textCursor().position(), 0);
    for (int run = 0; run < 6; ++run) {
        operation(3);
        EXPECT_TRUE(endShown()) << run;
    }
    EXPECT_FALSE(view.newResultsMarker()->isVisible());

    // Scrolled up by the user's wheel, the view stays where it is read; the marker tells of new rows.
    QWheelEvent wheel(QPointF(20, 20), view.viewport()->mapToGlobal(QPointF(20, 20)), QPoint(),
                      QPoint(0, 360), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    const int reading = scroll->value();
    ASSERT_LT(reading, scroll->maximum());
    operation(3);
    EXPECT_EQ(scroll->value(), reading);
    ASSERT_TRUE(view.newResultsMarker()->isVisible());
    // The marker sits in the window's corner and jumps to the end, which appends follow again.
    EXPECT_TRUE(view.viewport()->rect().contains(view.newResultsMarker()->geometry()));
    QTest::mouseClick(view.newResultsMarker(), Qt::LeftButton);
    EXPECT_TRUE(endShown());
    EXPECT_FALSE(view.newResultsMarker()->isVisible());
    operation(3);
    EXPECT_TRUE(endShown());
}

TEST(ResultsTextViewTest, OnlyWebAndMailLinksOpen) {
    EXPECT_TRUE(ResultsTextView::isOpenableLink(QStringLiteral("http://example.org/")));
    EXPECT_TRUE(ResultsTextView::isOpenableLink(QStringLiteral("HTTPS://example.org/")));
    EXPECT_TRUE(ResultsTextView::isOpenableLink(QStringLiteral("mailto:pimbo@quenlo.example")));
    EXPECT_FALSE(ResultsTextView::isOpenableLink(QStringLiteral("file:///etc/passwd")));
    EXPECT_FALSE(ResultsTextView::isOpenableLink(QStringLiteral("javascript:alert(1)")));
    EXPECT_FALSE(ResultsTextView::isOpenableLink(QStringLiteral("/usr/bin/xterm")));
}

TEST_F(ResultsPaneTest, LinksComeFromFieldsAndFromUrlsInTheText) {
    pane().showResult(output::fill(res::kBanner).rtf(), ResultKind::Plain);
    pane().showResult(QStringLiteral("{see https://quenlo.example/help now} \\par }"), ResultKind::Plain);
    pane().showResult(QStringLiteral("{or www.quenlo.example, not awww.x} \\par }"), ResultKind::Plain);
    QStringList anchors;
    for (QTextBlock block = pane().view().document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isAnchor())
                anchors.append(it.fragment().charFormat().anchorHref());
    ASSERT_GE(anchors.size(), 3);
    EXPECT_TRUE(anchors.contains(QStringLiteral("https://quenlo.example/help")));
    EXPECT_TRUE(anchors.contains(QStringLiteral("http://www.quenlo.example")));
    EXPECT_FALSE(anchors.contains(QStringLiteral("http://www.x")));
    EXPECT_TRUE(std::any_of(anchors.begin(), anchors.end(),
                            [](const QString& a) { return a.startsWith(QStringLiteral("mailto:")); }));
}

TEST_F(ResultsPaneTest, AnAddressTypedIntoTheTextOpensWhenClicked) {
    ResultsTextView& view = pane().view();
    QSignalSpy opened(&view, &ResultsTextView::linkActivated);
    view.setFocus();
    QTest::keyClicks(&view, QStringLiteral("go to www.typed.example now"));
    auto clickAt = [&](int position) {
        QTextCursor at(view.document());
        at.setPosition(position);
        const QRect place = view.cursorRect(at);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, place.center() + QPoint(2, 0));
    };
    clickAt(int(QStringLiteral("go to www.ty").size()));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0][0].toString(), QStringLiteral("http://www.typed.example"));
    clickAt(1); // plain words open nothing
    EXPECT_EQ(opened.size(), 1);
}

} // namespace
} // namespace vantrel::ui
