#include "ui/ResultsTextView.h"

#include "ui/FrameThrottle.h"
#include "ui/RowDecoration.h"
#include "ui/SelectionRtf.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBlockUserData>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QUrl>
#include <cmath>
#include <malloc.h>
#include <vector>

namespace vantrel::ui {

namespace {

constexpr int kCellPaddingPx = 4;

QColor toColor(const output::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The heap keeps what was freed for later; a large text taken out is given back to the system.
void returnFreedMemory() {
    ::malloc_trim(0);
}

// Text that looks like a link, as a rich-text control detects it by itself.
const QRegularExpression& urlPattern() {
    static const QRegularExpression pattern(QStringLiteral(R"((?:https?://|mailto:)[^\s<>"{}\\]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

} // namespace

ResultsTextView::ResultsTextView(QWidget* parent)
    : QTextEdit(parent) {
    setAcceptRichText(true);
    setLineWrapMode(QTextEdit::NoWrap);
    setMouseTracking(true);
    QFont font(QStringLiteral("Trebuchet MS"));
    font.setPointSize(10);
    document()->setDefaultFont(font);
    // Every paragraph runs left to right, so laying one out does not read its text to find out.
    QTextOption option = document()->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    document()->setDefaultTextOption(option);
    m_insertion.setFont(font);
    // Columns are as wide as their twips on this screen, or wider where the font in use (another than the
    // one the widths were made for) needs it: about ten bold characters to a thousand twips.
    QFont bold = font;
    bold.setBold(true);
    m_pixelsPerTwip = std::max(logicalDpiX() / 1440.0, QFontMetricsF(bold).averageCharWidth() * 1.15 / 100.0);
    m_insertion.setForeground(Qt::black);
    m_end = QTextCursor(document());
    m_frame.setSingleShot(true);
    m_frame.setInterval(FrameThrottle::kFrameMs);
    connect(&m_frame, &QTimer::timeout, this, &ResultsTextView::endFrame);
    // The results are black (or coloured) text on white whatever the application look: a dark look
    // darkens the frame, never the page.
    QPalette page = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        page.setColor(group, QPalette::Base, Qt::white);
        page.setColor(group, QPalette::Text, Qt::black);
    }
    setPalette(page);
}

ResultsTextView::~ResultsTextView() {
    // The frame's edit ends unseen: nothing is left to tell about it.
    if (m_frameOpen) {
        document()->blockSignals(true);
        m_end.endEditBlock();
    }
}

int ResultsTextView::twipsToPixels(int twips) const {
    return int(std::lround(twips * m_pixelsPerTwip));
}

int ResultsTextView::borderPixels(int twips) const {
    return twips > 0 ? std::max(1, twips * logicalDpiX() / 1440) : 0;
}

qint64 ResultsTextView::textSizeBytes() const {
    // Every block ends in one separator; the document's last one is not text.
    return qint64(document()->characterCount() - 1) * 2;
}

bool ResultsTextView::isOpenableLink(const QString& href) {
    const QString scheme = QUrl(href.trimmed()).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

void ResultsTextView::appendDocument(const output::RtfDocument& fragment,
                                     const output::CharFormat& kindFormat) {
    m_insertion.setForeground(toColor(kindFormat.text));
    m_insertion.setFontWeight(kindFormat.bold ? QFont::Bold : QFont::Normal);
    if (kindFormat.background == output::colors::kWhite)
        m_insertion.clearBackground();
    else
        m_insertion.setBackground(toColor(kindFormat.background));
    if (!m_frameOpen)
        openFrame();
    m_end.movePosition(QTextCursor::End);
    for (const output::RtfBlock& block : fragment.blocks) {
        if (const auto* paragraph = std::get_if<output::Paragraph>(&block))
            appendParagraph(*paragraph);
        else
            appendRow(std::get<output::TableRow>(block));
    }
    flushText();
}

void ResultsTextView::openFrame() {
    QScrollBar* scroll = verticalScrollBar();
    m_followEnd = scroll->value() >= scroll->maximum() - 4;
    // An append discards the undo history: Undo reaches back only to edits made since. Text that was
    // cleared and kept only for Undo goes now.
    document()->setUndoRedoEnabled(false);
    if (document()->isEmpty() && m_textHeldForUndo) {
        document()->clear();
        m_end = QTextCursor(document());
        returnFreedMemory();
    }
    m_textHeldForUndo = false;
    // The frame's appends are one edit of the document: its text is there at once, and it is laid out
    // and painted once, when the frame ends.
    m_end.beginEditBlock();
    m_frameOpen = true;
    m_frame.start();
}

void ResultsTextView::endFrame() {
    if (!m_frameOpen)
        return;
    m_frameOpen = false;
    m_frame.stop();
    m_end.endEditBlock();
    document()->setUndoRedoEnabled(true);
    if (m_followEnd)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ResultsTextView::insertBlock() {
    flushText();
    m_end.insertBlock(QTextBlockFormat(), m_insertion);
}

void ResultsTextView::startNewBlockIfUsed() {
    flushText();
    if (m_end.block().length() > 1 || m_end.block().userData())
        insertBlock();
}

void ResultsTextView::appendParagraph(const output::Paragraph& paragraph) {
    flushText();
    // Text of an ended paragraph that follows a table row goes below it, as a new paragraph.
    if (m_end.block().userData())
        insertBlock();
    insertRuns(paragraph.runs);
    if (paragraph.ended)
        insertBlock();
}

void ResultsTextView::appendRow(const output::TableRow& row) {
    startNewBlockIfUsed();
    auto decoration = std::make_unique<RowDecoration>();
    QTextBlockFormat format;
    QList<QTextOption::Tab> tabs;
    int left = 0;
    for (const output::TableCell& cell : row.cells) {
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
    for (const output::TableCell& cell : row.cells) {
        if (!first)
            insertText(QStringLiteral("\t"), cellGapFormat);
        first = false;
        insertRuns(cell.runs);
    }
    insertBlock();
}

QTextCharFormat ResultsTextView::formatOf(const output::TextRun& run) const {
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

void ResultsTextView::insertRuns(const std::vector<output::TextRun>& runs) {
    for (const output::TextRun& run : runs) {
        const QTextCharFormat format = formatOf(run);
        if (!run.link.isEmpty()) {
            insertText(run.text, format);
            continue;
        }
        // URLs in plain text become links of their own.
        qsizetype at = 0;
        auto matches = urlPattern().globalMatch(run.text);
        while (matches.hasNext()) {
            const QRegularExpressionMatch match = matches.next();
            insertText(run.text.mid(at, match.capturedStart() - at), format);
            QTextCharFormat link = format;
            link.setAnchor(true);
            link.setAnchorHref(match.captured());
            link.setFontUnderline(true);
            link.setForeground(QColor(0, 0, 255));
            insertText(match.captured(), link);
            at = match.capturedEnd();
        }
        insertText(run.text.mid(at), format);
    }
}

void ResultsTextView::insertText(const QString& text, const QTextCharFormat& format) {
    if (text.isEmpty())
        return;
    // Text in one format goes in with one insertion: a plain row is a single one.
    if (!m_pendingText.isEmpty() && format != m_pendingFormat)
        flushText();
    if (m_pendingText.isEmpty())
        m_pendingFormat = format;
    m_pendingText += text;
}

void ResultsTextView::flushText() {
    if (m_pendingText.isEmpty())
        return;
    // A line break inside a cell or paragraph stays inside its block.
    m_pendingText.replace(QLatin1Char('\n'), QChar::LineSeparator);
    m_end.insertText(m_pendingText, m_pendingFormat);
    m_pendingText.clear();
}

void ResultsTextView::clearAll() {
    endFrame();
    selectAll();
    textCursor().removeSelectedText();
    m_textHeldForUndo = true;
}

void ResultsTextView::purge() {
    endFrame();
    selectAll();
    QApplication::clipboard()->setMimeData(createMimeDataFromSelection());
    // What is purged is on the clipboard, not kept for Undo: the document starts afresh.
    document()->clear();
    m_end = QTextCursor(document());
    returnFreedMemory();
}

void ResultsTextView::keyPressEvent(QKeyEvent* event) {
    endFrame();
    QTextEdit::keyPressEvent(event);
}

void ResultsTextView::inputMethodEvent(QInputMethodEvent* event) {
    endFrame();
    QTextEdit::inputMethodEvent(event);
}

void ResultsTextView::insertFromMimeData(const QMimeData* source) {
    endFrame();
    QTextEdit::insertFromMimeData(source);
}

QMimeData* ResultsTextView::createMimeDataFromSelection() const {
    QStringList lines = textCursor().selection().toPlainText().split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (!line.contains(QLatin1Char('\t')))
            continue;
        QStringList cells = line.split(QLatin1Char('\t'));
        for (QString& cell : cells)
            cell = cell.trimmed();
        line = cells.join(QLatin1Char('\t'));
    }
    auto* data = new QMimeData;
    data->setText(lines.join(QLatin1Char('\n')));
    const QByteArray rtf = selectionRtf(textCursor(), 1.0 / m_pixelsPerTwip);
    data->setData(QStringLiteral("text/rtf"), rtf);
    data->setData(QStringLiteral("application/rtf"), rtf);
    return data;
}

void ResultsTextView::paintEvent(QPaintEvent* event) {
    // Cell backgrounds go behind the text, borders over it, so no text shading hides a border.
    paintRowDecorations(DecorationLayer::Backgrounds);
    QTextEdit::paintEvent(event);
    paintRowDecorations(DecorationLayer::Borders);
}

void ResultsTextView::paintRowDecorations(DecorationLayer layer) {
    QPainter painter(viewport());
    const int dx = -horizontalScrollBar()->value();
    const int dy = -verticalScrollBar()->value();
    const int height = viewport()->height();
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    for (QTextBlock block = cursorForPosition(QPoint(0, 0)).block(); block.isValid(); block = block.next()) {
        const QRectF rect = layout->blockBoundingRect(block).translated(dx, dy);
        if (rect.top() > height)
            break;
        const auto* decoration = dynamic_cast<const RowDecoration*>(block.userData());
        if (!decoration)
            continue;
        const int top = int(rect.top());
        const int bottom = int(rect.bottom());
        const int x0 = int(rect.left());
        for (const CellDecoration& cell : decoration->cells) {
            const QRect area(x0 + cell.left, top, cell.right - cell.left, bottom - top);
            if (layer == DecorationLayer::Backgrounds) {
                if (cell.background)
                    painter.fillRect(area, *cell.background);
                continue;
            }
            auto edge = [&](int width, QRect line) {
                if (width > 0)
                    painter.fillRect(line, Qt::black);
            };
            edge(cell.borders.left, QRect(area.left(), area.top(), cell.borders.left, area.height()));
            edge(cell.borders.right,
                 QRect(area.right() - cell.borders.right + 1, area.top(), cell.borders.right, area.height()));
            edge(cell.borders.top, QRect(area.left(), area.top(), area.width(), cell.borders.top));
            edge(cell.borders.bottom, QRect(area.left(), area.bottom() - cell.borders.bottom + 1,
                                            area.width(), cell.borders.bottom));
        }
    }
}

void ResultsTextView::mouseMoveEvent(QMouseEvent* event) {
    viewport()->setCursor(anchorAt(event->pos()).isEmpty() ? Qt::IBeamCursor : Qt::PointingHandCursor);
    QTextEdit::mouseMoveEvent(event);
}

void ResultsTextView::mouseReleaseEvent(QMouseEvent* event) {
    QTextEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || textCursor().hasSelection())
        return;
    const QString href = anchorAt(event->pos());
    if (!href.isEmpty() && isOpenableLink(href))
        Q_EMIT linkActivated(href);
}

} // namespace vantrel::ui
