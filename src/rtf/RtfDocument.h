#pragma once

#include "rtf/ResultKind.h"

#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace vantrel::output {

// What RtfReader makes of the RTF the program writes: a sequence of blocks, each a paragraph or a table
// row, in document order. Front ends draw from it (the GUI as a QTextDocument, the CLI as aligned text).
//
// - Text is Unicode. Inside a run, '\n' is a line break (\line, or \par inside a table cell) and '\t' a
//   tab. Blanks are kept exactly as the RTF holds them (cells usually start with one).
// - A run is text of one format: bold, underlined, a colour (none = the insertion format's colour, for
//   example the one a ResultKind gives), and a link target (empty = no link). Adjacent runs always
//   differ in format.
// - A table row holds its cells left to right. A cell's right edge is in twips (1/1440 inch) from the
//   left margin, so its width is its right edge minus the previous cell's (or 0). Background: none means
//   the insertion format's. Borders are widths in twips, 0 for none.
// - A paragraph's `ended` is false for trailing text that no \par closed: in the Results window such
//   text runs on into whatever is appended next.
struct TextRun {
    QString text;
    bool bold = false;
    bool underline = false;
    std::optional<Rgb> color;
    QString link;

    bool sameFormat(const TextRun& other) const {
        return bold == other.bold && underline == other.underline && color == other.color &&
               link == other.link;
    }
    bool operator==(const TextRun&) const = default;
};

struct Paragraph {
    std::vector<TextRun> runs;
    bool ended = true;

    bool operator==(const Paragraph&) const = default;
};

struct CellBorders {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const CellBorders&) const = default;
};

struct TableCell {
    int rightEdge = 0;
    std::optional<Rgb> background;
    CellBorders borders;
    std::vector<TextRun> runs;

    bool operator==(const TableCell&) const = default;
};

struct TableRow {
    std::vector<TableCell> cells;

    bool operator==(const TableRow&) const = default;
};

using RtfBlock = std::variant<Paragraph, TableRow>;

struct RtfDocument {
    std::vector<RtfBlock> blocks;

    bool operator==(const RtfDocument&) const = default;
};

// The text of runs, links shown as their text.
QString runsText(const std::vector<TextRun>& runs);

} // namespace vantrel::output
