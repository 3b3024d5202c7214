#include "print/ResultPagePrinter.h"

#include "print/RowDecoration.h"
#include "print/RowPainter.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace vantrel::output {

namespace {

// Page layout in twips (1/1440 inch).
constexpr int kSideMarginTwips = 770; // left, top and right
constexpr int kBottomMarginTwips = 1353;
constexpr int kSmallestHeightTwips = 100;

void copyDecoration(const QTextBlock& from, QTextBlock to) {
    const auto* row = dynamic_cast<const RowDecoration*>(from.userData());
    if (!row) {
        to.setUserData(nullptr);
        return;
    }
    auto* copy = new RowDecoration;
    copy->cells = row->cells;
    to.setUserData(copy);
}

// The right edge of the widest table row, in layout pixels; 0 without rows.
double widestRow(const QTextDocument& document) {
    int widest = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (const auto* row = dynamic_cast<const RowDecoration*>(block.userData());
            row && !row->cells.empty())
            widest = std::max(widest, row->cells.back().right);
    }
    return widest;
}

} // namespace

std::unique_ptr<QTextDocument> ResultPagePrinter::copyOf(const QTextDocument& source, int from, int to) {
    std::unique_ptr<QTextDocument> copy(source.clone());
    // The copy has the text and formats; the rows' decorations are the window's own and are copied here.
    for (QTextBlock in = source.begin(), out = copy->begin(); in.isValid() && out.isValid();
         in = in.next(), out = out.next())
        copyDecoration(in, out);
    const int last = copy->characterCount() - 1;
    if (to < 0 || to > last)
        to = last;
    from = std::clamp(from, 0, to);
    if (from == 0 && to == last)
        return copy;
    const QTextBlock startBlock = copy->findBlock(from);
    const QTextBlockFormat startFormat = startBlock.blockFormat();
    QTextCursor cursor(copy.get());
    cursor.setPosition(to);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    // The block that held the first character keeps its look when the text before it goes.
    RowDecoration* kept = nullptr;
    if (const auto* row = dynamic_cast<const RowDecoration*>(startBlock.userData())) {
        kept = new RowDecoration;
        kept->cells = row->cells;
    }
    cursor.setPosition(0);
    cursor.setPosition(from, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.setBlockFormat(startFormat);
    copy->begin().setUserData(kept);
    return copy;
}

std::optional<std::vector<QRectF>> ResultPagePrinter::paginate(const QTextDocument& document, double height) {
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    std::vector<QRectF> pages;
    const double width = document.textWidth();
    double pageTop = 0;
    double pageBottom = 0;
    // Takes the band [top, bottom) onto the page, or onto a new one when the page is full.
    auto place = [&](double top, double bottom) {
        if (bottom - pageTop > height && pageBottom > pageTop) {
            pages.emplace_back(0, pageTop, width, pageBottom - pageTop);
            pageTop = top;
        }
        pageBottom = bottom;
    };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRectF rect = layout->blockBoundingRect(block);
        if (block.userData()) {
            // A row goes onto one page whole.
            if (rect.height() > height)
                return std::nullopt;
            place(rect.top(), rect.bottom());
            continue;
        }
        const QTextLayout* lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const double top = rect.top() + line.y();
            if (line.height() > height)
                return std::nullopt;
            place(top, top + line.height());
        }
    }
    pages.emplace_back(0, pageTop, width, std::max(pageBottom - pageTop, 0.0));
    return pages;
}

ResultPagePrinter::Outcome ResultPagePrinter::print(QTextDocument& document, double layoutDpi,
                                                    QPagedPaintDevice& device, int unprintableTopTwips) {
    const QRectF paper = device.pageLayout().fullRect(QPageLayout::Point);
    const double pageWidth = paper.width() * 20;
    const double bottomLimit = paper.height() * 20 - unprintableTopTwips - kBottomMarginTwips;
    const double printableHeight = bottomLimit - kSideMarginTwips;
    if (printableHeight < kSmallestHeightTwips)
        return Outcome::TooTall;
    const double layoutPerTwip = layoutDpi / 1440.0;

    // Long lines wrap at the page's width, inside words where there is no space.
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setDocumentMargin(0);
    // A table wider than the page (a font wider than the columns were made for, an IPv6 address) is
    // printed smaller, whole, rather than with its last cells wrapped under its first.
    const double textWidth = (pageWidth - 2 * kSideMarginTwips) * layoutPerTwip;
    const double shrink = std::min(1.0, textWidth / std::max(1.0, widestRow(document)));
    document.setTextWidth(textWidth / shrink);
    const std::optional<std::vector<QRectF>> pages =
        paginate(document, printableHeight * layoutPerTwip / shrink);
    if (!pages)
        return Outcome::TooTall;

    QPainter painter;
    if (!painter.begin(&device))
        return Outcome::Failed;
    const double scaleX = device.logicalDpiX() / layoutDpi * shrink;
    const double scaleY = device.logicalDpiY() / layoutDpi * shrink;
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    bool first = true;
    for (const QRectF& band : *pages) {
        if (!first && !device.newPage()) {
            painter.end();
            return Outcome::Failed;
        }
        first = false;
        painter.save();
        painter.translate(kSideMarginTwips * device.logicalDpiX() / 1440.0,
                          kSideMarginTwips * device.logicalDpiY() / 1440.0);
        painter.scale(scaleX, scaleY);
        painter.translate(0, -band.top());
        painter.setClipRect(band);
        context.clip = band;
        RowPainter::paint(painter, document, band, RowPainter::Layer::Backgrounds);
        document.documentLayout()->draw(&painter, context);
        RowPainter::paint(painter, document, band, RowPainter::Layer::Borders);
        painter.restore();
    }
    return painter.end() ? Outcome::Printed : Outcome::Failed;
}

} // namespace vantrel::output
