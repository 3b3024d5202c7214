#pragma once

#include "app/FrameParts.h"

#include <QString>

namespace vantrel::output {
class ResultLog;
}

namespace vantrel::app {

class CMainFrame;
class FrameCommandState;
class FramePersistence;

// The main window's command dispatch: every menu item, button, accelerator and status-pane double-click
// bound to what it does (the operations through the window's signal, the panes, the log, the settings,
// the help and the links), each followed by the command-state refresh.
class FrameCommandDispatch {
public:
    FrameCommandDispatch(CMainFrame& frame, FrameParts& parts, FrameCommandState& state,
                         FramePersistence& persistence);
    FrameCommandDispatch(const FrameCommandDispatch&) = delete;
    FrameCommandDispatch& operator=(const FrameCommandDispatch&) = delete;

    void bindCommands();
    // Runs an operation command (400 to 404, 11000 to 11004), then refreshes the command state.
    void OnOperationCommand(ops::CommandId command);
    // Opens a web or mail address with the desktop, or says it could not.
    void openLink(const QString& address);

private:
    void OnShowAllOptions();
    void OnToggleOptionsPane(int commandId);
    void OnEditCommand(int commandId);
    void OnLogCheckClicked();
    void OnHelpTopics();
    QString manual() const; // the manual's file, as the installation or the build placed it
    void OnLogFileNameChanged(const QString& name);
    void runLogCommand(void (output::ResultLog::*command)());

    CMainFrame& m_frame;
    FrameParts& m_parts;
    FrameCommandState& m_state;
    FramePersistence& m_persistence;
};

} // namespace vantrel::app
