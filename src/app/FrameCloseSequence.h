#pragma once

#include "app/FrameParts.h"

class QCloseEvent;

namespace vantrel::app {

class CMainFrame;
class FramePersistence;

// The main window's close sequence: the program marked as exiting, a line for each operation still
// running, the wait for the workers, then the options, the last host and the layout saved, the socket
// services stopped and the log and the profiles closed. A close asked for during the wait is absorbed.
class FrameCloseSequence {
public:
    FrameCloseSequence(CMainFrame& frame, FrameParts& parts, FramePersistence& persistence);
    FrameCloseSequence(const FrameCloseSequence&) = delete;
    FrameCloseSequence& operator=(const FrameCloseSequence&) = delete;

    void OnClose(QCloseEvent* event);

private:
    void writeExitingLines();
    // Keeps the GUI thread dispatching until no operation holds the close; false when the program was
    // told to quit meanwhile.
    bool waitForWorkers();

    CMainFrame& m_frame;
    FrameParts& m_parts;
    FramePersistence& m_persistence;
    bool m_closing = false;
    bool m_closed = false;
};

} // namespace vantrel::app
