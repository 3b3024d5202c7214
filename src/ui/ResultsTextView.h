#pragma once

#include "output/KindPresenter.h"
#include "output/RtfDocument.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <optional>

namespace vantrel::ui {

// The rich-text control of the Results window. Fragments arrive as parsed documents and are appended
// at the end: paragraphs as text blocks, and each table row as one block whose cells sit at tab stops on
// the cells' edges, with the cells' backgrounds and borders painted by the view itself. That keeps an
// append as cheap as appending a line of plain text, however long the window's text grows.
// Links (HYPERLINK fields and URLs found in the text) open on a click: http, https and mailto only.
class ResultsTextView : public QTextEdit {
    Q_OBJECT
public:
    explicit ResultsTextView(QWidget* parent = nullptr);

    // Appends a fragment's blocks. `kindFormat` is the insertion format its kind sets, or nothing for
    // a kind that leaves the insertion format as it is. The control's undo history is discarded.
    void appendDocument(const output::RtfDocument& document,
                        const std::optional<output::CharFormat>& kindFormat);

    // The plain text's size in bytes of UTF-16, as the window counts it for the purge.
    qint64 textSizeBytes() const;

    // Pixels for a cell edge in twips (1/1440 inch).
    int twipsToPixels(int twips) const;
    // Pixels for a border width in twips: at least one for any border.
    int borderPixels(int twips) const;

    static bool isOpenableLink(const QString& href);

Q_SIGNALS:
    // A link was clicked; the receiver opens it.
    void linkActivated(const QString& href);

protected:
    // Copied rows paste as tab-separated cells without the blanks that pad them.
    QMimeData* createMimeDataFromSelection() const override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void appendParagraph(const output::Paragraph& paragraph);
    void appendRow(const output::TableRow& row);
    void insertRuns(const std::vector<output::TextRun>& runs);
    void insertText(const QString& text, const QTextCharFormat& format);
    void startNewBlockIfUsed();
    enum class DecorationLayer { Backgrounds, Borders };
    void paintRowDecorations(DecorationLayer layer);
    QTextCharFormat formatOf(const output::TextRun& run) const;

    QTextCharFormat m_insertion; // the insertion point's format, which kinds change
    double m_pixelsPerTwip = 96.0 / 1440.0;
    QTextCursor m_end;
};

} // namespace vantrel::ui
