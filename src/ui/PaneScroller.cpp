#include "ui/PaneScroller.h"

#include <QScrollBar>

namespace vantrel::ui {

PaneScroller::PaneScroller(QWidget* content, QWidget* parent)
    : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(content);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QSize PaneScroller::sizeHint() const {
    const int frame = 2 * frameWidth();
    return widget()->sizeHint() + QSize(frame, frame);
}

QSize PaneScroller::minimumSizeHint() const {
    const int bar = horizontalScrollBar()->sizeHint().height();
    return {QScrollArea::minimumSizeHint().width(), sizeHint().height() + bar};
}

} // namespace vantrel::ui
