#include "ui/CNxListScanOptionsPaneDialog.h"

#include "ui/ScanPingOptions.h"

namespace vantrel::ui {

namespace {

using enum settings::OptionId;

constexpr auto kPingControls =
    scanPingControls({ListScanPackets, ListScanTimeout20, ListScanShowFail, ListDNS, ListScanAutoSort,
                      "Find the DNS name of each server?", "Automatically sort the ListScan address list?"});

constexpr std::array kGroups{PaneGroup{"Ping Options", kPingControls, 0, 1}};

} // namespace

CNxListScanOptionsPaneDialog::CNxListScanOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent)
    : OptionPane(options, parent) {
    setObjectName(QStringLiteral("ListScanOptionsPane"));
    buildGroups(kGroups);
}

} // namespace vantrel::ui
