#include "ui/CNxListScanOptionsPaneDialog.h"

#include "text/MessageTexts.h"
#include "text/PaneTexts.h"
#include "ui/EntryListEditor.h"
#include "ui/ScanPingOptions.h"

#include <QGridLayout>

namespace vantrel::ui {

namespace {

using enum settings::OptionId;
namespace res = output::res;
using output::text;

constexpr int kAddressListId = 1141;
constexpr int kAddressFieldId = 1143;
constexpr int kAddButtonId = 451;

constexpr auto kPingControls =
    scanPingControls({ListScanPackets, ListScanTimeout20, ListScanShowFail, ListDNS, ListScanAutoSort,
                      &res::kListDnsTip, &res::kListAutoSortTip});

constexpr std::array<PaneControl, 0> kNoControls{};

constexpr std::array kGroups{PaneGroup{&res::kListScanAddressesGroup, kNoControls, 0},
                             PaneGroup{&res::kPingOptionsGroup, kPingControls, 1}};

EntryListEditor::Texts addressListTexts() {
    return {.column = text(res::kProfileAddressHeader),
            .addCaption = text(res::kAddAddressCaption),
            .deleteCaption = text(res::kDeleteAddressCaption),
            .listTip = text(res::kAddressListTip),
            .fieldTip = text(res::kAddressFieldTip),
            .buttonTip = text(res::kAddressButtonTip),
            .addTip = text(res::kAddAddressTip),
            .deleteTip = text(res::kDeleteAddressTip),
            .emptyFieldTip = text(res::kNoAddressTip),
            .headerUnsorted = text(res::kSortListTip),
            .headerAscending = text(res::kSortListDescendingTip),
            .headerDescending = text(res::kSortListAscendingTip),
            .fieldTipWhileEmptyOnly = true};
}

} // namespace

CNxListScanOptionsPaneDialog::CNxListScanOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent)
    : OptionPane(options, parent)
    , m_addresses(new EntryListEditor(addressListTexts(), {kAddressListId, kAddressFieldId, kAddButtonId},
                                      239, this)) {
    setObjectName(QStringLiteral("ListScanOptionsPane"));
    buildGroups(kGroups);
    groupColumn(text(res::kListScanAddressesGroup), 0)->addWidget(m_addresses, 0, 0);
}

} // namespace vantrel::ui
