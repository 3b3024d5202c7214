#include "ui/ResultsTextView.h"

#include "print/RowPainter.h"
#include "text/PaneTexts.h"
#include "text/TextLinks.h"
#include "ui/BandedScrollBar.h"
#include "ui/FrameThrottle.h"
#include "ui/ResultsDocumentLayout.h"
#include "ui/SelectionRtf.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
#include <malloc.h>
#include <utility>

namespace vantrel::ui {

namespace {

// The heap keeps what was freed for later; a large text taken out is given back to the system.
void returnFreedMemory() {
    ::malloc_trim(0);
}

// Blocks of a megabyte or more (the text's buffer, the purge's copies) are mapped apart from the heap and
// go back to the system when freed. Left to itself the allocator raises that limit to the largest block
// freed, and the purge's copies, kept on the clipboard while the next text grows around them, then
// fragment the heap a little more at each purge.
void mapLargeBlocksApart() {
    [[maybe_unused]] static const bool once = ::mallopt(M_MMAP_THRESHOLD, 1 << 20) != 0;
}

// The selection as plain text, with rows as tab-separated cells without the blanks that pad them. It is
// read from the document's own text: a copy of the selection as a document (QTextDocumentFragment) would
// hold the whole text a second time while the purge takes it out.
QString plainTextOf(const QTextCursor& selection) {
    QString text = selection.selectedText();
    for (QChar& c : text) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xfdd0: // the start and end of a frame
        case 0xfdd1:
            c = QLatin1Char('\n');
            break;
        case QChar::Nbsp:
            c = QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    if (!text.contains(QLatin1Char('\t')))
        return text;
    QString plain;
    plain.reserve(text.size());
    bool firstLine = true;
    for (const QStringView line : QStringView(text).tokenize(u'\n')) {
        if (!std::exchange(firstLine, false))
            plain += QLatin1Char('\n');
        if (!line.contains(QLatin1Char('\t'))) {
            plain += line;
            continue;
        }
        bool firstCell = true;
        for (const QStringView cell : line.tokenize(u'\t')) {
            if (!std::exchange(firstCell, false))
                plain += QLatin1Char('\t');
            plain += cell.trimmed();
        }
    }
    return plain;
}

} // namespace

ResultsTextView::ResultsTextView(QWidget* parent)
    : QTextEdit(parent)
    , m_writer(*document(), logicalDpiX())
    , m_layout(new ResultsDocumentLayout(document())) {
    mapLargeBlocksApart();
    // Rows are laid out when they come into view, not when they arrive.
    document()->setDocumentLayout(m_layout);
    setVerticalScrollBar(new BandedScrollBar(Qt::Vertical));
    setHorizontalScrollBar(new BandedScrollBar(Qt::Horizontal));
    setAcceptRichText(true);
    setLineWrapMode(QTextEdit::NoWrap);
    setTabChangesFocus(true);
    setMouseTracking(true);
    m_frame.setSingleShot(true);
    m_frame.setInterval(FrameThrottle::kFrameMs);
    connect(&m_frame, &QTimer::timeout, this, &ResultsTextView::endFrame);
    // Giving freed pages back takes milliseconds: it waits until rows have stopped coming for a while.
    m_giveBack.setSingleShot(true);
    m_giveBack.setInterval(kGiveBackAfterMs);
    connect(&m_giveBack, &QTimer::timeout, this, returnFreedMemory);
    showPage();

    m_newResults = new QToolButton(viewport());
    m_newResults->setObjectName(QStringLiteral("NewResultsBelow"));
    m_newResults->setText(output::text(output::res::kNewResultsBelow));
    m_newResults->setAccessibleName(m_newResults->text());
    m_newResults->setToolTip(output::text(output::res::kNewResultsBelowTip));
    m_newResults->setArrowType(Qt::DownArrow);
    m_newResults->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_newResults->setCursor(Qt::ArrowCursor);
    // Ctrl+End does the same from the keyboard; the marker never takes the focus from the text.
    m_newResults->setFocusPolicy(Qt::NoFocus);
    m_newResults->hide();
    connect(m_newResults, &QToolButton::clicked, this, &ResultsTextView::showEnd);
    // Wheel, scroll bar and its keys: the slider's actions are the user's, never the program's.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { userMovedView(); });
}

ResultsTextView::~ResultsTextView() {
    // The frame's edit ends unseen: nothing is left to tell about it.
    if (m_frameOpen) {
        document()->blockSignals(true);
        m_writer.end().endEditBlock();
    }
}

int ResultsTextView::twipsToPixels(int twips) const {
    return m_writer.twipsToPixels(twips);
}

int ResultsTextView::borderPixels(int twips) const {
    return m_writer.borderPixels(twips);
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
    if (!m_frameOpen)
        openFrame();
    m_writer.append(fragment, kindFormat);
    // A frame's rows are placed a batch at a time as they come, not all at its end, so ending a frame of
    // thousands of rows holds the window no longer than one of a few.
    if (++m_rowsInEdit == kRowsPerEdit) {
        m_writer.end().endEditBlock();
        m_writer.end().beginEditBlock();
        m_rowsInEdit = 0;
    }
}

bool ResultsTextView::viewAtEnd() const {
    // While the slider moves, its position is ahead of its value.
    const QScrollBar* scroll = verticalScrollBar();
    return scroll->sliderPosition() >= scroll->maximum() - 4;
}

void ResultsTextView::userMovedView() {
    m_readingBack = !viewAtEnd();
    if (!m_readingBack)
        m_newResults->hide();
}

void ResultsTextView::showEnd() {
    m_readingBack = false;
    m_newResults->hide();
    // A selection the user made is kept; only a bare caret moves.
    QTextCursor caret = textCursor();
    if (!caret.hasSelection()) {
        caret.movePosition(QTextCursor::End);
        setTextCursor(caret);
    }
    ensureCursorVisible();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ResultsTextView::placeMarker() {
    const QSize size = m_newResults->sizeHint();
    m_newResults->setGeometry(viewport()->width() - size.width() - 4,
                              viewport()->height() - size.height() - 4, size.width(), size.height());
}

void ResultsTextView::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    placeMarker();
}

void ResultsTextView::openFrame() {
    // An append discards the undo history: Undo reaches back only to edits made since. Text that was
    // cleared and kept only for Undo goes now.
    document()->setUndoRedoEnabled(false);
    if (document()->isEmpty() && m_textHeldForUndo) {
        document()->clear();
        m_writer.restart();
        m_giveBack.start();
    }
    m_textHeldForUndo = false;
    // The frame's rows are laid out and painted once, when the frame ends.
    m_layout->holdChanges();
    m_writer.end().beginEditBlock();
    m_rowsInEdit = 0;
    m_frameOpen = true;
    m_frame.start();
}

void ResultsTextView::endFrame() {
    if (!m_frameOpen)
        return;
    m_frameOpen = false;
    m_frame.stop();
    m_writer.end().endEditBlock();
    m_layout->releaseChanges();
    document()->setUndoRedoEnabled(true);
    if (m_giveBack.isActive())
        m_giveBack.start();
    if (!m_readingBack) {
        showEnd();
        return;
    }
    placeMarker();
    m_newResults->show();
    m_newResults->raise();
}

void ResultsTextView::clearAll() {
    endFrame();
    selectAll();
    textCursor().removeSelectedText();
    m_textHeldForUndo = true;
    userMovedView();
}

void ResultsTextView::purge() {
    endFrame();
    selectAll();
    // The last purge's copy goes before this one is made, so that the two are never held at once.
    QApplication::clipboard()->clear();
    QApplication::clipboard()->setMimeData(createMimeDataFromSelection());
    // What is purged is on the clipboard, not kept for Undo: the document starts afresh.
    document()->clear();
    m_writer.restart();
    // At once: under a steady flow of rows the give-back timer would wait for ever, and the purge, a
    // long moment already, has just freed megabytes.
    returnFreedMemory();
    userMovedView();
}

void ResultsTextView::keyPressEvent(QKeyEvent* event) {
    endFrame();
    const int before = verticalScrollBar()->value();
    QTextEdit::keyPressEvent(event);
    // A key that scrolled (Page Up, Ctrl+Home, an arrow) moved the view to where the user reads.
    if (verticalScrollBar()->value() != before)
        userMovedView();
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
    auto* copied = new QMimeData;
    copied->setText(plainTextOf(textCursor()));
    const QByteArray rtf = selectionRtf(textCursor(), 1.0 / m_writer.pixelsPerTwip(), m_writer.pageColours());
    copied->setData(QStringLiteral("text/rtf"), rtf);
    copied->setData(QStringLiteral("application/rtf"), rtf);
    return copied;
}

void ResultsTextView::setPageColours(const output::PageColours& colours) {
    if (colours == m_writer.pageColours())
        return;
    endFrame();
    output::recolour(*document(), m_writer.pageColours(), colours);
    m_writer.setPageColours(colours);
    showPage();
    viewport()->update();
}

void ResultsTextView::showPage() {
    // The page is the rows' own (white, or dark on a dark desktop), whatever the application look does to
    // the frame around it.
    QPalette page = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        page.setColor(group, QPalette::Base, m_writer.pageColours().page());
        page.setColor(group, QPalette::Text, m_writer.pageColours().ink());
    }
    setPalette(page);
}

void ResultsTextView::paintEvent(QPaintEvent* event) {
    // Cell backgrounds go behind the text, borders over it, so no text shading hides a border.
    paintRowDecorations(DecorationLayer::Backgrounds);
    QTextEdit::paintEvent(event);
    paintRowDecorations(DecorationLayer::Borders);
}

void ResultsTextView::paintRowDecorations(DecorationLayer layer) {
    QPainter painter(viewport());
    const QPointF scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    painter.translate(-scroll);
    output::RowPainter::paint(painter, *document(), QRectF(scroll, QSizeF(viewport()->size())),
                              layer == DecorationLayer::Backgrounds ? output::RowPainter::Layer::Backgrounds
                                                                    : output::RowPainter::Layer::Borders,
                              m_writer.pageColours().border());
}

void ResultsTextView::mouseMoveEvent(QMouseEvent* event) {
    const bool onLink = !anchorAt(event->pos()).isEmpty() || !typedLinkAt(event->pos()).isEmpty();
    viewport()->setCursor(onLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
    QTextEdit::mouseMoveEvent(event);
}

void ResultsTextView::mousePressEvent(QMouseEvent* event) {
    m_scrollAtPress = verticalScrollBar()->value();
    QTextEdit::mousePressEvent(event);
}

void ResultsTextView::mouseReleaseEvent(QMouseEvent* event) {
    QTextEdit::mouseReleaseEvent(event);
    // A selection dragged past the edge scrolled the view.
    if (verticalScrollBar()->value() != m_scrollAtPress)
        userMovedView();
    if (event->button() != Qt::LeftButton || textCursor().hasSelection())
        return;
    QString href = anchorAt(event->pos());
    if (href.isEmpty())
        href = typedLinkAt(event->pos());
    if (!href.isEmpty() && isOpenableLink(href))
        Q_EMIT linkActivated(href);
}

QString ResultsTextView::typedLinkAt(QPoint pos) const {
    // Text typed into the window is plain text: an address in it is found where it was clicked.
    const QTextCursor at = cursorForPosition(pos);
    // The cursor stands between two characters: the one clicked is left of it when the click was.
    const qsizetype clicked = at.positionInBlock() - (pos.x() < cursorRect(at).x() ? 1 : 0);
    for (const output::TextLink& link : output::findTextLinks(at.block().text())) {
        if (clicked >= link.start && clicked < link.start + link.length)
            return link.href;
    }
    return {};
}

} // namespace vantrel::ui
