#pragma once

#include <QIcon>

namespace vantrel::ui {

// The pictures of the toolbar buttons.
enum class ToolIcon {
    Ping,
    Lookup,
    Trace,
    PathMonitor,
    Options,
    Exit,
    SeqScan,
    ListScan,
    ISPinger,
    SystemTray,
    AddProfile,
    UpdateProfile,
    DeleteProfile,
    StartLogging,
    ShowLog,
    ClearLog,
    Cut,
    Copy,
    SelectAll,
    ClearAll,
    Undo,
    Print,
    Stop, // a running command's button: it cancels
};

// A button's icon from the desktop's icon theme, or, where the theme has none, from the program's own
// set, drawn at every size so the buttons show their pictures on any desktop.
QIcon toolIcon(ToolIcon icon);

} // namespace vantrel::ui
