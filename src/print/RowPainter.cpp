#include "print/RowPainter.h"

#include "print/RowDecoration.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

namespace vantrel::output {

void RowPainter::paint(QPainter& painter, const QTextDocument& document, const QRectF& band, Layer layer,
                       const QColor& border) {
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const int first = layout->hitTest(band.topLeft(), Qt::FuzzyHit);
    for (QTextBlock block = document.findBlock(std::max(first, 0)); block.isValid(); block = block.next()) {
        const QRectF rect = layout->blockBoundingRect(block);
        if (rect.top() > band.bottom())
            break;
        const auto* decoration = dynamic_cast<const RowDecoration*>(block.userData());
        if (!decoration || rect.bottom() < band.top())
            continue;
        const int top = int(rect.top());
        const int bottom = int(rect.bottom());
        const int x0 = int(rect.left());
        for (const CellDecoration& cell : decoration->cells) {
            const QRect area(x0 + cell.left, top, cell.right - cell.left, bottom - top);
            if (layer == Layer::Backgrounds) {
                if (cell.background)
                    painter.fillRect(area, *cell.background);
                continue;
            }
            auto edge = [&](int width, QRect line) {
                if (width > 0)
                    painter.fillRect(line, border);
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

} // namespace vantrel::output
