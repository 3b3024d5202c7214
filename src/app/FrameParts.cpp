#include "app/FrameParts.h"

#include "app/DesktopLogFrontEnd.h"
#include "app/KeyboardHooks.h"
#include "app/ListScanAddressEditor.h"
#include "app/OptionsPanes.h"
#include "app/ProfileManager.h"
#include "app/SeqScanPaneController.h"
#include "app/SettingsCommands.h"
#include "app/ToolBarFlow.h"
#include "app/VisualStyles.h"
#include "app/WorkspaceLayout.h"
#include "log/ResultLog.h"
#include "log/ResultPipeline.h"
#include "ui/CNxMFCToolBar.h"
#include "ui/CNxOtherOptionsPaneDialog.h"
#include "ui/CNxPingOptionsPaneDialog.h"
#include "ui/CNxSeqScanOptionsPaneDialog.h"

#include <QDockWidget>

namespace vantrel::app {

FrameParts::FrameParts(settings::RegistryStore& store_, QString homeDir_, settings::LiveOptions& options_,
                       ops::OperationState& state_, FrameDialogs& dialogs_)
    : store(store_)
    , homeDir(std::move(homeDir_))
    , options(options_)
    , state(state_)
    , dialogs(dialogs_)
    , applicationLook(readApplicationLook(store_)) {}

FrameParts::~FrameParts() = default;

ui::StatusPane* FrameParts::statusPane(int id) const {
    const auto found = bars.statusPanes.find(id);
    return found == bars.statusPanes.end() ? nullptr : found->second;
}

QToolBar* FrameParts::toolBar(const QString& title) const {
    const auto found = bars.toolBars.find(title);
    return found == bars.toolBars.end() ? nullptr : found->second;
}

ui::OptionPane* FrameParts::optionPane(int command) const {
    const auto found = optionPanes.find(command);
    return found == optionPanes.end() ? nullptr : found->second;
}

ui::CNxPingOptionsPaneDialog* FrameParts::pingOptionsPane() const {
    return qobject_cast<ui::CNxPingOptionsPaneDialog*>(optionPane(cmd::kPingOptions));
}

ui::CNxOtherOptionsPaneDialog* FrameParts::otherOptionsPane() const {
    return qobject_cast<ui::CNxOtherOptionsPaneDialog*>(optionPane(cmd::kOtherOptions));
}

ui::CNxSeqScanOptionsPaneDialog* FrameParts::seqScanPane() const {
    return qobject_cast<ui::CNxSeqScanOptionsPaneDialog*>(optionPane(cmd::kSeqScanOptions));
}

QDockWidget* FrameParts::pane(int id) const {
    const auto found = panes.find(id);
    return found == panes.end() ? nullptr : found->second;
}

QList<QDockWidget*> FrameParts::panesInOrder() const {
    // Raising a pane reorders the window's children: the lists keep an order of their own.
    QList<QDockWidget*> inOrder{panes.at(cmd::kProfileManagerPane)};
    for (int id : kOptionsTabOrder)
        inOrder.append(panes.at(id));
    for (int id : cmd::kViewPaneCommands)
        inOrder.append(panes.at(id));
    return inOrder;
}

} // namespace vantrel::app
