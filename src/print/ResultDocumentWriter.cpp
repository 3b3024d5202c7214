#include "print/ResultDocumentWriter.h"

#include "print/RowDecoration.h"
#include "text/TextLinks.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <memory>

namespace vantrel::output {

namespace {

constexpr int kCellPaddingPx = 4;

// The document finds a format among its own by the format's hash, which the format's shared data works
// out once and keeps. The document inserts a copy of the format it is given, so the hash of a format kept
// for many insertions is worked out here, before the copies: comparing it with another does that.
void keepHash(const QTextFormat& format) {
    QTextFormat other(format.type());
    other.setProperty(QTextFormat::UserProperty, true);
    [[maybe_unused]] const bool same = format == other;
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
    m_insertion.setForeground(m_colours.ink());
    // Columns are as wide as their twips on this device, or wider where the font in use (another than the
    // one the widths were made for) needs it: about ten bold characters to a thousand twips.
    QFont bold = font;
    bold.setBold(true);
    m_pixelsPerTwip = std::max(dpiX / 1440.0, QFontMetricsF(bold).averageCharWidth() * 1.15 / 100.0);
    m_end = QTextCursor(&m_document);
}

void ResultDocumentWriter::setPageColours(const PageColours& colours) {
    if (colours == m_colours)
        return;
    m_colours = colours;
    // What was made for the old colours is made again as it is needed.
    m_kindFormat.reset();
    m_rowLayouts.clear();
    m_runFormats.clear();
    m_insertion.setForeground(m_colours.ink());
    m_insertion.clearBackground();
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
    setInsertionFormat(kindFormat);
    // The cursor stays at the end between appends; moving it there lays its block out.
    if (!m_end.atEnd() || m_end.hasSelection())
        m_end.movePosition(QTextCursor::End);
    for (const RtfBlock& block : fragment.blocks) {
        if (const auto* paragraph = std::get_if<Paragraph>(&block))
            appendParagraph(*paragraph);
        else
            appendRow(std::get<TableRow>(block));
    }
    flushText();
}

void ResultDocumentWriter::setInsertionFormat(const CharFormat& kindFormat) {
    // Formats kept from one append to the next keep their hash, so the document finds them at once.
    if (m_kindFormat == kindFormat)
        return;
    m_kindFormat = kindFormat;
    m_insertion.setForeground(m_colours.text(kindFormat.text));
    m_insertion.setFontWeight(kindFormat.bold ? QFont::Bold : QFont::Normal);
    if (kindFormat.background == colors::kWhite)
        m_insertion.clearBackground();
    else
        m_insertion.setBackground(m_colours.fill(kindFormat.background));
    // A background of the insertion format shades the cells' text, as a highlight; the gaps between
    // cells stay clear so the row still reads as cells.
    m_cellGap = m_insertion;
    if (m_cellGap.hasProperty(QTextFormat::BackgroundBrush))
        m_cellGap.clearBackground();
    keepHash(m_insertion);
    keepHash(m_cellGap);
    m_runFormats.clear();
}

void ResultDocumentWriter::insertBlock() {
    flushText();
    m_end.insertBlock(QTextBlockFormat(), m_insertion);
}

QTextBlock ResultDocumentWriter::startNewBlockIfUsed() {
    flushText();
    const QTextBlock block = m_end.block();
    if (block.length() == 1 && !block.userData())
        return block;
    insertBlock();
    return m_end.block();
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

ResultDocumentWriter::RowLayout ResultDocumentWriter::makeLayout(const TableRow& row) const {
    RowLayout layout;
    QList<QTextOption::Tab> tabs;
    int left = 0;
    for (const TableCell& cell : row.cells) {
        layout.shape.push_back({cell.rightEdge, cell.background, cell.borders, {}});
        const int right = std::max(left, twipsToPixels(cell.rightEdge));
        CellDecoration painted{left,
                               right,
                               std::nullopt,
                               {borderPixels(cell.borders.left), borderPixels(cell.borders.top),
                                borderPixels(cell.borders.right), borderPixels(cell.borders.bottom)}};
        if (cell.background)
            painted.background = m_colours.fill(*cell.background);
        if (left > 0)
            tabs.append(QTextOption::Tab(left + kCellPaddingPx, QTextOption::LeftTab));
        layout.cells.push_back(painted);
        left = right;
    }
    layout.format.setTabPositions(tabs);
    layout.format.setLeftMargin(kCellPaddingPx);
    layout.format.setTopMargin(1);
    layout.format.setBottomMargin(1);
    return layout;
}

const ResultDocumentWriter::RowLayout& ResultDocumentWriter::layoutOf(const TableRow& row) {
    const auto sameShape = [&](const RowLayout& layout) {
        return std::equal(layout.shape.begin(), layout.shape.end(), row.cells.begin(), row.cells.end(),
                          [](const TableCell& kept, const TableCell& cell) {
                              return kept.rightEdge == cell.rightEdge && kept.background == cell.background &&
                                     kept.borders == cell.borders;
                          });
    };
    const auto found = std::find_if(m_rowLayouts.begin(), m_rowLayouts.end(), sameShape);
    if (found != m_rowLayouts.end())
        return *found;
    // The program's tables have a few dozen shapes; rows from outside could have any number.
    constexpr std::size_t kMaxLayouts = 64;
    if (m_rowLayouts.size() == kMaxLayouts)
        m_rowLayouts.erase(m_rowLayouts.begin());
    m_rowLayouts.push_back(makeLayout(row));
    return m_rowLayouts.back();
}

void ResultDocumentWriter::appendRow(const TableRow& row) {
    QTextBlock block = startNewBlockIfUsed();
    const RowLayout& layout = layoutOf(row);
    auto decoration = std::make_unique<RowDecoration>();
    decoration->cells = layout.cells;
    m_end.setBlockFormat(layout.format);
    block.setUserData(decoration.release());

    bool first = true;
    for (const TableCell& cell : row.cells) {
        if (!first)
            insertText(u"\t", m_cellGap);
        first = false;
        insertRuns(cell.runs);
    }
    insertBlock();
}

QTextCharFormat ResultDocumentWriter::formatOf(const TextRun& run) {
    if (!run.bold && !run.underline && !run.color && run.link.isEmpty())
        return m_insertion;
    const auto found = std::find_if(m_runFormats.begin(), m_runFormats.end(),
                                    [&](const RunFormat& kept) { return kept.look.sameFormat(run); });
    if (found != m_runFormats.end())
        return found->format;
    // Rows bring a few looks of their own (bold headers, coloured cells, links); text from outside could
    // bring any number.
    constexpr std::size_t kMaxRunFormats = 32;
    if (m_runFormats.size() == kMaxRunFormats)
        m_runFormats.erase(m_runFormats.begin());
    const QTextCharFormat format = makeFormat(run);
    keepHash(format);
    m_runFormats.push_back({TextRun{{}, run.bold, run.underline, run.color, run.link}, format});
    return format;
}

QTextCharFormat ResultDocumentWriter::makeFormat(const TextRun& run) const {
    QTextCharFormat format = m_insertion;
    if (run.bold)
        format.setFontWeight(QFont::Bold);
    if (run.underline)
        format.setFontUnderline(true);
    if (run.color)
        format.setForeground(m_colours.text(*run.color));
    if (!run.link.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(run.link.trimmed());
        format.setFontUnderline(true);
        if (!run.color)
            format.setForeground(m_colours.text(colors::kBlue));
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
        const QStringView text(run.text);
        for (const TextLink& found : findTextLinks(run.text)) {
            insertText(text.mid(at, found.start - at), format);
            QTextCharFormat link = format;
            link.setAnchor(true);
            link.setAnchorHref(found.href);
            link.setFontUnderline(true);
            link.setForeground(m_colours.text(colors::kBlue));
            insertText(text.mid(found.start, found.length), link);
            at = found.start + found.length;
        }
        insertText(text.mid(at), format);
    }
}

void ResultDocumentWriter::insertText(QStringView text, const QTextCharFormat& format) {
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
    m_pendingText.resize(0); // keeps its buffer for the next text
}

} // namespace vantrel::output
