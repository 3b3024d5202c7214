#include "ui/ResultsDocumentLayout.h"

#include "print/RowDecoration.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace vantrel::ui {

namespace {

// Wider than any line, so a line never breaks before its end.
constexpr double kUnboundedLineWidth = 1e7;
// Blocks that keep their shaped text for the next paint: a few screens' worth. Shaping a line again
// costs several times more than drawing it.
constexpr std::size_t kShapedBlocks = 256;

// Where a block's lines start: its margin and indent, and the first line's own indent.
double lineStart(const QTextBlockFormat& format, const QTextDocument& document, bool firstLine) {
    return format.leftMargin() + format.indent() * document.indentWidth() +
           (firstLine ? format.textIndent() : 0);
}

} // namespace

ResultsDocumentLayout::ResultsDocumentLayout(QTextDocument* document)
    : QAbstractTextDocumentLayout(document) {
    documentChanged(0, 0, document->characterCount());
}

ResultsDocumentLayout::Placement ResultsDocumentLayout::place(const QTextBlock& block,
                                                              const Placement* above) const {
    const QTextBlockFormat format = block.blockFormat();
    // The line height of the tallest font in the block, as the stock layout rounds it; an empty block has
    // the height of its own character format's font.
    double ascent = 0;
    double descent = 0;
    const auto measure = [&](int formatIndex, const auto& charFormat) {
        if (formatIndex < 0)
            return;
        if (std::size_t(formatIndex) >= m_formatHeights.size())
            m_formatHeights.resize(std::size_t(formatIndex) + 1, {-1.0, -1.0});
        auto& metrics = m_formatHeights[std::size_t(formatIndex)];
        if (metrics.first < 0) {
            const QFont font = charFormat().font();
            const QFontMetricsF measured =
                paintDevice() ? QFontMetricsF(font, paintDevice()) : QFontMetricsF(font);
            metrics = {measured.ascent(), measured.descent()};
        }
        ascent = std::max(ascent, metrics.first);
        descent = std::max(descent, metrics.second);
    };
    bool empty = true;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        empty = false;
        measure(fragment.charFormatIndex(), [&fragment] { return fragment.charFormat(); });
    }
    if (empty)
        measure(block.charFormatIndex(), [&block] { return block.charFormat(); });

    const QString text = block.text();
    const auto lines = 1 + text.count(QChar::LineSeparator);
    Placement placement;
    placement.height = double(lines) * std::ceil(ascent + descent);
    placement.bottomMargin = format.bottomMargin();
    // Neighbouring margins overlap; the first block's top margin is within the document's own.
    placement.top = above ? above->top + above->height + std::max(above->bottomMargin, format.topMargin())
                          : document()->documentMargin();

    // The width as far as it is known without laying the text out: a row's cells, a line's characters.
    double width = lineStart(format, *document(), true);
    if (const auto* row = dynamic_cast<const output::RowDecoration*>(block.userData());
        row && !row->cells.empty())
        width += row->cells.back().right;
    else if (!text.isEmpty())
        width += QFontMetricsF(block.charFormat().font()).averageCharWidth() * double(text.size());
    widen(document()->documentMargin() + width);
    return placement;
}

void ResultsDocumentLayout::widen(double width) const {
    m_width = std::max(m_width, width);
}

QTextLayout* ResultsDocumentLayout::laidOut(const QTextBlock& block) const {
    QTextLayout* layout = block.layout();
    const auto number = std::size_t(block.blockNumber());
    if (number >= m_placements.size())
        return layout;
    Placement& placement = m_placements[number];
    layout->setPosition(QPointF(document()->documentMargin(), placement.top));
    if (placement.laidOut)
        return layout;
    placement.laidOut = true;
    keepShaped(block);

    const QTextBlockFormat format = block.blockFormat();
    QTextOption option = document()->defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabs(format.tabPositions());
    layout->setTextOption(option);
    const int expectedLines = std::max(1, int(block.text().count(QChar::LineSeparator)) + 1);
    const double lineHeight = placement.height / expectedLines;
    double widest = 0;
    layout->beginLayout();
    for (int index = 0;; ++index) {
        QTextLine line = layout->createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(kUnboundedLineWidth);
        const double x = lineStart(format, *document(), index == 0);
        line.setPosition(QPointF(x, index * lineHeight));
        widest = std::max(widest, x + line.naturalTextWidth());
    }
    layout->endLayout();
    ++m_laidOut;
    if (m_width < document()->documentMargin() + widest) {
        widen(document()->documentMargin() + widest);
        // Told after the paint or hit that found it, so the scroll bars follow.
        QMetaObject::invokeMethod(
            const_cast<ResultsDocumentLayout*>(this),
            [this] { Q_EMIT const_cast<ResultsDocumentLayout*>(this)->documentSizeChanged(documentSize()); },
            Qt::QueuedConnection);
    }
    return layout;
}

void ResultsDocumentLayout::keepShaped(const QTextBlock& block) const {
    block.layout()->setCacheEnabled(true);
    m_shaped.push_back(block.blockNumber());
    if (m_shaped.size() > kShapedBlocks) {
        release(m_shaped.front());
        m_shaped.pop_front();
    }
}

void ResultsDocumentLayout::release(int number) const {
    const QTextBlock block = document()->findBlockByNumber(number);
    if (!block.isValid())
        return;
    // A layout without its cache frees its shaped text when a layout ends; an empty one ends at once.
    QTextLayout* layout = block.layout();
    layout->setCacheEnabled(false);
    layout->beginLayout();
    layout->endLayout();
    if (std::size_t(number) < m_placements.size())
        m_placements[std::size_t(number)].laidOut = false;
}

double ResultsDocumentLayout::contentBottom() const {
    if (m_placements.empty())
        return document()->documentMargin();
    const Placement& last = m_placements.back();
    return last.top + last.height + last.bottomMargin;
}

QSizeF ResultsDocumentLayout::documentSize() const {
    const double margin = document()->documentMargin();
    return {m_width + margin, contentBottom() + margin};
}

QRectF ResultsDocumentLayout::frameBoundingRect(QTextFrame*) const {
    return {QPointF(0, 0), documentSize()};
}

QRectF ResultsDocumentLayout::blockBoundingRect(const QTextBlock& block) const {
    if (!block.isValid() || std::size_t(block.blockNumber()) >= m_placements.size())
        return {};
    const QTextLayout* layout = laidOut(block);
    const Placement& placement = m_placements[std::size_t(block.blockNumber())];
    return {layout->position().x(), placement.top, layout->boundingRect().right(), placement.height};
}

int ResultsDocumentLayout::blockNumberAt(double y) const {
    // The last block whose top is at or above y.
    const auto after =
        std::upper_bound(m_placements.begin(), m_placements.end(), y,
                         [](double at, const Placement& placement) { return at < placement.top; });
    return std::max(0, int(after - m_placements.begin()) - 1);
}

int ResultsDocumentLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const {
    if (m_placements.empty())
        return -1;
    const int number = blockNumberAt(point.y());
    const QTextBlock block = document()->findBlockByNumber(number);
    if (!block.isValid())
        return -1;
    const Placement& placement = m_placements[std::size_t(number)];
    const bool exact = accuracy == Qt::ExactHit;
    if (exact && (point.y() < placement.top || point.y() >= placement.top + placement.height))
        return -1;
    const QTextLayout* layout = laidOut(block);
    const QPointF local = point - layout->position();
    QTextLine line;
    for (int index = 0; index < layout->lineCount(); ++index) {
        line = layout->lineAt(index);
        if (local.y() < line.y() + line.height())
            break;
    }
    if (!line.isValid())
        return exact ? -1 : block.position();
    if (exact && (local.x() < line.x() || local.x() > line.x() + line.naturalTextWidth()))
        return -1;
    // An exact hit names the character under the point; any other the nearest gap between two.
    return block.position() + line.xToCursor(local.x(), exact ? QTextLine::CursorOnCharacter
                                                              : QTextLine::CursorBetweenCharacters);
}

void ResultsDocumentLayout::draw(QPainter* painter, const PaintContext& context) {
    if (m_placements.empty())
        return;
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(QPointF(0, 0), documentSize());
    const int cursorWidth = property("cursorWidth").isValid() ? property("cursorWidth").toInt() : 1;
    painter->save();
    painter->setPen(context.palette.color(QPalette::Text));
    for (QTextBlock block = document()->findBlockByNumber(blockNumberAt(clip.top()));
         block.isValid() && std::size_t(block.blockNumber()) < m_placements.size(); block = block.next()) {
        const Placement& placement = m_placements[std::size_t(block.blockNumber())];
        if (placement.top > clip.bottom())
            break;
        QTextLayout* layout = laidOut(block);
        const int start = block.position();
        const int textEnd = start + block.length() - 1;
        QList<QTextLayout::FormatRange> selections;
        for (const Selection& selection : context.selections) {
            const int from = std::max(selection.cursor.selectionStart(), start);
            // A selection that runs on past the block's end takes its separator too.
            const int to = std::min(selection.cursor.selectionEnd(), textEnd + 1);
            if (from < to)
                selections.append({from - start, to - from, selection.format});
        }
        layout->draw(painter, QPointF(), selections, clip);
        if (context.cursorPosition >= start && context.cursorPosition <= textEnd)
            layout->drawCursor(painter, QPointF(), context.cursorPosition - start, cursorWidth);
    }
    painter->restore();
}

void ResultsDocumentLayout::documentChanged(int from, int charsRemoved, int charsAdded) {
    QTextDocument* doc = document();
    // The page's width changing (the window resized) comes as a change of everything with nothing
    // removed; lines here never wrap, so only a new font or margin needs the blocks placed anew.
    const bool fontOrMarginChanged = doc->defaultFont() != m_font || doc->documentMargin() != m_margin;
    if (from == 0 && charsRemoved == 0 && charsAdded == doc->characterCount() && !fontOrMarginChanged &&
        m_characters == doc->characterCount() && m_placements.size() == std::size_t(doc->blockCount()))
        return;
    m_characters = doc->characterCount();

    QTextBlock block = doc->findBlock(from);
    if (!block.isValid())
        block = doc->lastBlock();
    std::size_t first = std::min(std::size_t(std::max(0, block.blockNumber())), m_placements.size());
    if (fontOrMarginChanged) {
        m_font = doc->defaultFont();
        m_margin = doc->documentMargin();
        first = 0;
    }
    // Blocks from the first changed one on are laid out again when they are needed; their shaped text
    // goes now. A document made anew has none of the old blocks left.
    std::erase_if(m_shaped, [&](int number) {
        if (std::size_t(number) < first)
            return false;
        if (first > 0)
            release(number);
        return true;
    });
    if (first == 0) {
        // Formats may have been made anew (the document was cleared): their heights are measured again.
        m_formatHeights.clear();
        m_width = 0;
        m_laidOut = 0;
    }
    m_placements.resize(first);
    block = doc->findBlockByNumber(int(first));
    for (; block.isValid(); block = block.next())
        m_placements.push_back(place(block, m_placements.empty() ? nullptr : &m_placements.back()));

    const double changedTop = first < m_placements.size() ? m_placements[first].top : contentBottom();
    if (m_held)
        m_heldTop = std::min(changedTop, m_heldTop.value_or(changedTop));
    else
        announce(changedTop);
}

void ResultsDocumentLayout::releaseChanges() {
    m_held = false;
    if (m_heldTop)
        announce(*std::exchange(m_heldTop, std::nullopt));
}

void ResultsDocumentLayout::announce(double changedTop) {
    Q_EMIT documentSizeChanged(documentSize());
    Q_EMIT update(QRectF(0., changedTop - 2, 1e9, 1e9));
}

} // namespace vantrel::ui
