#pragma once

#include <QColor>

class QPainter;
class QRectF;
class QTextDocument;

namespace vantrel::output {

// Paints the table rows' cell backgrounds and borders that a RowDecoration keeps, for the blocks of a
// document that meet a band of it; the Results window and the printed pages share it.
class RowPainter {
public:
    enum class Layer { Backgrounds, Borders };

    // painter draws in document coordinates; band is the part of the document being drawn.
    static void paint(QPainter& painter, const QTextDocument& document, const QRectF& band, Layer layer,
                      const QColor& border = Qt::black);
};

} // namespace vantrel::output
