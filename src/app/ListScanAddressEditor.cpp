#include "app/ListScanAddressEditor.h"

#include "commands/AddressEditMessage.h"
#include "settings/LiveOptions.h"
#include "text/MessageTexts.h"
#include "ui/EntryListEditor.h"

#include <QLineEdit>
#include <QTreeWidget>

namespace vantrel::app {

using settings::AddressEdit;
using settings::OptionId;

ListScanAddressEditor::ListScanAddressEditor(ui::EntryListEditor& editor, settings::LiveOptions& options,
                                             FrameHooks hooks, QObject* parent)
    : QObject(parent)
    , m_editor(editor)
    , m_options(options)
    , m_hooks(std::move(hooks)) {
    connect(&m_editor, &ui::EntryListEditor::buttonClicked, this, &ListScanAddressEditor::addOrDelete);
    connect(&m_editor, &ui::EntryListEditor::entryClicked, this,
            [this](const QString& text) { m_editor.field()->setText(text); });
    connect(&m_editor, &ui::EntryListEditor::entryDoubleClicked, this, [this](const QString& text) {
        m_editor.field()->setText(text);
        m_hooks.pingHost(text);
    });
}

void ListScanAddressEditor::load(settings::RegistryStore& store, const QStringList& entries) {
    m_list = std::make_unique<settings::ListScanAddressList>(store, entries);
    m_editor.setEntries(entries);
}

QStringList ListScanAddressEditor::entries() const {
    return m_editor.entries();
}

void ListScanAddressEditor::sortIfAutoSorted() {
    if (m_options.isOn(OptionId::ListScanAutoSort))
        m_editor.sortAscending();
}

void ListScanAddressEditor::addOrDelete() {
    if (!m_list)
        return;
    const QString typed = m_editor.field()->text();
    const bool sorted = m_options.isOn(OptionId::ListScanAutoSort);
    const AddressEdit result = m_list->addOrDelete(typed, sorted);
    const QString refusal = output::addressEditMessage(result, *m_list, typed);
    if (!refusal.isEmpty()) {
        // A change the store did not take is no fault of the text typed.
        m_hooks.showError(output::text(result == AddressEdit::NotSaved ? output::res::kSettingsErrorCaption
                                                                       : output::res::kInputErrorCaption),
                          refusal);
        return;
    }
    if (result == AddressEdit::Added) {
        m_editor.appendEntry(typed);
        if (sorted)
            m_editor.sortAscending();
        m_editor.selectEntry(m_editor.findEntry(typed));
    } else {
        if (const int next = m_editor.removeEntry(typed, sorted); next >= 0)
            showEntry(next);
    }
    m_hooks.refresh();
}

void ListScanAddressEditor::showEntry(int row) {
    m_editor.selectEntry(row);
    m_editor.field()->setText(m_editor.entries().value(row));
}

} // namespace vantrel::app
