#include "ui/CNxSeqScanOptionsPaneDialog.h"

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

constexpr auto kPingControls =
    scanPingControls({SeqScanPackets, SeqScanTimeout20, SeqScanShowFail, SeqDNS, SeqScanAutoSort,
                      "Find the DNS name of each server in the sequence scan?",
                      "Automatically sort the SeqScan address group list?"});
constexpr std::array<PaneControl, 0> kNoControls{};

constexpr std::array kGroups{PaneGroup{"SeqScan Addresses", kNoControls, 0},
                             PaneGroup{"SeqScan Groups", kNoControls, 1},
                             PaneGroup{"Ping Options", kPingControls, 2}};

struct OctetField {
    int id;
    std::optional<settings::OptionId> option; // none for the end's read-only copies
    const char* tip;
};
// In the order they stand: the start address, then the end address.
constexpr std::array<OctetField, 8> kOctets{{
    {1119, SeqScanStart1, "Enter the first octet of the starting address here."},
    {1120, SeqScanStart2, "Enter the second octet of the starting address here."},
    {1121, SeqScanStart3, "Enter the third octet of the starting address here."},
    {1122, SeqScanStart4, "Enter the fourth octet of the starting address here."},
    {1090, std::nullopt,
     "The first octet of the ending address is the same as\n the first octet of the starting address."},
    {1125, std::nullopt,
     "The second octet of the ending address is the same as\n the second octet of the starting address."},
    {1123, SeqScanEnd3, "Enter the third octet of the ending address here."},
    {1124, SeqScanEnd4, "Enter the fourth octet of the ending address here."},
}};

EntryListEditor::Texts groupListTexts() {
    return {.column = QStringLiteral("Group"),
            .addCaption = QStringLiteral("Add Group"),
            .deleteCaption = QStringLiteral("Delete Group"),
            .listTip = QStringLiteral("SeqScan Address group list."),
            .fieldTip = QStringLiteral("Type a SeqScan address group name here."),
            .buttonTip = QStringLiteral("Click here to add or delete a SeqScan address group."),
            .addTip = QStringLiteral("Add this SeqScan address group to the list."),
            .deleteTip = QStringLiteral("Delete this SeqScan address group from the list."),
            .emptyFieldTip = QStringLiteral("There is no SeqScan address group name specified."),
            .headerUnsorted = QStringLiteral("Click here to sort the SeqScan address group list."),
            .headerAscending = QStringLiteral("Sort the SeqScan address group list in descending order."),
            .headerDescending = QStringLiteral("Sort the SeqScan address group list in ascending order.")};
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
    groupColumn(QStringLiteral("SeqScan Groups"), 0)->addWidget(m_groups, 0, 0);

    // Two rows of four octets with dots between them.
    QGridLayout* range = groupColumn(QStringLiteral("SeqScan Addresses"), 0);
    range->addWidget(new QLabel(QStringLiteral("Start Address:"), this), 0, 0, 1, 7);
    range->addWidget(new QLabel(QStringLiteral("End Address:"), this), 2, 0, 1, 7);
    for (std::size_t i = 0; i < kOctets.size(); ++i) {
        const OctetField& octet = kOctets[i];
        QLineEdit* box = boxes[i];
        box->setMaxLength(3);
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);
        box->setAlignment(Qt::AlignCenter);
        if (octet.option) {
            addOwnTextBox(box, *octet.option, QString::fromLatin1(octet.tip));
        } else {
            box->setObjectName(QStringLiteral("edit%1").arg(octet.id));
            box->setReadOnly(true);
            box->setFocusPolicy(Qt::NoFocus);
            // They show the start's octets and take no typing: they look it.
            QPalette look = box->palette();
            look.setColor(QPalette::Base, look.color(QPalette::Window));
            box->setPalette(look);
            addOwnControl(box, octet.id, QString::fromLatin1(octet.tip));
        }
        const int row = i < 4 ? 1 : 3;
        const int column = 2 * int(i % 4);
        range->addWidget(box, row, column);
        if (column < 6)
            range->addWidget(new QLabel(QStringLiteral("."), this), row, column + 1);
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
