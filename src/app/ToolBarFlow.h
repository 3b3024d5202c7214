#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QMainWindow;
class QToolBar;

namespace vantrel::app {

// Keeps the toolbars at the top of a main window whole as the window narrows: a line of toolbars
// wider than the window breaks before the first toolbar that no longer fits, and the line joins again
// once the window is wide enough. Only the breaks it made itself are taken back, so the lines the user
// arranged stay as they are.
class ToolBarFlow : public QObject {
    Q_OBJECT
public:
    explicit ToolBarFlow(QMainWindow* window);

    // Breaks and joins the lines for the window's width now, once its layout has that width.
    void reflow();
    // Takes back every break it made, as before the layout is saved.
    void removeAddedBreaks();

private:
    QList<QList<QToolBar*>> topLines() const;

    QMainWindow* m_window;
    QList<QPointer<QToolBar>> m_added; // the toolbars this flow put a break before
};

} // namespace vantrel::app
