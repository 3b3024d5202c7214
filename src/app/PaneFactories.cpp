#include "app/PaneFactories.h"

#include "commands/CommandIds.h"
#include "ui/CNxISPingerOptionsPaneDialog.h"
#include "ui/CNxListScanOptionsPaneDialog.h"
#include "ui/CNxLogOptionsPaneDialog.h"
#include "ui/CNxOtherOptionsPaneDialog.h"
#include "ui/CNxPingOptionsPaneDialog.h"
#include "ui/CNxSeqScanOptionsPaneDialog.h"

namespace vantrel::app {

ui::CStatusViewPane* createResultsView(settings::LiveOptions& options,
                                       ui::CStatusViewPane::FrameCommands commands, QWidget* parent) {
    return new ui::CStatusViewPane(options, std::move(commands), parent);
}

ui::OptionPane* createOptionsPane(int command, settings::LiveOptions& options, QWidget* parent) {
    switch (command) {
    case cmd::kPingOptions:
        return new ui::CNxPingOptionsPaneDialog(options, parent);
    case cmd::kSeqScanOptions:
        return new ui::CNxSeqScanOptionsPaneDialog(options, parent);
    case cmd::kListScanOptions:
        return new ui::CNxListScanOptionsPaneDialog(options, parent);
    case cmd::kISPingerOptions:
        return new ui::CNxISPingerOptionsPaneDialog(options, parent);
    case cmd::kOtherOptions:
        return new ui::CNxOtherOptionsPaneDialog(options, parent);
    default:
        return new ui::CNxLogOptionsPaneDialog(options, parent);
    }
}

} // namespace vantrel::app
