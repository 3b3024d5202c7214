#include "app/SeqScanPaneController.h"

#include "ops/SeqScanChecks.h"
#include "settings/LiveOptions.h"
#include "text/MessageTexts.h"
#include "ui/CNxSeqScanOptionsPaneDialog.h"
#include "ui/EntryListEditor.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTreeWidget>
#include <algorithm>

namespace vantrel::app {

using settings::OctetField;
using settings::OptionId;
using Pane = ui::CNxSeqScanOptionsPaneDialog;

SeqScanPaneController::SeqScanPaneController(Pane& pane, settings::LiveOptions& options, FrameHooks hooks,
                                             QObject* parent)
    : QObject(parent)
    , m_pane(pane)
    , m_options(options)
    , m_hooks(std::move(hooks)) {
    // After the pane's own binding, so the options hold the text the checks start from.
    for (std::size_t i = 0; i < Pane::kEditableOctetIds.size(); ++i) {
        QLineEdit* field = m_pane.octetField(Pane::kEditableOctetIds[i]);
        connect(field, &QLineEdit::textChanged, this, [this, i] { octetChanged(int(i)); });
        field->installEventFilter(this);
    }
    ui::EntryListEditor& groups = *m_pane.groupList();
    connect(groups.field(), &QLineEdit::textChanged, this, &SeqScanPaneController::groupNameChanged);
    connect(&groups, &ui::EntryListEditor::buttonClicked, this, &SeqScanPaneController::AddOrDeleteGroup);
    connect(&groups, &ui::EntryListEditor::entryClicked, this, [this] {
        ShowSelectedGroup(
            m_pane.groupList()->list()->indexOfTopLevelItem(m_pane.groupList()->list()->currentItem()));
    });
    connect(&groups, &ui::EntryListEditor::entryDoubleClicked, this, [this] {
        ShowSelectedGroup(
            m_pane.groupList()->list()->indexOfTopLevelItem(m_pane.groupList()->list()->currentItem()));
        m_hooks.runSeqScan();
    });
    connect(&m_pane, &ui::OptionPane::optionChanged, this, [this](OptionId option) {
        if (option != OptionId::SeqScanAutoSort || !m_groups)
            return;
        // Turned on, the list is sorted once; turned off, it keeps its order.
        m_groups->setAutoSort(m_options.isOn(option));
        if (m_options.isOn(option))
            m_pane.groupList()->sortAscending();
    });
}

void SeqScanPaneController::load(settings::RegistryStore& store, const QStringList& names) {
    m_groups =
        std::make_unique<settings::SeqScanGroups>(store, names, m_options.isOn(OptionId::SeqScanAutoSort));
    m_pane.groupList()->setEntries(m_groups->names());
}

bool SeqScanPaneController::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusOut && watched == m_advancedTo)
        m_advancedTo = nullptr;
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    const auto& ids = Pane::kEditableOctetIds;
    const auto index = std::size_t(
        std::find_if(ids.begin(), ids.end(), [&](int id) { return m_pane.octetField(id) == watched; }) -
        ids.begin());
    if (index == ids.size())
        return QObject::eventFilter(watched, event);
    const bool period = key->key() == Qt::Key_Period;
    if (!period && key->key() != Qt::Key_Right) {
        if (type == QEvent::KeyPress)
            m_advancedTo = nullptr;
        return QObject::eventFilter(watched, event);
    }
    if (type == QEvent::KeyRelease) {
        const bool justAdvanced = period && watched == m_advancedTo;
        m_advancedTo = nullptr;
        if (!justAdvanced)
            m_pane.octetField(ids[(index + 1) % ids.size()])->setFocus(Qt::TabFocusReason);
    }
    return true;
}

void SeqScanPaneController::octetChanged(int index) {
    const int id = Pane::kEditableOctetIds[std::size_t(index)];
    QLineEdit* field = m_pane.octetField(id);
    const QString caption = output::text(output::res::kIpAddressErrorCaption);
    const ops::OctetCorrection correction = ops::CheckOctetField(field->text());
    if (correction.changed()) {
        // Set anew, the field runs its checks and its own step once more, on the corrected text.
        field->setText(correction.text);
        if (correction.caret >= 0)
            field->setCursorPosition(correction.caret);
        if (!correction.message.isEmpty())
            m_hooks.report(field, caption, correction.message);
        return;
    }
    const auto octetField = OctetField(index);
    // A group being loaded brings its own end octets after its start: the start is not held against the
    // end of the range shown before it.
    if (!m_loadingGroup && (octetField == OctetField::Start3 || octetField == OctetField::Start4)) {
        const settings::SeqScanOctets octets = settings::SeqScanOctets::fromOptions(m_options);
        if (const std::optional<ops::OctetCorrection> limit = ops::limitStartOctet(octetField, octets)) {
            field->setText(limit->text);
            m_hooks.report(field, caption, limit->message);
            return;
        }
    }
    // Three digits typed, the next field takes the keys.
    if (field->text().size() >= 3 && field->hasFocus() && index + 1 < int(Pane::kEditableOctetIds.size())) {
        m_advancedTo = m_pane.octetField(Pane::kEditableOctetIds[std::size_t(index) + 1]);
        m_advancedTo->setFocus(Qt::OtherFocusReason);
    }
}

void SeqScanPaneController::groupNameChanged() {
    QLineEdit* field = m_pane.groupList()->field();
    if (!field->text().contains(QLatin1Char('\\')))
        return;
    // A group's name names its key in the store: no backslash can be part of it.
    field->setText(QString(field->text()).remove(QLatin1Char('\\')));
    m_hooks.report(field, output::text(output::res::kGroupFieldErrorCaption),
                   output::text(output::res::kGroupFieldBackslash));
}

void SeqScanPaneController::AddOrDeleteGroup() {
    ui::EntryListEditor& list = *m_pane.groupList();
    if (!m_groups)
        return;
    const QString name = list.field()->text();
    if (list.deleteMode()) {
        DeleteGroup(name);
        return;
    }
    if (!m_hooks.checkAddresses())
        return;
    const settings::SeqScanGroups::AddResult result =
        m_groups->add(name, settings::SeqScanOctets::fromOptions(m_options));
    if (result != settings::SeqScanGroups::AddResult::Added) {
        const ops::GroupRefusal refusal = ops::groupRefusal(result, *m_groups, name);
        if (result == settings::SeqScanGroups::AddResult::Backslash)
            m_hooks.setStatus(output::text(output::res::kGroupNameError));
        m_hooks.showMessage(refusal.caption, refusal.text);
        list.field()->setFocus(Qt::OtherFocusReason);
        list.field()->selectAll();
        m_hooks.setStatus(output::text(output::res::kReady));
        return;
    }
    list.appendEntry(name);
    if (m_options.isOn(OptionId::SeqScanAutoSort))
        list.sortAscending();
    list.selectEntry(list.findEntry(name));
    list.refreshButton();
}

void SeqScanPaneController::DeleteGroup(const QString& name) {
    // A group the store keeps stays in the list, and the user is told why.
    if (m_groups->remove(name) == settings::SeqScanGroups::RemoveResult::NotSaved) {
        m_hooks.showMessage(output::text(output::res::kSettingsErrorCaption),
                            output::fill(output::res::kGroupNotDeleted, m_groups->notSavedReason()));
        return;
    }
    const int next = m_pane.groupList()->removeEntry(name, m_options.isOn(OptionId::SeqScanAutoSort));
    if (next >= 0)
        ShowSelectedGroup(next);
}

void SeqScanPaneController::ShowSelectedGroup(int row) {
    ui::EntryListEditor& list = *m_pane.groupList();
    const QString name = list.entries().value(row);
    if (row < 0 || name.isEmpty())
        return;
    list.selectEntry(row);
    list.field()->setText(name);
    LoadGroup(name);
}

void SeqScanPaneController::LoadGroup(const QString& name) {
    const settings::SeqScanOctets octets = m_groups->octets(name);
    const QScopedValueRollback loading(m_loadingGroup, true);
    for (std::size_t i = 0; i < Pane::kEditableOctetIds.size(); ++i)
        m_pane.octetField(Pane::kEditableOctetIds[i])->setText(octets.texts[i]);
}

} // namespace vantrel::app
