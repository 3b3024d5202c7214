#include "ui/CNxOtherOptionsPaneDialog.h"

#include "settings/AddressFamily.h"
#include "settings/LiveOptions.h"
#include "text/MessageTexts.h"
#include "text/PaneTexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

namespace vantrel::ui {

namespace {

using enum settings::OptionId;
using K = PaneControl::Kind;
namespace res = output::res;

constexpr int kByNameId = 1086;
constexpr int kByAddressId = 1087;

constexpr std::array kProfileControls{
    PaneControl{K::Check, AutoSort, &res::kAutoSortLabel, &res::kProfileAutoSortTip},
    PaneControl{K::Radio, RadioSort, &res::kSortByNameLabel, nullptr, 0, nullptr, 0, kByNameId},
    PaneControl{K::Radio, RadioSort, &res::kSortByAddressLabel, nullptr, 1, nullptr, 0, kByAddressId},
    PaneControl{K::Check, WarnCurrent, &res::kWarnDeleteLabel, &res::kWarnDeleteTip},
};

constexpr std::array kStartupControls{
    PaneControl{K::Check, StartTask, &res::kStartInTrayLabel, &res::kStartInTrayTip},
    PaneControl{K::Check, StartISP, &res::kStartIspLabel, &res::kStartIspTip},
};

constexpr std::array kResourceControls{
    PaneControl{K::Number, PurgeStatus, &res::kPurgeResultsLabel, &res::kPurgeResultsTip, 0,
                &res::kMegabytesUnit},
    PaneControl{K::Number, PurgeLog, &res::kPurgeLogLabel, &res::kPurgeLogTip, 0, &res::kMegabytesUnit},
};

constexpr std::array<PaneControl, 0> kNoControls{};

constexpr std::array kGroups{
    PaneGroup{&res::kProfileManagerGroup, kProfileControls, 0},
    PaneGroup{&res::kStartupGroup, kStartupControls, 1},
    PaneGroup{&res::kResourceGroup, kResourceControls, 1},
    PaneGroup{&res::kExportImportGroup, kNoControls, 2},
    PaneGroup{&res::kNameResolutionGroup, kNoControls, 3},
};

// The entries of the address family's drop-down, in the order of the option's values.
constexpr std::array kAddressFamilyEntries{
    &res::kAddressFamilyIpv4ThenIpv6, &res::kAddressFamilyBoth,     &res::kAddressFamilySystemOrder,
    &res::kAddressFamilyIpv4Only,     &res::kAddressFamilyIpv6Only,
};
static_assert(kAddressFamilyEntries.size() == settings::kAddressFamilyCount);

struct SettingsButton {
    int id;
    const output::TextTemplate<>& caption;
    const output::TextTemplate<>& tip;
};
constexpr std::array kSettingsButtons{
    SettingsButton{CNxOtherOptionsPaneDialog::kExportId, res::kExportSettingsButton, res::kExportSettingsTip},
    SettingsButton{CNxOtherOptionsPaneDialog::kImportId, res::kImportSettingsButton, res::kImportSettingsTip},
    SettingsButton{CNxOtherOptionsPaneDialog::kResetGuiId, res::kResetGuiButton, res::kResetGuiTip},
};

} // namespace

CNxOtherOptionsPaneDialog::CNxOtherOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent)
    : OptionPane(options, parent) {
    setObjectName(QStringLiteral("OtherOptionsPane"));
    buildGroups(kGroups);

    // Export and Import in their group; Reset GUI under it.
    QGridLayout* exportImport = groupColumn(output::text(res::kExportImportGroup), 0);
    for (const SettingsButton& spec : kSettingsButtons) {
        auto* button = new QPushButton(output::text(spec.caption), this);
        button->setObjectName(QStringLiteral("button%1").arg(spec.id));
        if (spec.id == kResetGuiId)
            groupStack(2)->addWidget(button, 0, Qt::AlignLeft);
        else
            exportImport->addWidget(button, exportImport->rowCount(), 0);
        addOwnControl(button, spec.id, output::text(spec.tip));
    }

    QStringList families;
    for (const auto* entry : kAddressFamilyEntries)
        families.append(output::text(*entry));
    addChoice(groupColumn(output::text(res::kNameResolutionGroup), 0), AddressFamily,
              output::text(res::kAddressFamilyLabel), families, output::text(res::kAddressFamilyTip));

    // Loaded or clicked, the box enables the sort column's choice.
    connect(checkBox(settings::optionSpec(AutoSort).controlId), &QCheckBox::toggled, this,
            &CNxOtherOptionsPaneDialog::enableSortChoice);
    connect(this, &OptionPane::optionChanged, this, [this](settings::OptionId option) {
        // Turned on, or another column chosen while it is on, the list is sorted again.
        if ((option == AutoSort || option == RadioSort) && this->options().isOn(AutoSort))
            emit profileSortRequested();
    });
    enableSortChoice();
}

void CNxOtherOptionsPaneDialog::enableSortChoice() {
    // The sort column is chosen only while the list is kept sorted.
    const bool sorted = checkBox(settings::optionSpec(AutoSort).controlId)->isChecked();
    for (int id : {kByNameId, kByAddressId})
        control(id)->setEnabled(sorted);
}

void CNxOtherOptionsPaneDialog::showProfileSortColumn(int column) {
    if (auto* radio = qobject_cast<QRadioButton*>(control(column == 0 ? kByNameId : kByAddressId)))
        radio->setChecked(true);
    // While the list is kept sorted, it goes on sorting by the column the button shows.
    if (options().isOn(AutoSort))
        options().setNumber(RadioSort, column);
}

QPushButton* CNxOtherOptionsPaneDialog::button(int controlId) const {
    return qobject_cast<QPushButton*>(control(controlId));
}

} // namespace vantrel::ui
