#pragma once

#include "app/FrameParts.h"

namespace vantrel::app {

class CMainFrame;
class FrameCommandDispatch;
class FrameCommandState;
class FramePersistence;

// Builds the main window's commands, its docking panes (the Results in the centre, the Profile Manager,
// the six option panes tabbed at the bottom, the round-trip plot), the editors of the scan panes' lists,
// and the Results window joined to the log through the append pipeline.
class FramePanes {
public:
    FramePanes(CMainFrame& frame, FrameParts& parts, FrameCommandState& state, FramePersistence& persistence,
               FrameCommandDispatch& dispatch);
    FramePanes(const FramePanes&) = delete;
    FramePanes& operator=(const FramePanes&) = delete;

    void createCommands();
    bool CreatePanes();
    // Joins the Results window to the log through the append pipeline and writes the banner.
    void InitResultsWindow();

private:
    // The editors of the scan panes' saved lists.
    void createListEditors();

    CMainFrame& m_frame;
    FrameParts& m_parts;
    FrameCommandState& m_state;
    FramePersistence& m_persistence;
    FrameCommandDispatch& m_dispatch;
};

} // namespace vantrel::app
