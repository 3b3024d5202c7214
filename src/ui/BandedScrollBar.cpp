#include "ui/BandedScrollBar.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QStyleOptionSlider>

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
    m_bands.paint(*this, event->rect(), orientation(), [&](QPainter& painter) {
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
    });
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
