#include "ui/ToolBarCustomizeDialog.h"

#include "text/PaneTexts.h"
#include "ui/CNxMFCToolBar.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::ui {

ToolBarCustomizeDialog::ToolBarCustomizeDialog(const QList<CNxMFCToolBar*>& bars, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("CustomizeDialog"));
    setWindowTitle(output::text(output::res::kCustomizeDialogTitle));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);
    for (CNxMFCToolBar* bar : bars) {
        auto* group = new QGroupBox(bar->windowTitle(), this);
        auto* buttons = new QVBoxLayout(group);
        for (const QAction* command : bar->commands()) {
            const int id = command->data().toInt();
            // The caption as the button shows it, without its padding.
            auto* box = new QCheckBox(command->iconText().trimmed(), group);
            box->setObjectName(QStringLiteral("show%1").arg(id));
            box->setChecked(bar->commandShown(id));
            connect(box, &QCheckBox::toggled, bar,
                    [bar, id](bool shown) { bar->setCommandShown(id, shown); });
            buttons->addWidget(box);
            m_buttons.emplace(id, Button{bar, box});
        }
        buttons->addStretch();
        columns->addWidget(group);
    }
    auto* box = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* reset = box->addButton(output::text(output::res::kResetButton), QDialogButtonBox::ResetRole);
    reset->setObjectName(QStringLiteral("ResetButton"));
    // Enter closes the dialog; only a click resets.
    reset->setAutoDefault(false);
    box->button(QDialogButtonBox::Close)->setDefault(true);
    connect(reset, &QPushButton::clicked, this, &ToolBarCustomizeDialog::reset);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
}

QCheckBox* ToolBarCustomizeDialog::checkBox(int id) const {
    const auto found = m_buttons.find(id);
    return found == m_buttons.end() ? nullptr : found->second.box;
}

void ToolBarCustomizeDialog::reset() {
    for (const auto& [id, button] : m_buttons) {
        button.bar->setCommandShown(id, true);
        button.box->setChecked(true);
    }
}

} // namespace vantrel::ui
