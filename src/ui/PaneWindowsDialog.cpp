#include "ui/PaneWindowsDialog.h"

#include "text/PaneTexts.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::ui {

PaneWindowsDialog::PaneWindowsDialog(const QList<QDockWidget*>& panes, QWidget* parent)
    : QDialog(parent)
    , m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("WindowsDialog"));
    setWindowTitle(output::text(output::res::kWindowsDialogTitle));
    auto* label = new QLabel(output::text(output::res::kDockingWindowsLabel), this);
    label->setBuddy(m_list);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (QDockWidget* pane : panes) {
        auto* item = new QListWidgetItem(pane->windowTitle(), m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        m_panes.append(pane);
        connect(pane->toggleViewAction(), &QAction::toggled, this, &PaneWindowsDialog::refresh);
    }
    refresh();
    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        QDockWidget* pane = paneOf(m_list->row(item));
        const bool shown = item->checkState() == Qt::Checked;
        if (pane && pane->toggleViewAction()->isChecked() != shown)
            pane->setVisible(shown);
    });
    connect(m_list, &QListWidget::itemActivated, this, [this] { activateSelected(); });

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    auto addButton = [&](const QString& caption, const QString& name, auto action) {
        QPushButton* button = buttons->addButton(caption, QDialogButtonBox::ActionRole);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, action);
    };
    addButton(output::text(output::res::kActivateButton), QStringLiteral("ActivateButton"),
              [this] { activateSelected(); });
    addButton(output::text(output::res::kShowButton), QStringLiteral("ShowButton"),
              [this] { showSelected(true); });
    addButton(output::text(output::res::kHideButton), QStringLiteral("HideButton"),
              [this] { showSelected(false); });
    buttons->addButton(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(label);
    left->addWidget(m_list);
    layout->addLayout(left);
    layout->addWidget(buttons);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

QDockWidget* PaneWindowsDialog::paneOf(int row) const {
    return row >= 0 && row < m_panes.size() ? m_panes.at(row).data() : nullptr;
}

void PaneWindowsDialog::refresh() {
    const QSignalBlocker quiet(m_list);
    for (int row = 0; row < m_list->count(); ++row) {
        const QDockWidget* pane = paneOf(row);
        m_list->item(row)->setCheckState(pane && pane->toggleViewAction()->isChecked() ? Qt::Checked
                                                                                       : Qt::Unchecked);
    }
}

void PaneWindowsDialog::showSelected(bool shown) {
    for (const QListWidgetItem* item : m_list->selectedItems()) {
        if (QDockWidget* pane = paneOf(m_list->row(item)))
            pane->setVisible(shown);
    }
}

void PaneWindowsDialog::activateSelected() {
    QDockWidget* pane = paneOf(m_list->currentRow());
    if (!pane)
        return;
    pane->show();
    // A pane in a tab group comes to the front of it; a floating one is a window of its own.
    pane->raise();
    pane->activateWindow();
    if (QWidget* content = pane->widget())
        content->setFocus(Qt::OtherFocusReason);
    accept();
}

} // namespace vantrel::ui
