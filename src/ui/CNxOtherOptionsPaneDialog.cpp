#include "ui/CNxOtherOptionsPaneDialog.h"

#include "settings/LiveOptions.h"

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

constexpr int kByNameId = 1086;
constexpr int kByAddressId = 1087;

constexpr std::array kProfileControls{
    PaneControl{K::Check, AutoSort, "Autosort:",
                "Automatically sort the Profile Manager by\n Profile Name or IP Address/DNS Name."},
    PaneControl{K::Radio, RadioSort, "By: Profile Name:", "", 0, nullptr, 0, kByNameId},
    PaneControl{K::Radio, RadioSort, "IP Addr/DNS Name:", "", 1, nullptr, 0, kByAddressId},
    PaneControl{K::Check, WarnCurrent, "Warn Before Deleting Profile:",
                "Should Vantrel seek confirmation before you delete\n a profile from the Profile Manager?"},
};

constexpr std::array kStartupControls{
    PaneControl{K::Check, StartTask,
                "Send to System Tray:", "When Vantrel is started, send it directly to the System Tray."},
    PaneControl{K::Check, StartISP,
                "Start ISPinger:", "When Vantrel is started, start ISPinger automatically."},
};

constexpr std::array kResourceControls{
    PaneControl{K::Number, PurgeStatus, "Purge Results Text At:",
                "Clear all text in the 'Results' window.\nRange is 1 - 5 Megabytes.", 0, "Mb"},
    PaneControl{K::Number, PurgeLog,
                "Purge Log At:", "Clear all text in the Log.\nRange is 1 - 99 Megabytes.", 0, "Mb"},
};

constexpr std::array<PaneControl, 0> kNoControls{};

constexpr std::array kGroups{
    PaneGroup{"Profile Manager", kProfileControls, 0},
    PaneGroup{"Startup", kStartupControls, 1},
    PaneGroup{"Resource Management", kResourceControls, 1},
    PaneGroup{"Export/Import Settings", kNoControls, 2},
};

struct SettingsButton {
    int id;
    const char* caption;
    const char* tip;
};
constexpr std::array kSettingsButtons{
    SettingsButton{CNxOtherOptionsPaneDialog::kExportId, "Export Settings",
                   "Export Vantrel's settings to a file."},
    SettingsButton{CNxOtherOptionsPaneDialog::kImportId, "Import Settings",
                   "Import Vantrel's settings from an import file."},
    SettingsButton{CNxOtherOptionsPaneDialog::kResetGuiId, "Reset GUI",
                   "Reset the user interface to it's original configuration."},
};

} // namespace

CNxOtherOptionsPaneDialog::CNxOtherOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent)
    : OptionPane(options, parent) {
    setObjectName(QStringLiteral("OtherOptionsPane"));
    buildGroups(kGroups);

    // Export and Import in their group; Reset GUI under it.
    QGridLayout* exportImport = groupColumn(QStringLiteral("Export/Import Settings"), 0);
    for (const SettingsButton& spec : kSettingsButtons) {
        auto* button = new QPushButton(QString::fromLatin1(spec.caption), this);
        button->setObjectName(QStringLiteral("button%1").arg(spec.id));
        if (spec.id == kResetGuiId)
            groupStack(2)->addWidget(button, 0, Qt::AlignLeft);
        else
            exportImport->addWidget(button, exportImport->rowCount(), 0);
        addOwnControl(button, spec.id, QString::fromLatin1(spec.tip));
    }

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
