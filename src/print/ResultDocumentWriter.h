#pragma once

#include "print/PageColours.h"
#include "print/RowDecoration.h"
#include "rows/KindPresenter.h"
#include "rtf/RtfDocument.h"

#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <optional>
#include <vector>

class QTextDocument;

namespace vantrel::output {

// Lays fragments into a text document as the Results window shows them: paragraphs as text blocks, and
// each table row as one block whose cells sit at tab stops on the cells' edges, with a RowDecoration
// that carries the cells' backgrounds and borders for RowPainter. The window and the printed pages are
// made by this one writer, so a page looks like the window.
class ResultDocumentWriter {
public:
    // Sets up the document's font and direction; cell edges are scaled for a device of dpiX dots per
    // inch, or wider where the font in use needs it.
    ResultDocumentWriter(QTextDocument& document, double dpiX);

    // Appends a fragment's blocks at the end in the insertion format its kind sets; the fragment's own
    // formatting goes over it.
    void append(const RtfDocument& fragment, const CharFormat& kindFormat);

    // The colours of the page the document is shown on; appends from now on are in them.
    void setPageColours(const PageColours& colours);
    const PageColours& pageColours() const { return m_colours; }

    // The cursor at the document's end, which the writer moves; for grouping appends into one edit.
    QTextCursor& end() { return m_end; }
    // After the document was cleared: start again at its beginning.
    void restart();

    // Pixels for a cell edge in twips (1/1440 inch).
    int twipsToPixels(int twips) const;
    double pixelsPerTwip() const { return m_pixelsPerTwip; }
    // Pixels for a border width in twips: at least one for any border.
    int borderPixels(int twips) const;

private:
    // A table row's block format and cell decorations, made once for each distinct cell geometry: rows
    // of one table share them, and a shared format is found in the document's formats at once.
    struct RowLayout {
        std::vector<TableCell> shape; // the cells' edges, backgrounds and borders, without text
        QTextBlockFormat format;
        std::vector<CellDecoration> cells;
    };

    // The format of a run with a look of its own, made once for each look while the kind stays.
    struct RunFormat {
        TextRun look; // without text
        QTextCharFormat format;
    };

    void setInsertionFormat(const CharFormat& kindFormat);
    const RowLayout& layoutOf(const TableRow& row);
    RowLayout makeLayout(const TableRow& row) const;
    void appendParagraph(const Paragraph& paragraph);
    void appendRow(const TableRow& row);
    void insertRuns(const std::vector<TextRun>& runs);
    void insertText(QStringView text, const QTextCharFormat& format);
    void flushText();
    void insertBlock();
    // The block the cursor is in, a new one when it has text or is a table row's.
    QTextBlock startNewBlockIfUsed();
    QTextCharFormat formatOf(const TextRun& run);
    QTextCharFormat makeFormat(const TextRun& run) const;

    QTextDocument& m_document;
    double m_dpiX;
    double m_pixelsPerTwip;
    PageColours m_colours;
    QTextCharFormat m_insertion; // the insertion point's format, which kinds change
    QTextCharFormat m_cellGap;   // the insertion format without a background, between a row's cells
    std::optional<CharFormat> m_kindFormat; // the kind format m_insertion was made for
    std::vector<RowLayout> m_rowLayouts;
    std::vector<RunFormat> m_runFormats; // for the insertion format in use
    QTextCursor m_end;
    QString m_pendingText; // text of one format waiting to go in
    QTextCharFormat m_pendingFormat;
};

} // namespace vantrel::output
