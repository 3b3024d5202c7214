#pragma once

#include "rtf/RtfDocument.h"

#include <QColor>
#include <QTextBlockUserData>
#include <optional>
#include <vector>

namespace vantrel::output {

// What the Results window paints behind a table row's block: each cell's extent, background and
// borders, in pixels.
struct CellDecoration {
    int left = 0;
    int right = 0;
    std::optional<QColor> background;
    CellBorders borders;
};

class RowDecoration : public QTextBlockUserData {
public:
    std::vector<CellDecoration> cells;
};

} // namespace vantrel::output
