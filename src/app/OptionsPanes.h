#pragma once

#include "commands/CommandIds.h"
#include "text/MessageTexts.h"
#include "text/PaneTexts.h"

#include <QString>
#include <array>

namespace vantrel::app {

// The option panes in the order they are created: show/hide command, pane ID, title, object name.
struct OptionsPaneSpec {
    int command;
    int paneId;
    const output::TextTemplate<>& title;
    const char* objectName;
};
inline constexpr std::array kOptionsPanes = {
    OptionsPaneSpec{cmd::kPingOptions, 22, output::res::kPingPaneTitle, "PingOptionsPane"},
    OptionsPaneSpec{cmd::kSeqScanOptions, 23, output::res::kSeqScanPaneTitle, "SeqScanOptionsPane"},
    OptionsPaneSpec{cmd::kListScanOptions, 24, output::res::kListScanPaneTitle, "ListScanOptionsPane"},
    OptionsPaneSpec{cmd::kISPingerOptions, 25, output::res::kIspPaneTitle, "ISPingerOptionsPane"},
    OptionsPaneSpec{cmd::kOtherOptions, 26, output::res::kOtherPaneTitle, "OtherOptionsPane"},
    OptionsPaneSpec{cmd::kLogOptions, 27, output::res::kLogPaneTitle, "LogOptionsPane"},
};
// The order of the tabs, of the Options menu, and of showing all panes.
inline constexpr std::array kOptionsTabOrder = {cmd::kPingOptions,     cmd::kLogOptions,
                                                cmd::kSeqScanOptions,  cmd::kListScanOptions,
                                                cmd::kISPingerOptions, cmd::kOtherOptions};

// The caption of a pane's show/hide command.
QString optionsPaneCaption(int command, bool visible);

} // namespace vantrel::app
