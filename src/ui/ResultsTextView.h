#pragma once

#include "print/ResultDocumentWriter.h"
#include "rows/KindPresenter.h"
#include "rtf/RtfDocument.h"

#include <QTextEdit>
#include <QTimer>
#include <optional>

class QToolButton;

namespace vantrel::ui {

class ResultsDocumentLayout;

// The rich-text control of the Results window. Fragments arrive as parsed documents and are appended
// at the end by a ResultDocumentWriter, with the rows' cell backgrounds and borders painted by the view
// itself. That keeps an append as cheap as appending a line of plain text, however long the text grows.
// Appends are laid out and painted once a frame, however fast they come; their text is there at once.
// Each frame of appends puts the caret behind the last character and scrolls to it, unless the user has
// scrolled away from the end to read: then a "new results below" marker in the corner offers the way back.
// Tab and Shift+Tab leave the window: a tab typed into results is of no use.
// Links (HYPERLINK fields and URLs found in the text) open on a click: http, https and mailto only.
class ResultsTextView : public QTextEdit {
    Q_OBJECT
public:
    explicit ResultsTextView(QWidget* parent = nullptr);
    ~ResultsTextView() override;

    // Appends a fragment's blocks in the insertion format its kind sets; the fragment's own formatting
    // goes over it. The control's undo history is discarded.
    void appendDocument(const output::RtfDocument& document, const output::CharFormat& kindFormat);

    // The plain text's size in bytes of UTF-16, as the window counts it for the purge.
    qint64 textSizeBytes() const;

    // Pixels for a cell edge in twips (1/1440 inch).
    int twipsToPixels(int twips) const;
    // Pixels for a border width in twips: at least one for any border.
    int borderPixels(int twips) const;

    static bool isOpenableLink(const QString& href);

    // The page the rows are shown on: the text shown so far is recoloured, what comes is written so.
    void setPageColours(const output::PageColours& colours);
    const output::PageColours& pageColours() const { return m_writer.pageColours(); }

    // Lays out and paints what was appended in this frame now, before the text is edited otherwise.
    void endFrame();
    // The caret behind the last character, scrolled into view; appends follow the end again.
    void showEnd();
    // Whether the user scrolled away from the end, so appends leave the view where it is.
    bool readingBack() const { return m_readingBack; }
    QToolButton* newResultsMarker() const { return m_newResults; }
    // Clear All: the text goes, and Undo brings it back until the next append.
    void clearAll();
    // The purge: all text goes to the clipboard, as plain text and RTF, and its memory is given back.
    void purge();

Q_SIGNALS:
    // A link was clicked; the receiver opens it.
    void linkActivated(const QString& href);

protected:
    // Copied text is plain text, with rows as tab-separated cells without the blanks that pad them,
    // and RTF with rows as table rows.
    QMimeData* createMimeDataFromSelection() const override;
    // Typing and pasting edit the text laid out so far.
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The web or mail address under a point of typed text; empty where there is none.
    QString typedLinkAt(QPoint pos) const;

    void openFrame();
    // After the user moved the view: away from the end, appends stop following it.
    void userMovedView();
    bool viewAtEnd() const;
    void placeMarker();
    void showPage();
    enum class DecorationLayer { Backgrounds, Borders };
    void paintRowDecorations(DecorationLayer layer);

    output::ResultDocumentWriter m_writer;
    ResultsDocumentLayout* m_layout; // the document's, which owns it
    QTimer m_frame;                  // ends the frame whose appends are being collected
    static constexpr int kGiveBackAfterMs = 1000;
    QTimer m_giveBack; // gives the pages of a cleared text back to the system once rows stop coming
    bool m_frameOpen = false;
    static constexpr int kRowsPerEdit = 128;
    int m_rowsInEdit = 0; // appended in the frame's current edit of the document
    bool m_readingBack = false;
    int m_scrollAtPress = 0;
    QToolButton* m_newResults = nullptr;
    bool m_textHeldForUndo = false; // cleared text that only Undo still holds
};

} // namespace vantrel::ui
