#include "ui/TabColourizer.h"

#include "text/PaneTexts.h"

#include <QEvent>
#include <QMainWindow>
#include <QPainter>
#include <QTabBar>

namespace vantrel::ui {

namespace {
const char* const kColouredProperty = "vantrelTabsColoured";
}

TabColourizer::TabColourizer(QMainWindow* window)
    : QObject(window)
    , m_window(window) {
    window->installEventFilter(this);
    update();
}

QColor TabColourizer::colourOfTab(int index) {
    return QColor(kColours[std::size_t(index) % kColours.size()]);
}

void TabColourizer::update() {
    for (QTabBar* bar : m_window->findChildren<QTabBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (bar->property(kColouredProperty).toBool())
            continue;
        bar->setProperty(kColouredProperty, true);
        // The bars are the window's own, made as panes are tabbed: named here, where each is first seen.
        bar->setAccessibleName(output::text(output::res::kDockTabsName));
        bar->installEventFilter(this);
        bar->update();
    }
}

bool TabColourizer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window) {
        if (event->type() == QEvent::ChildPolished)
            update();
        return QObject::eventFilter(watched, event);
    }
    auto* bar = qobject_cast<QTabBar*>(watched);
    if (!bar || event->type() != QEvent::Paint)
        return QObject::eventFilter(watched, event);
    // Let the bar paint its tabs, then tint each one with its colour: multiplied in, the colour shades
    // the tab and leaves its text (elided or whole, as the bar drew it) as dark as it was.
    static_cast<QObject*>(bar)->event(event);
    QPainter painter(bar);
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    for (int i = 0; i < bar->count(); ++i) {
        QColor colour = colourOfTab(i);
        colour.setAlpha(i == bar->currentIndex() ? 110 : 200);
        painter.fillRect(bar->tabRect(i).adjusted(1, 1, -1, 0), colour);
    }
    return true;
}

} // namespace vantrel::ui
