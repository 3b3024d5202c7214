#include "app/BarDialogs.h"

#include "app/CommandTable.h"
#include "commands/CommandIds.h"
#include "ui/CNxMFCToolBar.h"
#include "ui/PaneWindowsDialog.h"
#include "ui/ToolBarCustomizeDialog.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>

namespace vantrel::app {

BarDialogs::BarDialogs(QMainWindow& window, const CommandTable& commands,
                       std::function<QList<QDockWidget*>()> panes)
    : QObject(&window)
    , m_window(window)
    , m_panes(std::move(panes)) {
    connect(commands.action(cmd::kCustomize), &QAction::triggered, this, &BarDialogs::openCustomize);
    connect(commands.action(cmd::kWindowsDialog), &QAction::triggered, this, &BarDialogs::openWindows);
}

void BarDialogs::openCustomize() {
    if (m_customize)
        return open(m_customize, m_customize);
    // The toolbars in the order they were built.
    QList<ui::CNxMFCToolBar*> bars;
    for (ui::CNxMFCToolBar* bar : m_window.findChildren<ui::CNxMFCToolBar*>()) {
        if (!bar->commands().isEmpty())
            bars.append(bar);
    }
    open(m_customize, new ui::ToolBarCustomizeDialog(bars, &m_window));
}

void BarDialogs::openWindows() {
    if (m_windows)
        return open(m_windows, m_windows);
    open(m_windows, new ui::PaneWindowsDialog(m_panes(), &m_window));
}

void BarDialogs::open(QPointer<QDialog>& slot, QDialog* dialog) {
    slot = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace vantrel::app
