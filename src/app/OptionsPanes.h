#pragma once

#include "commands/CommandIds.h"

#include <QString>
#include <array>

namespace vantrel::app {

// The option panes in the order they are created: show/hide command, pane ID, title, object name.
struct OptionsPaneSpec {
    int command;
    int paneId;
    const char* title;
    const char* objectName;
};
inline constexpr std::array kOptionsPanes = {
    OptionsPaneSpec{cmd::kPingOptions, 22, "Ping/TraceRoute Options", "PingOptionsPane"},
    OptionsPaneSpec{cmd::kSeqScanOptions, 23, "SeqScan Options", "SeqScanOptionsPane"},
    OptionsPaneSpec{cmd::kListScanOptions, 24, "ListScan Options", "ListScanOptionsPane"},
    OptionsPaneSpec{cmd::kISPingerOptions, 25, "ISPinger Options", "ISPingerOptionsPane"},
    OptionsPaneSpec{cmd::kOtherOptions, 26, "Other Options", "OtherOptionsPane"},
    OptionsPaneSpec{cmd::kLogOptions, 27, "Log Options", "LogOptionsPane"},
};
// The order of the tabs, of the Options menu, and of showing all panes.
inline constexpr std::array kOptionsTabOrder = {cmd::kPingOptions,     cmd::kLogOptions,
                                                cmd::kSeqScanOptions,  cmd::kListScanOptions,
                                                cmd::kISPingerOptions, cmd::kOtherOptions};

// The caption of a pane's show/hide command.
QString optionsPaneCaption(int command, bool visible);

} // namespace vantrel::app
