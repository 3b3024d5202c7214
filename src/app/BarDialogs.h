#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QDialog;
class QDockWidget;
class QMainWindow;

namespace vantrel::app {

class CommandTable;

// The dialogs of the bars' context menus: "Customize..." (126) for the toolbars' buttons and
// "Windows..." (131) for the docking panes. Each opens once at a time, beside the window; what they change
// is the window's layout, saved with it.
class BarDialogs : public QObject {
    Q_OBJECT
public:
    // `panes` lists the docking panes in the order the dialog shows them.
    BarDialogs(QMainWindow& window, const CommandTable& commands, std::function<QList<QDockWidget*>()> panes);

    void openCustomize();
    void openWindows();

private:
    void open(QPointer<QDialog>& slot, QDialog* dialog);

    QMainWindow& m_window;
    std::function<QList<QDockWidget*>()> m_panes;
    QPointer<QDialog> m_customize;
    QPointer<QDialog> m_windows;
};

} // namespace vantrel::app
