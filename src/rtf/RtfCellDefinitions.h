#pragma once

#include "rtf/RtfDocument.h"

#include <optional>
#include <vector>

namespace vantrel::output {

// The cells of a table row as its definition (\trowd ... \cellxN) gives them: each cell's right edge,
// background and borders, gathered word by word until \cellx closes the cell.
class RtfCellDefinitions {
public:
    enum class Side { None, Left, Top, Right, Bottom };

    // \trowd: a new row's definitions begin.
    void clear();
    // \cellxN: the cell gathered so far ends at `rightEdge`.
    void closeCell(int rightEdge);
    // \clcbpatN: the cell's background (none for "auto" or an index the colour table lacks).
    void setBackground(std::optional<Rgb> background) { m_pending.background = background; }
    // \clbrdrl, \clbrdrt, \clbrdrr, \clbrdrb: a border on that side, of nominal width until \brdrw says.
    void border(Side side);
    // \brdrwN and \brdrnone (0): the width of the border last named.
    void setBorderWidth(int width);

    std::size_t size() const { return m_cells.size(); }
    // The cell at `index` without text, as defined; one past the definitions is as wide as a default
    // column right of `previousEdge`.
    TableCell cell(std::size_t index, int previousEdge) const;

private:
    struct Definition {
        int rightEdge = 0;
        std::optional<Rgb> background;
        CellBorders borders;
    };

    std::vector<Definition> m_cells;
    Definition m_pending;
    Side m_side = Side::None;
};

} // namespace vantrel::output
