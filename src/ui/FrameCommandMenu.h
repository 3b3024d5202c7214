#pragma once

#include <QString>
#include <functional>
#include <span>

class QAction;
class QMenu;

namespace vantrel::ui {

// A command of the frame as a pane's context menu shows it: its action (null when the frame has none)
// and its caption there, which follows the command's state.
struct FrameCommand {
    QAction* action = nullptr;
    QString caption;
};
using FrameCommands = std::function<FrameCommand(int id)>;

// Fills a context menu from command IDs in order, a separator for each 0. A command the pane serves
// itself (`own` answers its action) takes the place of the frame's; every item has its command's
// enabling and runs it.
void fillFrameMenu(QMenu& menu, std::span<const int> layout, const FrameCommands& frameCommands,
                   const std::function<QAction*(int id)>& own = {});

} // namespace vantrel::ui
