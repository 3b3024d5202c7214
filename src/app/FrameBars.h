#pragma once

#include <QList>
#include <QString>
#include <map>

class QLineEdit;
class QMainWindow;

namespace vantrel::ui {
class CNxMFCToolBar;
class HostComboBox;
class StatusPane;
} // namespace vantrel::ui

namespace vantrel::app {

class CommandTable;

// The bars of the main window that the frame keeps working with.
struct FrameBars {
    std::map<QString, ui::CNxMFCToolBar*> toolBars; // by title
    QList<ui::CNxMFCToolBar*> toolBarOrder;         // as built: Toolkit, SeqScan, Hosts, Log
    QLineEdit* profileNameBox = nullptr;
    ui::HostComboBox* hostBox = nullptr;
    std::map<int, ui::StatusPane*> statusPanes; // by pane ID
};

// The menu bar (Toolkit, Log, Options, View, Help) from the command table; false when there is none.
bool buildMenuBar(QMainWindow& window, const CommandTable& c);
// The Toolkit, SeqScan, Hosts and Log toolbars with their buttons and boxes, docked at the top.
void buildToolBars(QMainWindow& window, const CommandTable& c, FrameBars& frameBars);
// The status bar's six panes; false when there is no status bar.
bool buildStatusBar(QMainWindow& window, FrameBars& frameBars);

// The command IDs of the toolbar buttons that are hidden.
QList<int> hiddenToolBarButtons(const FrameBars& frameBars);
// Shows every toolbar button but those listed.
void showToolBarButtons(const FrameBars& frameBars, const QList<int>& hidden);

} // namespace vantrel::app
