#pragma once

#include "app/LogCommands.h"

#include <QString>
#include <optional>

namespace vantrel::app {

// A command's enabling and caption; an empty caption leaves the caption as it is.
struct LogCommandState {
    bool enabled = false;
    std::optional<QString> caption;

    bool operator==(const LogCommandState&) const = default;
};

// The enabling and caption of a log command (11011, 11012, 11013, 431, 432, 433) or the status-pane
// commands 903 and 905. Without a log module every log command is disabled.
// `current` is the command's present enabling, kept where the rules leave it unchanged.
LogCommandState logCommandState(int id, const LogSnapshot& log, bool current);

// How the Log options pane shows the state: the check box and the file-name box.
struct LogPaneState {
    bool checkEnabled = false;
    bool checked = false;
    bool fileNameReadOnly = false; // and without its browse button
};
LogPaneState logPaneState(const LogSnapshot& log);

// The tooltip texts shown when a tip is asked for.
QString logFileNameToolTip(bool readOnly);
QString logCheckToolTip(bool checked, bool fileNameEmpty);

} // namespace vantrel::app
