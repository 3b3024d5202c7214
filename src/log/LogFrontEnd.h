#pragma once

#include "rows/ResultRow.h"
#include "rtf/ResultKind.h"
#include "text/MessageSink.h"

#include <QString>
#include <optional>

namespace vantrel::output {

// Why the desktop could not open a file, numbered as the shell's open call reports it; any other number
// is shown as an error code.
enum class OpenFailure : unsigned {
    FileNotFound = 2,
    PathNotFound = 3,
    AccessDenied = 5,
    OutOfMemory = 8,
    SharingViolation = 26,
    AssociationIncomplete = 27,
    NoAssociation = 31,
};

// What the log needs from the front end beyond message boxes. The GUI implements it with its Log options
// pane and the desktop services; the command line has no pane and opens nothing.
class LogFrontEnd : public MessageSink {
public:
    // Shows and activates the Log options pane.
    virtual void showLogOptionsPane() = 0;
    // Shows an error balloon tip on the log file-name box; false when balloon tips are off or the box
    // could not show it (the caller then shows a message box instead).
    virtual bool showFileNameBalloon(const QString& title, const QString& text) = 0;
    // Opens the file with the desktop's program for it; nothing on success, else the reason.
    virtual std::optional<OpenFailure> openWithDesktop(const QString& path) = 0;
    // A line for the Results window, for news of the log that needs no answer (the log moved aside, a
    // log that could not be opened at start). A front end without a window yet keeps it until it has one.
    virtual void showResultLine(const ResultRow& line) = 0;
};

} // namespace vantrel::output
