#include "output/ResultDocumentWriter.h"

#include "output/RowDecoration.h"
#include "output/TextLinks.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <memory>

namespace vantrel::output {

namespace {

constexpr int kCellPaddingPx = 4;

QColor toColor(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

ResultDocumentWriter::ResultDocumentWriter(QTextDocument& document, double dpiX)
    : m_document(document)
    , m_dpiX(dpiX) {
    QFont font(QStringLiteral("Trebuchet MS"));
    font.setPointSize(10);
    m_document.setDefaultFont(font);
    // Every paragraph runs left to right, so laying one out does not read its text to find out.
    QTextOption option = m_document.defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    m_document.setDefaultTextOption(option);
    m_insertion.setFont(font);
    m_insertion.setForeground(Qt::black);
    // Columns are as wide as their twips on this device, or wider where the font in use (another than the
    // one the widths were made for) needs it: about ten bold characters to a thousand twips.
    QFont bold = font;
    bold.setBold(true);
    m_pixelsPerTwip = std::max(dpiX / 1440.0, QFontMetricsF(bold).averageCharWidth() * 1.15 / 100.0);
    m_end = QTextCursor(&m_document);
}

void ResultDocumentWriter::restart() {
    m_end = QTextCursor(&m_document);
}

int ResultDocumentWriter::twipsToPixels(int twips) const {
    return int(std::lround(twips * m_pixelsPerTwip));
}

int ResultDocumentWriter::borderPixels(int twips) const {
    return twips > 0 ? std::max(1, int(twips * m_dpiX / 1440)) : 0;
}

void ResultDocumentWriter::append(const RtfDocument& fragment, const CharFormat& kindFormat) {
    m_insertion.setForeground(toColor(kindFormat.text));
    m_insertion.setFontWeight(kindFormat.bold ? QFont::Bold : QFont::Normal);
    if (kindFormat.background == colors::kWhite)
        m_insertion.clearBackground();
    else
        m_insertion.setBackground(toColor(kindFormat.background));
    m_end.movePosition(QTextCursor::End);
    for (const RtfBlock& block : fragment.blocks) {
        if (const auto* paragraph = std::get_if<Paragraph>(&block))
            appendParagraph(*paragraph);
        else
            appendRow(std::get<TableRow>(block));
    }
    flushText();
}

void ResultDocumentWriter::insertBlock() {
    flushText();
    m_end.insertBlock(QTextBlockFormat(), m_insertion);
}

void ResultDocumentWriter::startNewBlockIfUsed() {
    flushText();
    if (m_end.block().length() > 1 || m_end.block().userData())
        insertBlock();
}

void ResultDocumentWriter::appendParagraph(const Paragraph& paragraph) {
    flushText();
    // Text of an ended paragraph that follows a table row goes below it, as a new paragraph.
    if (m_end.block().userData())
        insertBlock();
    insertRuns(paragraph.runs);
    if (paragraph.ended)
        insertBlock();
}

void ResultDocumentWriter::appendRow(const TableRow& row) {
    startNewBlockIfUsed();
    auto decoration = std::make_unique<RowDecoration>();
    QTextBlockFormat format;
    QList<QTextOption::Tab> tabs;
    int left = 0;
    for (const TableCell& cell : row.cells) {
        const int right = std::max(left, twipsToPixels(cell.rightEdge));
        CellDecoration painted{left,
                               right,
                               std::nullopt,
                               {borderPixels(cell.borders.left), borderPixels(cell.borders.top),
                                borderPixels(cell.borders.right), borderPixels(cell.borders.bottom)}};
        if (cell.background)
            painted.background = toColor(*cell.background);
        if (left > 0)
            tabs.append(QTextOption::Tab(left + kCellPaddingPx, QTextOption::LeftTab));
        decoration->cells.push_back(painted);
        left = right;
    }
    format.setTabPositions(tabs);
    format.setLeftMargin(kCellPaddingPx);
    format.setTopMargin(1);
    format.setBottomMargin(1);
    m_end.setBlockFormat(format);
    m_end.block().setUserData(decoration.release());

    // A background of the insertion format shades the cells' text, as a highlight; the gaps between
    // cells stay clear so the row still reads as cells.
    QTextCharFormat cellGapFormat = m_insertion;
    cellGapFormat.clearBackground();
    bool first = true;
    for (const TableCell& cell : row.cells) {
        if (!first)
            insertText(QStringLiteral("\t"), cellGapFormat);
        first = false;
        insertRuns(cell.runs);
    }
    insertBlock();
}

QTextCharFormat ResultDocumentWriter::formatOf(const TextRun& run) const {
    QTextCharFormat format = m_insertion;
    if (run.bold)
        format.setFontWeight(QFont::Bold);
    if (run.underline)
        format.setFontUnderline(true);
    if (run.color)
        format.setForeground(toColor(*run.color));
    if (!run.link.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(run.link.trimmed());
        format.setFontUnderline(true);
        if (!run.color)
            format.setForeground(QColor(0, 0, 255));
    }
    return format;
}

void ResultDocumentWriter::insertRuns(const std::vector<TextRun>& runs) {
    for (const TextRun& run : runs) {
        const QTextCharFormat format = formatOf(run);
        if (!run.link.isEmpty()) {
            insertText(run.text, format);
            continue;
        }
        // URLs in plain text become links of their own.
        qsizetype at = 0;
        for (const TextLink& found : findTextLinks(run.text)) {
            insertText(run.text.mid(at, found.start - at), format);
            QTextCharFormat link = format;
            link.setAnchor(true);
            link.setAnchorHref(found.href);
            link.setFontUnderline(true);
            link.setForeground(QColor(0, 0, 255));
            insertText(run.text.mid(found.start, found.length), link);
            at = found.start + found.length;
        }
        insertText(run.text.mid(at), format);
    }
}

void ResultDocumentWriter::insertText(const QString& text, const QTextCharFormat& format) {
    if (text.isEmpty())
        return;
    // Text in one format goes in with one insertion: a plain row is a single one.
    if (!m_pendingText.isEmpty() && format != m_pendingFormat)
        flushText();
    if (m_pendingText.isEmpty())
        m_pendingFormat = format;
    m_pendingText += text;
}

void ResultDocumentWriter::flushText() {
    if (m_pendingText.isEmpty())
        return;
    // A line break inside a cell or paragraph stays inside its block.
    m_pendingText.replace(QLatin1Char('\n'), QChar::LineSeparator);
    m_end.insertText(m_pendingText, m_pendingFormat);
    m_pendingText.clear();
}

} // namespace vantrel::output
