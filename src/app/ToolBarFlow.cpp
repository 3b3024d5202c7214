#include "app/ToolBarFlow.h"

#include <QLayout>
#include <QMainWindow>
#include <QToolBar>
#include <algorithm>

namespace vantrel::app {

namespace {

// Room the main window's layout leaves around and between the toolbars of a line.
constexpr int kLineMargin = 8;
constexpr int kToolBarSpacing = 4;

} // namespace

ToolBarFlow::ToolBarFlow(QMainWindow* window)
    : QObject(window)
    , m_window(window) {}

QList<QList<QToolBar*>> ToolBarFlow::topLines() const {
    QList<QToolBar*> bars;
    for (QToolBar* bar : m_window->findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!bar->isHidden() && !bar->isFloating() && m_window->toolBarArea(bar) == Qt::TopToolBarArea)
            bars.append(bar);
    }
    std::sort(bars.begin(), bars.end(), [](const QToolBar* a, const QToolBar* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    QList<QList<QToolBar*>> lines;
    for (QToolBar* bar : bars) {
        // A break made here joins its line to the one above, as it was before the break.
        if (lines.isEmpty() || (bar->y() != lines.last().first()->y() && !m_added.contains(bar)))
            lines.append(QList<QToolBar*>());
        lines.last().append(bar);
    }
    return lines;
}

void ToolBarFlow::reflow() {
    m_window->layout()->activate();
    m_added.removeAll(nullptr);
    // A toolbar the user moved since keeps the place given to it.
    m_added.erase(
        std::remove_if(m_added.begin(), m_added.end(),
                       [this](const QPointer<QToolBar>& bar) { return !m_window->toolBarBreak(bar); }),
        m_added.end());

    const int room = m_window->width() - kLineMargin;
    QList<QToolBar*> wanted;
    for (const QList<QToolBar*>& line : topLines()) {
        int used = 0;
        for (QToolBar* bar : line) {
            const int width = bar->sizeHint().width() + kToolBarSpacing;
            if (used > 0 && used + width > room) {
                wanted.append(bar);
                used = 0;
            }
            used += width;
        }
    }
    bool changed = false;
    for (const QPointer<QToolBar>& bar : QList<QPointer<QToolBar>>(m_added)) {
        if (!wanted.contains(bar.data())) {
            m_window->removeToolBarBreak(bar);
            m_added.removeAll(bar);
            changed = true;
        }
    }
    for (QToolBar* bar : wanted) {
        if (!m_added.contains(bar)) {
            m_window->insertToolBarBreak(bar);
            m_added.append(bar);
            changed = true;
        }
    }
    if (changed)
        m_window->layout()->activate();
}

void ToolBarFlow::removeAddedBreaks() {
    for (const QPointer<QToolBar>& bar : m_added) {
        if (bar)
            m_window->removeToolBarBreak(bar);
    }
    m_added.clear();
}

} // namespace vantrel::app
