#pragma once

#include <QString>

namespace vantrel::app {

// What the log module tells the frame about the log for the commands' enabling and the status panes.
struct LogSnapshot {
    bool attached = false;      // a log module serves the commands; without one they are disabled
    bool logging = false;       // the logging flag
    bool fileOpen = false;      // the log file is open
    double fileSize = 0;        // its length in bytes
    bool fileNameEmpty = false; // the Log options pane's file-name box is empty
};

// The log module as the frame drives it: the log commands and the file-name box's changes. The frame
// owns it, as it owns the open log file, and reads its state on every refresh of the command state.
class LogCommands {
public:
    virtual ~LogCommands() = default;

    virtual LogSnapshot snapshot() const = 0;
    virtual void ToggleLogging() = 0;
    virtual void ShowLog() = 0;
    virtual void ClearLog() = 0;
    // The file-name box's text changed (typing, browsing or loading).
    virtual void fileNameChanged(const QString& name) = 0;
    // The close sequence closes the log file.
    virtual void closeLog() = 0;
};

} // namespace vantrel::app
