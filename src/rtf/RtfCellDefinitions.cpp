#include "rtf/RtfCellDefinitions.h"

#include "rtf/RtfControlWords.h"

#include <algorithm>

namespace vantrel::output {

namespace {

constexpr int kNominalBorder = 10; // a border whose width is not given
constexpr int kDefaultColumn = 1440;

} // namespace

void RtfCellDefinitions::clear() {
    m_cells.clear();
    m_pending = Definition{};
    m_side = Side::None;
}

void RtfCellDefinitions::closeCell(int rightEdge) {
    m_pending.rightEdge = std::max(0, rightEdge);
    m_cells.push_back(m_pending);
    m_pending = Definition{};
    m_side = Side::None;
}

void RtfCellDefinitions::border(Side side) {
    m_side = side;
    setBorderWidth(kNominalBorder);
}

void RtfCellDefinitions::setBorderWidth(int width) {
    CellBorders& b = m_pending.borders;
    switch (m_side) {
    case Side::Left:
        b.left = width;
        break;
    case Side::Top:
        b.top = width;
        break;
    case Side::Right:
        b.right = width;
        break;
    case Side::Bottom:
        b.bottom = width;
        break;
    case Side::None:
        break;
    }
}

TableCell RtfCellDefinitions::cell(std::size_t index, int previousEdge) const {
    TableCell cell;
    if (index < m_cells.size()) {
        const Definition& d = m_cells[index];
        cell.rightEdge = d.rightEdge;
        cell.background = d.background;
        cell.borders = d.borders;
    } else {
        cell.rightEdge = std::min(previousEdge + kDefaultColumn, kMaxRtfNumber);
    }
    return cell;
}

} // namespace vantrel::output
