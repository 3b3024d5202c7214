#pragma once

#include "app/CommandTable.h"
#include "app/FrameBars.h"
#include "commands/CommandIds.h"
#include "ops/CommandRules.h"
#include "ops/OperationFrontEnd.h"
#include "ops/OperationState.h"
#include "settings/LiveOptions.h"

#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <memory>

class QDockWidget;
class QLineEdit;
class QToolBar;
class QUrl;

namespace vantrel::settings {
class RegistryStore;
}
namespace vantrel::output {
class ResultLog;
class ResultPipeline;
} // namespace vantrel::output
namespace vantrel::ui {
class CNxLogOptionsPaneDialog;
class CNxOtherOptionsPaneDialog;
class CNxPingOptionsPaneDialog;
class CNxSeqScanOptionsPaneDialog;
class CStatusViewPane;
class HostComboBox;
class OptionPane;
class RoundTripPlot;
class WatchPane;
class PathMonitorPane;
class StatusPane;
class SystemTray;
} // namespace vantrel::ui

namespace vantrel::app {

class DesktopLogFrontEnd;
class FrameDialogs;
class KeyboardHooks;
class ListScanAddressEditor;
class ProfileManager;
class SeqScanPaneController;
class SettingsCommands;
class ToolBarFlow;

// The edit commands: the Results window's, and a text box's for the keys it does not take itself.
inline constexpr std::array kEditCommands = {cmd::kClearAllText, cmd::kCopy,      cmd::kCut,
                                             cmd::kPaste,        cmd::kSelectAll, cmd::kUndo};
// The commands of the Other pane's buttons.
inline constexpr std::array kSettingsButtonCommands = {cmd::kExportSettings, cmd::kImportSettings,
                                                       cmd::kResetGui};
inline constexpr std::array kOperationCommands = {
    ops::CommandId::PingButton,    ops::CommandId::LookupButton,   ops::CommandId::TraceButton,
    ops::CommandId::SeqScanButton, ops::CommandId::ListScanButton, ops::CommandId::PathMonitorButton,
    ops::CommandId::PingMenu,      ops::CommandId::LookupMenu,     ops::CommandId::TraceMenu,
    ops::CommandId::SeqScanMenu,   ops::CommandId::ListScanMenu,   ops::CommandId::PathMonitorMenu,
};

// Where the last Profile Name and host are kept for the next start.
inline const QString kMruSection = QStringLiteral("MRU");
inline const QString kMruHostName = QStringLiteral("HostName");
inline const QString kMruAddress = QStringLiteral("Address");

// What the main window is made of, shared by the classes that build it, dispatch and refresh its
// commands, keep its settings and layout and close it. The widgets belong to the window (Qt parents).
struct FrameParts {
    FrameParts(settings::RegistryStore& store, QString homeDir, settings::LiveOptions& options,
               ops::OperationState& state, FrameDialogs& dialogs);
    ~FrameParts();

    settings::RegistryStore& store;
    QString homeDir;
    settings::LiveOptions& options; // the operations session's
    ops::OperationState& state;     // the operations session's
    FrameDialogs& dialogs;
    int applicationLook;

    std::unique_ptr<CommandTable> commands;
    FrameBars bars;
    ui::HostComboBox* hostBox = nullptr;
    QLineEdit* profileNameBox = nullptr;
    std::map<int, QDockWidget*> panes; // by ID: Results 133, Profile Manager 134, options by command
    ProfileManager* profiles = nullptr;
    ui::CNxLogOptionsPaneDialog* logPane = nullptr;
    std::map<int, ui::OptionPane*> optionPanes; // by show/hide command
    ListScanAddressEditor* listScanEditor = nullptr;
    SeqScanPaneController* seqScanController = nullptr;
    KeyboardHooks* keyboardHooks = nullptr;
    ToolBarFlow* toolBarFlow = nullptr;
    ui::SystemTray* tray = nullptr;
    std::unique_ptr<SettingsCommands> settingsCommands;
    // The front end outlives the log that reports through it.
    std::unique_ptr<DesktopLogFrontEnd> logFrontEnd;
    std::unique_ptr<output::ResultLog> resultLog;
    ui::CStatusViewPane* resultsPane = nullptr;
    ui::RoundTripPlot* roundTripPlot = nullptr;
    ui::WatchPane* watchPane = nullptr;
    ui::PathMonitorPane* pathMonitorPane = nullptr;
    std::unique_ptr<output::ResultPipeline> pipeline;
    bool shownOnce = false;

    QDockWidget* pane(int id) const;
    ui::OptionPane* optionPane(int command) const;
    ui::StatusPane* statusPane(int id) const;
    QToolBar* toolBar(const QString& title) const;
    ui::CNxPingOptionsPaneDialog* pingOptionsPane() const;
    ui::CNxOtherOptionsPaneDialog* otherOptionsPane() const;
    ui::CNxSeqScanOptionsPaneDialog* seqScanPane() const;
    // Every docking pane, in the order the bars' menu and the Windows dialog list them.
    QList<QDockWidget*> panesInOrder() const;
};

} // namespace vantrel::app
