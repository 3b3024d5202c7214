#include "app/ProfileManager.h"

#include "app/CommandTable.h"
#include "commands/CommandIds.h"
#include "commands/ProfileCommands.h"
#include "settings/LiveOptions.h"
#include "settings/RegistryStore.h"
#include "text/MessageTexts.h"
#include "ui/CHTMLDialogOKCancelBox.h"
#include "ui/CHostViewPane.h"
#include "ui/HostComboBox.h"

#include <QLineEdit>
#include <QTableWidget>
#include <array>

namespace vantrel::app {

namespace {

using settings::OptionId;

const QString kScreenSection = QStringLiteral("Screen");
const std::array<QString, 2> kWidthNames = {QStringLiteral("ProfNameCol"), QStringLiteral("IPDNSCol")};
constexpr int kDefaultWidth = 150;
// A stored width outside this range would hide a column or push the other out of reach.
constexpr int kWidestColumn = 4000;

constexpr std::array kCommandSources = {cmd::kAddProfileButton, cmd::kProfilePaneButton, cmd::kAddProfile};

std::array<int, 2> readColumnWidths(const settings::RegistryStore& store) {
    std::array<int, 2> widths{};
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const int stored = store.GetProfileInt(kScreenSection, kWidthNames[i], kDefaultWidth);
        widths[i] = stored > 0 && stored <= kWidestColumn ? stored : kDefaultWidth;
    }
    return widths;
}

} // namespace

ProfileManager::ProfileManager(settings::RegistryStore& store, const settings::LiveOptions& options,
                               const CommandTable& commands, FrameParts frame,
                               ui::FrameCommands frameCommands, QWidget* paneParent)
    : QObject(paneParent)
    , m_store(store)
    , m_options(options)
    , m_commands(commands)
    , m_frame(std::move(frame))
    , m_book(store)
    , m_confirmDelete([paneParent](const QString& caption, const QString& text) {
        return ui::ShowOkCancelBox(paneParent, caption, text, int(ops::MessageIcon::Warning), true);
    }) {
    m_pane = new ui::CHostViewPane(m_book, commands.action(cmd::kProfilePaneButton), std::move(frameCommands),
                                   readColumnWidths(store), paneParent);
    connect(m_pane, &ui::CHostViewPane::profileClicked, this, [this] { UseSelectedProfile(); });
    connect(m_pane, &ui::CHostViewPane::profileDoubleClicked, this, [this] {
        UseSelectedProfile();
        if (m_frame.ping)
            m_frame.ping();
    });
    // Handled once the edit has closed, so that a message box does not open over the editor.
    connect(m_pane, &ui::CHostViewPane::renameRequested, this, &ProfileManager::onRename,
            Qt::QueuedConnection);
    for (int id : kCommandSources)
        connect(commands.action(id), &QAction::triggered, this, [this] { ProfileCommand(); });
    connect(m_frame.profileNameBox, &QLineEdit::textChanged, this, [this] { ProfileCommandState(); });
    connect(m_frame.hostBox, &QComboBox::editTextChanged, this, [this] { ProfileCommandState(); });
}

ProfileManager::~ProfileManager() = default;

bool ProfileManager::autoSort() const {
    return m_options.isOn(OptionId::AutoSort);
}

int ProfileManager::sortColumn() const {
    return m_options.isOn(OptionId::RadioSort) ? settings::kAddressColumn : settings::kNameColumn;
}

void ProfileManager::LoadProfiles() {
    m_book.load(autoSort(), sortColumn());
    m_pane->refresh();
    ProfileCommandState();
}

void ProfileManager::ProfileCommand() {
    const QString name = m_frame.profileNameBox->text();
    const QString address = m_frame.hostBox->currentText();
    const bool deleting = settings::ProfileBook::canApply(name, address) &&
                          m_book.decide(name, address) == settings::ProfileAction::Delete;
    // The option is read now: it may have changed since the last command.
    if (deleting && m_options.isOn(OptionId::WarnCurrent) &&
        !m_confirmDelete(output::text(output::res::kProfileDeleteCaption),
                         output::text(output::res::kProfileDeleteWarning))) {
        m_frame.returnFocusToHostBox();
        return;
    }
    const settings::ProfileBook::Outcome outcome = m_book.apply(name, address, autoSort(), sortColumn());
    if (outcome.refusal != settings::ProfileRefusal::None) {
        tell(outcome.refusal, name);
        return;
    }
    m_pane->refresh(outcome.focusRow);
    if (deleting)
        UseSelectedProfile();
    ProfileCommandState();
    m_pane->list()->setFocus(Qt::OtherFocusReason);
}

void ProfileManager::ProfileCommandState() {
    const QString name = m_frame.profileNameBox->text();
    const QString address = m_frame.hostBox->currentText();
    const bool enabled = settings::ProfileBook::canApply(name, address);
    const settings::ProfileAction action = m_book.decide(name, address);
    for (int id : kCommandSources) {
        const std::optional<output::CommandUpdate> update = output::profileCommandUpdate(id, action, enabled);
        m_commands.setEnabled(id, update->enabled.value_or(false));
        m_commands.setCaption(id, update->caption.value_or(QString()));
    }
    m_pane->showCommandState(action);
    // The Hosts toolbar's button shows the same picture, changed only when the state changes.
    if (m_toolbarAction != action) {
        m_commands.action(cmd::kAddProfileButton)->setIcon(ui::CHostViewPane::commandIcon(action));
        m_toolbarAction = action;
    }
}

void ProfileManager::UseSelectedProfile() {
    const std::optional<int> row = m_pane->focusedRow();
    if (!row)
        return;
    const settings::ProfileEntry entry = m_book.at(*row);
    m_frame.profileNameBox->setText(entry.name);
    // The list keeps one entry for a host whatever its letter case; the box shows the profile's text.
    m_frame.hostBox->addToHistory(entry.address, m_options.isOn(OptionId::Sort));
    m_frame.hostBox->setEditText(entry.address);
}

void ProfileManager::sortIfAutoSort() {
    if (!autoSort())
        return;
    const std::optional<int> row = m_pane->focusedRow();
    const QString focused = row ? m_book.at(*row).name : QString();
    m_book.sort(sortColumn(), true);
    m_pane->refresh(row ? m_book.rowOf(focused) : std::nullopt);
}

void ProfileManager::onRename(int row, const QString& newName) {
    const settings::ProfileBook::RenameOutcome outcome =
        m_book.rename(row, newName, autoSort(), sortColumn());
    // The list shows the book's names: an edit that was refused or changed nothing shows the old one.
    m_pane->refresh(outcome.row);
    if (outcome.refusal != settings::ProfileRefusal::None)
        tell(outcome.refusal, newName);
    else if (outcome.renamed)
        m_frame.profileNameBox->setText(newName);
    ProfileCommandState();
}

void ProfileManager::tell(settings::ProfileRefusal refusal, const QString& name) {
    if (const std::optional<output::ProfileMessage> message =
            output::profileRefusalMessage(refusal, name, m_book.notSavedReason()))
        m_frame.showMessageBox(message->caption, message->text, ops::MessageIcon(int(message->icon)));
}

void ProfileManager::close() {
    const std::array<int, 2> widths = m_pane->columnWidths();
    m_store.writeValues(kScreenSection, std::array{settings::NamedValue{kWidthNames[0], widths[0]},
                                                   settings::NamedValue{kWidthNames[1], widths[1]}});
    m_pane->clearList();
}

} // namespace vantrel::app
