#pragma once

#include <QImage>
#include <QScrollBar>
#include <QStyle>

namespace vantrel::ui {

// A scroll bar that paints itself in bands of fewer lines than Qt's raster engine hands to its thread
// pool. A taller fill is split among the pool's threads and waited for, and while a fast run keeps both
// cores busy that wait, not the painting, was the Results window's longest stall. Each band is drawn on
// an image of its size, so no fill of the style's reaches past it whatever clip the style sets. It looks
// as its style draws any scroll bar, hovered and pressed parts included.
class BandedScrollBar : public QScrollBar {
public:
    explicit BandedScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static constexpr int kBandLines = 64; // Qt fills 95 lines or fewer on the painting thread
    QStyle::SubControl m_pressed = QStyle::SC_None;
    QImage m_band; // kept from one band and paint to the next
};

} // namespace vantrel::ui
