#include "ui/CNxListScanOptionsPaneDialog.h"

#include "ui/EntryListEditor.h"
#include "ui/ScanPingOptions.h"

#include <QGridLayout>

namespace vantrel::ui {

namespace {

using enum settings::OptionId;

constexpr int kAddressListId = 1141;
constexpr int kAddressFieldId = 1143;
constexpr int kAddButtonId = 451;

constexpr auto kPingControls =
    scanPingControls({ListScanPackets, ListScanTimeout20, ListScanShowFail, ListDNS, ListScanAutoSort,
                      "Find the DNS name of each server?", "Automatically sort the ListScan address list?"});

constexpr std::array<PaneControl, 0> kNoControls{};

constexpr std::array kGroups{PaneGroup{"ListScan Addresses", kNoControls, 0},
                             PaneGroup{"Ping Options", kPingControls, 1}};

EntryListEditor::Texts addressListTexts() {
    return {.column = QStringLiteral("IP Address/DNS Name"),
            .addCaption = QStringLiteral("Add Address"),
            .deleteCaption = QStringLiteral("Delete Address"),
            .listTip = QStringLiteral("ListScan addresses."),
            .fieldTip = QStringLiteral("Type a ListScan address here."),
            .buttonTip = QStringLiteral("Click here to add or delete a ListScan address."),
            .addTip = QStringLiteral("Add this address to the list."),
            .deleteTip = QStringLiteral("Delete this address from the list."),
            .emptyFieldTip = QStringLiteral("There is no address specified."),
            .headerUnsorted = QStringLiteral("Click here to sort the ListScan addresses."),
            .headerAscending = QStringLiteral("Sort the ListScan addresses in descending order."),
            .headerDescending = QStringLiteral("Sort the ListScan addresses in ascending order."),
            .fieldTipWhileEmptyOnly = true};
}

} // namespace

CNxListScanOptionsPaneDialog::CNxListScanOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent)
    : OptionPane(options, parent)
    , m_addresses(new EntryListEditor(addressListTexts(), {kAddressListId, kAddressFieldId, kAddButtonId},
                                      239, this)) {
    setObjectName(QStringLiteral("ListScanOptionsPane"));
    buildGroups(kGroups);
    groupColumn(QStringLiteral("ListScan Addresses"), 0)->addWidget(m_addresses, 0, 0);
}

} // namespace vantrel::ui
