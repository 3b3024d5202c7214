#include "app/CommandTable.h"

#include "app/VisualStyles.h"
#include "commands/CommandIds.h"
#include "text/FrameTexts.h"
#include "text/MessageTexts.h"
#include "text/PathMonitorTexts.h"
#include "ui/ToolIcons.h"

#include <QAction>
#include <array>

namespace vantrel::app {

namespace {

using K = QKeySequence;
namespace res = output::res;

const std::array kCommands = {
    // Operations: menu items and buttons.
    CommandSpec{cmd::kPingMenu, &res::kPingMenu, {}, &res::kPingMenu},
    CommandSpec{cmd::kLookupMenu, &res::kLookupMenu, {}, &res::kLookupMenu},
    CommandSpec{cmd::kTraceMenu, &res::kTraceMenu, {}, &res::kTraceMenu},
    CommandSpec{cmd::kSeqScanMenu, &res::kSeqScanCaption, {}, &res::kSeqScanCaption},
    CommandSpec{cmd::kListScanMenu, &res::kListScanMenu, {}, &res::kListScanCaption},
    CommandSpec{cmd::kPingButton, &res::kPingButton, {K(Qt::CTRL | Qt::Key_P)}},
    CommandSpec{cmd::kLookupButton, &res::kLookupButton, {K(Qt::CTRL | Qt::Key_L)}},
    CommandSpec{cmd::kTraceButton, &res::kTraceButton, {K(Qt::CTRL | Qt::Key_T)}},
    CommandSpec{cmd::kSeqScanButton, &res::kSeqScanButton, {K(Qt::CTRL | Qt::Key_S)}},
    CommandSpec{cmd::kListScanButton, &res::kListScanButton, {K(Qt::CTRL | Qt::Key_I)}},
    CommandSpec{cmd::kPathMonitorMenu, &res::kPathMonitorMenu, {}, &res::kPathMonitorMenu},
    CommandSpec{cmd::kPathMonitorButton, &res::kPathMonitorButton, {K(Qt::CTRL | Qt::Key_M)}},
    // Option panes.
    CommandSpec{cmd::kShowAllOptions,
                &res::kShowAllOptionsMenu,
                {K(Qt::CTRL | Qt::Key_H)},
                &res::kShowAllOptionsMenu},
    CommandSpec{cmd::kOptionsButton, &res::kOptionsButton, {}},
    CommandSpec{cmd::kPingOptions, &res::kPingOptionsCaption, {}},
    CommandSpec{cmd::kLogOptions, &res::kLogOptionsCaption, {}},
    CommandSpec{cmd::kSeqScanOptions, &res::kSeqScanCaption, {}},
    CommandSpec{cmd::kListScanOptions, &res::kListScanCaption, {}},
    CommandSpec{cmd::kISPingerOptions, &res::kIspOptionsCaption, {}},
    CommandSpec{cmd::kOtherOptions, &res::kOtherOptionsCaption, {}},
    // ISPinger, tray, profiles.
    CommandSpec{cmd::kISPingerMenu, &res::kIspMenu, {}, &res::kIspStartMenu},
    CommandSpec{cmd::kISPingerButton, &res::kIspButton, {K(Qt::CTRL | Qt::Key_N)}},
    CommandSpec{cmd::kSystemTrayMenu, &res::kSystemTrayMenu, {K(Qt::CTRL | Qt::Key_Y)}},
    CommandSpec{cmd::kSystemTrayButton, &res::kSystemTrayButton, {}},
    CommandSpec{cmd::kAddProfileButton, &res::kAddProfileButton, {}},
    CommandSpec{
        cmd::kAddProfile, &res::kAddProfileMenuItem, {K(Qt::CTRL | Qt::Key_F)}, &res::kAddProfileMenuItem},
    CommandSpec{cmd::kProfilePaneButton, &res::kAddProfilePane, {}},
    CommandSpec{cmd::kExit, &res::kExitMenu, {K(Qt::CTRL | Qt::Key_E)}, &res::kExitContext},
    // Log.
    CommandSpec{cmd::kStartLoggingMenu, &res::kStartLoggingMenu, {}, &res::kStartLoggingContext},
    CommandSpec{cmd::kShowLogMenu, &res::kShowLogMenu, {}, &res::kShowLogContext},
    CommandSpec{cmd::kClearLogMenu, &res::kClearLogMenu, {}, &res::kClearLogContext},
    CommandSpec{cmd::kStartLoggingButton, &res::kStartLoggingButton, {K(Qt::CTRL | Qt::Key_O)}},
    CommandSpec{cmd::kShowLogButton, &res::kShowLogButton, {K(Qt::CTRL | Qt::Key_W)}},
    CommandSpec{cmd::kClearLogButton, &res::kClearLogButton, {K(Qt::CTRL | Qt::Key_G)}},
    // Status panes.
    CommandSpec{cmd::kLogPane, &res::kLogPane, {}},
    CommandSpec{cmd::kTextSizePane, &res::kClearResultsPaneCommand, {}},
    CommandSpec{cmd::kLogSizePane, &res::kClearLogPaneCommand, {}},
    // Settings.
    CommandSpec{cmd::kExportSettings, &res::kExportSettingsMenu, {}},
    CommandSpec{cmd::kImportSettings, &res::kImportSettingsMenu, {}},
    CommandSpec{cmd::kResetGui, &res::kResetGuiMenu, {}},
    // View.
    CommandSpec{cmd::kStatusBar, &res::kStatusBarMenu, {}},
    CommandSpec{cmd::kRoundTripPlotPane, &res::kRoundTripPlotMenu, {}},
    CommandSpec{cmd::kWatchPane, &res::kWatchPaneMenu, {}},
    CommandSpec{cmd::kPathMonitorPane, &res::kPathMonitorPaneMenu, {}},
    CommandSpec{cmd::kCustomize, &res::kCustomizeMenu, {}},
    CommandSpec{cmd::kWindowsDialog, &res::kWindowsMenu, {}},
    // Help.
    CommandSpec{cmd::kHelpTopics, &res::kHelpTopicsMenu, {K(Qt::Key_F1)}, &res::kHelpTopicsContext},
    CommandSpec{cmd::kContextHelp, &res::kContextHelpMenu, {K(Qt::SHIFT | Qt::Key_F1)}},
    CommandSpec{cmd::kAbout, &res::kAboutMenu, {}},
    CommandSpec{cmd::kAboutWinsock, &res::kAboutWinsockMenu, {}},
    CommandSpec{cmd::kHomepage, &res::kHomepageMenu, {}},
    CommandSpec{cmd::kSendEmail, &res::kSendEmailMenu, {}},
    // Edit commands on the toolbar boxes.
    CommandSpec{cmd::kClearAllText,
                &res::kClearAllTextMenu,
                {K(Qt::SHIFT | Qt::Key_Delete)},
                &res::kClearAllTextMenu},
    CommandSpec{cmd::kCopy,
                &res::kCopyMenu,
                {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)},
                &res::kCopyMenu},
    CommandSpec{cmd::kCut, &res::kCutMenu, {K(Qt::CTRL | Qt::Key_X)}, &res::kCutMenu},
    CommandSpec{cmd::kPaste, &res::kPasteMenu, {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)}},
    CommandSpec{cmd::kSelectAll, &res::kSelectAllMenu, {K(Qt::CTRL | Qt::Key_A)}, &res::kSelectAllMenu},
    CommandSpec{cmd::kUndo,
                &res::kUndoMenu,
                {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)},
                &res::kUndoMenu},
};

bool isButtonCaption(const QString& caption) {
    return caption.startsWith(QLatin1Char(' ')) || caption.endsWith(QLatin1Char(' '));
}

} // namespace

std::span<const CommandSpec> commandSpecs() {
    return kCommands;
}

CommandTable::CommandTable(QObject* owner) {
    for (const CommandSpec& spec : kCommands) {
        auto* action = new QAction(owner);
        action->setData(spec.id);
        action->setShortcuts(spec.keys);
        m_actions.emplace(spec.id, action);
        m_specs.emplace(spec.id, &spec);
        setCaption(spec.id, output::text(*spec.caption));
    }
    // The visual styles are commands of the View menu too, checked while in force.
    for (const VisualStyle& style : visualStyles()) {
        auto* action = new QAction(output::text(*style.menuText), owner);
        action->setData(style.id);
        action->setCheckable(true);
        m_actions.emplace(style.id, action);
    }
}

QAction* CommandTable::action(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

bool CommandTable::trigger(int id) const {
    QAction* command = action(id);
    if (!command || !command->isEnabled())
        return false;
    command->trigger();
    return true;
}

void CommandTable::setCaption(int id, const QString& caption) const {
    QAction* command = action(id);
    if (!command || command->text() == caption)
        return;
    command->setText(caption);
    // The padding set the buttons' widths where they were drawn by hand; a tool button here takes the
    // platform's spacing beside its icon, so it shows the caption without the blanks.
    if (!isButtonCaption(caption))
        return;
    command->setIconText(caption.trimmed());
    if (const auto spec = m_specs.find(id); spec != m_specs.end())
        showRunning(id, *command, caption != output::text(*spec->second->caption));
}

void CommandTable::showRunning(int id, QAction& command, bool running) const {
    const auto idle = m_idleIcons.find(id);
    if (running && idle == m_idleIcons.end()) {
        m_idleIcons.emplace(id, command.icon());
        command.setIcon(ui::toolIcon(ui::ToolIcon::Stop));
    } else if (!running && idle != m_idleIcons.end()) {
        command.setIcon(idle->second);
        m_idleIcons.erase(idle);
    }
}

QString CommandTable::contextCaption(int id) const {
    const auto spec = m_specs.find(id);
    QAction* command = action(id);
    if (spec == m_specs.end() || !spec->second->contextCaption || !command)
        return command ? command->text() : QString();
    const QString own = output::text(*spec->second->contextCaption);
    if (command->text() == output::text(*spec->second->caption))
        return own;
    QString caption = command->text();
    caption.remove(QLatin1Char('&'));
    const qsizetype marker = own.indexOf(QLatin1Char('&'));
    if (marker >= 0 && marker + 1 < own.size()) {
        const qsizetype at = caption.lastIndexOf(own.at(marker + 1), -1, Qt::CaseInsensitive);
        if (at >= 0)
            caption.insert(at, QLatin1Char('&'));
    }
    return caption;
}

void CommandTable::setEnabled(int id, bool enabled) const {
    if (QAction* command = action(id))
        command->setEnabled(enabled);
}

QList<QAction*> CommandTable::actions() const {
    QList<QAction*> all;
    for (const auto& [id, command] : m_actions)
        all.append(command);
    return all;
}

} // namespace vantrel::app
