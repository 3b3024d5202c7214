#pragma once

#include "ui/CStatusViewPane.h"

#include <QString>

class QWidget;

namespace vantrel::settings {
class LiveOptions;
}

namespace vantrel::ui {
class OptionPane;
}

namespace vantrel::app {

// The contents of the docking panes, each made by one function.

// The Results window (pane 133); its context menu and shortcuts reach the frame's commands.
ui::CStatusViewPane* createResultsView(settings::LiveOptions& options,
                                       ui::CStatusViewPane::FrameCommands commands, QWidget* parent);
// The option pane of a show/hide command (314 to 319).
ui::OptionPane* createOptionsPane(int command, settings::LiveOptions& options, QWidget* parent);

} // namespace vantrel::app
