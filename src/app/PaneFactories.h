#pragma once

#include "ui/CStatusViewPane.h"

#include <QString>

class QWidget;

namespace vantrel::settings {
class LiveOptions;
}

namespace vantrel::app {

// The contents of the docking panes, each made by one function.

// The Results window (pane 133); its context menu and shortcuts reach the frame's commands.
ui::CStatusViewPane* createResultsView(settings::LiveOptions& options,
                                       ui::CStatusViewPane::FrameCommands commands, QWidget* parent);
// An option pane whose controls are not there yet: it shows its title.
QWidget* createPendingOptionsPane(const QString& title, QWidget* parent);

} // namespace vantrel::app
