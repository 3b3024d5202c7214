#include "ui/BandPainter.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace vantrel::ui {

void BandPainter::paint(QWidget& widget, const QRect& dirty, Qt::Orientation length,
                        const std::function<void(QPainter&)>& draw) {
    QPainter painter(&widget);
    const bool vertical = length == Qt::Vertical;
    const int extent = vertical ? dirty.height() : dirty.width();
    const qreal ratio = widget.devicePixelRatioF();
    for (int from = 0; from < extent; from += m_lines) {
        const int band = std::min(m_lines, extent - from);
        const QRect area = vertical ? QRect(dirty.left(), dirty.top() + from, dirty.width(), band)
                                    : QRect(dirty.left() + from, dirty.top(), band, dirty.height());
        const QSize pixels = (QSizeF(area.size()) * ratio).toSize();
        if (m_band.size() != pixels) {
            m_band = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
            m_band.setDevicePixelRatio(ratio);
        }
        m_band.fill(Qt::transparent);
        QPainter bandPainter(&m_band);
        bandPainter.translate(-area.topLeft());
        draw(bandPainter);
        bandPainter.end();
        painter.drawImage(area.topLeft(), m_band);
    }
}

} // namespace vantrel::ui
