#pragma once

#include <QObject>
#include <QPointer>

class QDialog;
class QMainWindow;

namespace vantrel::app {

class CommandTable;

// The dialogs of the bars' context menus: "Customize..." (126) for the toolbars' buttons and
// "Windows..." (131) for the docking panes. Each opens once at a time, beside the window; what they change
// is the window's layout, saved with it.
class BarDialogs : public QObject {
    Q_OBJECT
public:
    BarDialogs(QMainWindow& window, const CommandTable& commands);

    void openCustomize();
    void openWindows();

private:
    void open(QPointer<QDialog>& slot, QDialog* dialog);

    QMainWindow& m_window;
    QPointer<QDialog> m_customize;
    QPointer<QDialog> m_windows;
};

} // namespace vantrel::app
