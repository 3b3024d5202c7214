#include "app/LogCommandUi.h"

#include "app/CommandIds.h"

namespace vantrel::app {

LogCommandState logCommandState(int id, const LogSnapshot& log, bool current) {
    if (!log.attached)
        return {false, std::nullopt};
    const bool haveName = !log.fileNameEmpty;
    const bool haveContent = log.fileOpen && log.fileSize > 0;
    switch (id) {
    case cmd::kStartLoggingMenu:
        return {haveName, log.logging ? QStringLiteral("Stop &Logging") : QStringLiteral("Start &Logging")};
    case cmd::kStartLoggingButton:
        return {haveName, log.logging ? QStringLiteral("      Stop Logging       ")
                                      : QStringLiteral("      Start Logging       ")};
    case cmd::kShowLogMenu:
        return {true, QStringLiteral("&Show Log")};
    case cmd::kShowLogButton:
        return {haveName, std::nullopt};
    case cmd::kClearLogMenu:
        // Only an open file decides; a closed one leaves the item as it was.
        return {log.fileOpen ? haveContent : current, std::nullopt};
    case cmd::kClearLogButton:
        return {haveContent, std::nullopt};
    case cmd::kLogPane:
    case cmd::kLogSizePane:
        return {true, std::nullopt};
    default:
        return {current, std::nullopt};
    }
}

LogPaneState logPaneState(const LogSnapshot& log) {
    return {!log.fileNameEmpty, log.logging, log.logging};
}

QString logFileNameToolTip(bool readOnly) {
    return readOnly ? QStringLiteral("You cannot set the Log file name and path while the log is open.")
                    : QStringLiteral("Click on the Folder icon to set the name and path of the Log file.");
}

QString logCheckToolTip(bool checked, bool fileNameEmpty) {
    if (checked)
        return QStringLiteral("Click here to stop logging.");
    if (!fileNameEmpty)
        return QStringLiteral("Click here to start logging.");
    return QStringLiteral("You must provide a log file path to open the log.");
}

} // namespace vantrel::app
