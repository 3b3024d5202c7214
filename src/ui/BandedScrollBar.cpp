#include "ui/BandedScrollBar.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <algorithm>

namespace vantrel::ui {

BandedScrollBar::BandedScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

void BandedScrollBar::paintEvent(QPaintEvent* event) {
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    const QPoint pointer = mapFromGlobal(QCursor::pos());
    const QStyle::SubControl under =
        underMouse() ? style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, pointer, this)
                     : QStyle::SC_None;
    if (m_pressed != QStyle::SC_None) {
        option.activeSubControls = m_pressed;
        if (under == m_pressed)
            option.state |= QStyle::State_Sunken;
    } else {
        option.activeSubControls = under;
    }
    QPainter painter(this);
    const QRect dirty = event->rect();
    const bool vertical = orientation() == Qt::Vertical;
    const int length = vertical ? dirty.height() : dirty.width();
    const qreal ratio = devicePixelRatioF();
    for (int from = 0; from < length; from += kBandLines) {
        const int band = std::min(kBandLines, length - from);
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
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &bandPainter, this);
        bandPainter.end();
        painter.drawImage(area.topLeft(), m_band);
    }
}

void BandedScrollBar::mousePressEvent(QMouseEvent* event) {
    QStyleOptionSlider option;
    initStyleOption(&option);
    m_pressed =
        style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, event->position().toPoint(), this);
    QScrollBar::mousePressEvent(event);
}

void BandedScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    m_pressed = QStyle::SC_None;
    QScrollBar::mouseReleaseEvent(event);
}

} // namespace vantrel::ui
