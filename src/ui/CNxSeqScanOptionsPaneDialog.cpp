#include "ui/CNxSeqScanOptionsPaneDialog.h"

#include "text/PaneTexts.h"
#include "ui/EntryListEditor.h"
#include "ui/ScanPingOptions.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <vector>

namespace vantrel::ui {

namespace {

using enum settings::OptionId;
namespace res = output::res;
using output::text;

constexpr auto kPingControls = scanPingControls({SeqScanPackets, SeqScanTimeout20, SeqScanShowFail, SeqDNS,
                                                 SeqScanAutoSort, &res::kSeqDnsTip, &res::kSeqAutoSortTip});
constexpr std::array<PaneControl, 0> kNoControls{};

constexpr std::array kGroups{PaneGroup{&res::kSeqScanAddressesGroup, kNoControls, 0},
                             PaneGroup{&res::kSeqScanGroupsGroup, kNoControls, 1},
                             PaneGroup{&res::kPingOptionsGroup, kPingControls, 2}};

struct OctetField {
    int id;
    std::optional<settings::OptionId> option; // none for the end's read-only copies
    const output::TextTemplate<>* tip;
};
// In the order they stand: the start address, then the end address.
constexpr std::array<OctetField, 8> kOctets{{
    {1119, SeqScanStart1, &res::kStartOctet1Tip},
    {1120, SeqScanStart2, &res::kStartOctet2Tip},
    {1121, SeqScanStart3, &res::kStartOctet3Tip},
    {1122, SeqScanStart4, &res::kStartOctet4Tip},
    {1090, std::nullopt, &res::kEndOctet1Tip},
    {1125, std::nullopt, &res::kEndOctet2Tip},
    {1123, SeqScanEnd3, &res::kEndOctet3Tip},
    {1124, SeqScanEnd4, &res::kEndOctet4Tip},
}};

EntryListEditor::Texts groupListTexts() {
    return {.column = text(res::kGroupColumn),
            .addCaption = text(res::kAddGroupCaption),
            .deleteCaption = text(res::kDeleteGroupCaption),
            .listTip = text(res::kGroupListTip),
            .fieldTip = text(res::kGroupFieldTip),
            .buttonTip = text(res::kGroupButtonTip),
            .addTip = text(res::kAddGroupTip),
            .deleteTip = text(res::kDeleteGroupTip),
            .emptyFieldTip = text(res::kNoGroupNameTip),
            .headerUnsorted = text(res::kSortGroupsTip),
            .headerAscending = text(res::kSortGroupsDescendingTip),
            .headerDescending = text(res::kSortGroupsAscendingTip)};
}

} // namespace

CNxSeqScanOptionsPaneDialog::CNxSeqScanOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent)
    : OptionPane(options, parent) {
    setObjectName(QStringLiteral("SeqScanOptionsPane"));
    // Tab goes through the controls in the order they are made, the order the pane reads: the range, the
    // groups, then the ping options of the pane's table.
    std::vector<QLineEdit*> boxes;
    for (std::size_t i = 0; i < kOctets.size(); ++i)
        boxes.push_back(new QLineEdit(this));
    m_groups = new EntryListEditor(groupListTexts(), {1154, 1157, 450}, 125, this);
    buildGroups(kGroups);
    groupColumn(text(res::kSeqScanGroupsGroup), 0)->addWidget(m_groups, 0, 0);

    // Two rows of four octets with dots between them.
    QGridLayout* range = groupColumn(text(res::kSeqScanAddressesGroup), 0);
    range->addWidget(new QLabel(text(res::kStartAddressLabel), this), 0, 0, 1, 7);
    range->addWidget(new QLabel(text(res::kEndAddressLabel), this), 2, 0, 1, 7);
    for (std::size_t i = 0; i < kOctets.size(); ++i) {
        const OctetField& octet = kOctets[i];
        QLineEdit* box = boxes[i];
        box->setMaxLength(3);
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);
        box->setAlignment(Qt::AlignCenter);
        if (octet.option) {
            addOwnTextBox(box, *octet.option, text(*octet.tip));
        } else {
            box->setObjectName(QStringLiteral("edit%1").arg(octet.id));
            box->setReadOnly(true);
            box->setFocusPolicy(Qt::NoFocus);
            // They show the start's octets and take no typing: they look it.
            QPalette look = box->palette();
            look.setColor(QPalette::Base, look.color(QPalette::Window));
            box->setPalette(look);
            addOwnControl(box, octet.id, text(*octet.tip));
        }
        const int row = i < 4 ? 1 : 3;
        const int column = 2 * int(i % 4);
        range->addWidget(box, row, column);
        if (column < 6)
            range->addWidget(new QLabel(text(res::kOctetDot), this), row, column + 1);
    }
    // A group's name stays readable however narrow the pane.
    m_groups->field()->setMinimumWidth(m_groups->field()->fontMetrics().horizontalAdvance(QString(16, u'0')));

    // The end address shares the start's first two octets.
    for (auto [from, to] : {std::pair{1119, 1090}, std::pair{1120, 1125}})
        connect(octetField(from), &QLineEdit::textChanged, octetField(to), &QLineEdit::setText);
}

QLineEdit* CNxSeqScanOptionsPaneDialog::octetField(int controlId) const {
    return qobject_cast<QLineEdit*>(control(controlId));
}

} // namespace vantrel::ui
