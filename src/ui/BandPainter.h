#pragma once

#include <QImage>
#include <QRect>
#include <functional>

class QPainter;
class QWidget;

namespace vantrel::ui {

// Paints a widget's look in bands along its length. Qt's raster engine hands a fill or a line of 96
// spans or more (a line is a span for each pixel along it) to its thread pool and waits for it; while a
// fast run keeps both cores busy, those waits were the window's longest stalls. Each band is drawn on an
// image of its own size, so nothing the style draws reaches past it, whatever clip the style sets.
class BandPainter {
public:
    // Bands `lines` long: a rectangle's outline in a band `across` pixels wide has 2 × (lines + across)
    // spans, which must stay under 96.
    explicit BandPainter(int lines = kLongestBand)
        : m_lines(lines) {}

    // Runs `draw` once for each band of `dirty` along `length`, in the widget's coordinates, and puts the
    // bands on the widget.
    void paint(QWidget& widget, const QRect& dirty, Qt::Orientation length,
               const std::function<void(QPainter&)>& draw);

private:
    static constexpr int kLongestBand = 64; // Qt fills 95 spans or fewer on the painting thread
    int m_lines;
    QImage m_band; // kept from one band and paint to the next
};

} // namespace vantrel::ui
