#include "ui/CNxSeqScanOptionsPaneDialog.h"

#include "ui/ScanPingOptions.h"

namespace vantrel::ui {

namespace {

using enum settings::OptionId;

constexpr auto kPingControls =
    scanPingControls({SeqScanPackets, SeqScanTimeout20, SeqScanShowFail, SeqDNS, SeqScanAutoSort,
                      "Find the DNS name of each server in the sequence scan?",
                      "Automatically sort the SeqScan address group list?"});

constexpr std::array kGroups{PaneGroup{"Ping Options", kPingControls, 0, 2}};

} // namespace

CNxSeqScanOptionsPaneDialog::CNxSeqScanOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent)
    : OptionPane(options, parent) {
    setObjectName(QStringLiteral("SeqScanOptionsPane"));
    buildGroups(kGroups);
}

} // namespace vantrel::ui
