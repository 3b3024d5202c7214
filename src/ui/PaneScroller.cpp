#include "ui/PaneScroller.h"

#include <QApplication>
#include <QScrollBar>

namespace vantrel::ui {

PaneScroller::PaneScroller(QWidget* content, QWidget* parent)
    : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(content);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A field that takes the focus by a click, a key or the program scrolls into view, not only by Tab.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && widget() && widget()->isAncestorOf(now))
            ensureWidgetVisible(now);
    });
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
