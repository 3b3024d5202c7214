#pragma once

#include "app/FrameParts.h"
#include "ops/CommandRules.h"
#include "text/MessageTexts.h"

#include <QString>
#include <functional>

namespace vantrel::output {
struct StatusPaneState;
}
namespace vantrel::ui {
class FrameThrottle;
}

namespace vantrel::app {

class CMainFrame;

// The command state of the main window: every command's enabling, caption and check mark, and the
// status panes (the status text, ISPinger's text, the log and the Results' size), from one routine.
class FrameCommandState {
public:
    FrameCommandState(CMainFrame& frame, FrameParts& parts);
    FrameCommandState(const FrameCommandState&) = delete;
    FrameCommandState& operator=(const FrameCommandState&) = delete;

    // Brings everything up to date. `refreshOperationsCommands` refreshes the commands the operations own
    // (ISPinger's), false when there are none; `aboutWinsockShown` enables About Your Winsock.
    void refresh(const std::function<bool()>& refreshOperationsCommands, bool aboutWinsockShown);
    void showOperationStatus();
    void setISPStatus(const QString& text);
    // The log's state and the Results' size, at the next frame.
    void showMeasuresSoon();
    void textSizeChanged();
    bool anyOptionsPaneVisible() const;

private:
    ops::CommandContext commandContext() const;
    void refreshOperationCommands();
    void refreshLogCommands();
    void refreshPaneCommands();
    void refreshLogPanes();
    void refreshTextSizePane();
    void applyPaneState(int id, const output::StatusPaneState& state);

    CMainFrame& m_frame;
    FrameParts& m_parts;
    ui::FrameThrottle* m_textSizePane; // the Results' size, shown at most once a frame
    ui::FrameThrottle* m_logState;     // the log's commands and panes, read from its file
    QString m_strISPStatus = output::text(output::res::kIspInactive);
};

} // namespace vantrel::app
