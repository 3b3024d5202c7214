#include "ui/PaneScroller.h"

#include <QApplication>
#include <QScrollBar>

namespace vantrel::ui {

namespace {
// The least height of a pane, in lines of text: a row of controls and a part of the next.
constexpr int kLeastLines = 4;
} // namespace

PaneScroller::PaneScroller(QWidget* content, QWidget* parent)
    : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(content);
    // The groups wrap for the width the scroll bar leaves: one that came and went would change it.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A field that takes the focus by a click, a key or the program scrolls into view, not only by Tab.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && widget() && widget()->isAncestorOf(now))
            ensureWidgetVisible(now);
    });
}

QSize PaneScroller::sizeHint() const {
    const int frame = 2 * frameWidth();
    QSize content = widget()->sizeHint();
    const int width = viewport()->width();
    if (widget()->hasHeightForWidth() && isVisible() && width > 0)
        content.setHeight(widget()->heightForWidth(std::max(width, widget()->minimumSizeHint().width())));
    return content + QSize(frame, frame);
}

QSize PaneScroller::minimumSizeHint() const {
    const int frame = 2 * frameWidth();
    const int width = widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width();
    const int height = std::min(widget()->sizeHint().height(), fontMetrics().lineSpacing() * kLeastLines);
    return QSize(width, height) + QSize(frame, frame);
}

} // namespace vantrel::ui
