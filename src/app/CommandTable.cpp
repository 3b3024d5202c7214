#include "app/CommandTable.h"

#include "app/VisualStyles.h"
#include "commands/CommandIds.h"

#include <QAction>
#include <array>

namespace vantrel::app {

namespace {

using K = QKeySequence;

const std::array kCommands = {
    // Operations: menu items and buttons.
    CommandSpec{cmd::kPingMenu, "&Ping", {}, "&Ping"},
    CommandSpec{cmd::kLookupMenu, "&Lookup", {}, "&Lookup"},
    CommandSpec{cmd::kTraceMenu, "&Trace", {}, "&Trace"},
    CommandSpec{cmd::kSeqScanMenu, "SeqScan", {}, "SeqScan"},
    CommandSpec{cmd::kListScanMenu, "L&istScan", {}, "ListScan"},
    CommandSpec{cmd::kPingButton, "         Ping         ", {K(Qt::CTRL | Qt::Key_P)}},
    CommandSpec{cmd::kLookupButton, "      Lookup      ", {K(Qt::CTRL | Qt::Key_L)}},
    CommandSpec{cmd::kTraceButton, "       Trace       ", {K(Qt::CTRL | Qt::Key_T)}},
    CommandSpec{cmd::kSeqScanButton, "      SeqScan      ", {K(Qt::CTRL | Qt::Key_S)}},
    CommandSpec{cmd::kListScanButton, "      ListScan      ", {K(Qt::CTRL | Qt::Key_I)}},
    // Option panes.
    CommandSpec{cmd::kShowAllOptions, "S&how All Options", {K(Qt::CTRL | Qt::Key_H)}, "S&how All Options"},
    CommandSpec{cmd::kOptionsButton, "      Options      ", {}},
    CommandSpec{cmd::kPingOptions, "Ping/TraceRoute", {}},
    CommandSpec{cmd::kLogOptions, "Log", {}},
    CommandSpec{cmd::kSeqScanOptions, "SeqScan", {}},
    CommandSpec{cmd::kListScanOptions, "ListScan", {}},
    CommandSpec{cmd::kISPingerOptions, "ISPinger", {}},
    CommandSpec{cmd::kOtherOptions, "Other", {}},
    // ISPinger, tray, profiles.
    CommandSpec{cmd::kISPingerMenu, "ISPi&nger", {}, "Start ISPi&nger"},
    CommandSpec{cmd::kISPingerButton, "      ISPinger      ", {K(Qt::CTRL | Qt::Key_N)}},
    CommandSpec{cmd::kSystemTrayMenu, "System Tra&y", {K(Qt::CTRL | Qt::Key_Y)}},
    CommandSpec{cmd::kSystemTrayButton, "      System Tray      ", {}},
    CommandSpec{cmd::kAddProfileButton, "      Add Profile      ", {}},
    CommandSpec{cmd::kAddProfile, "Add Pro&file", {K(Qt::CTRL | Qt::Key_F)}, "Add Pro&file"},
    CommandSpec{cmd::kProfilePaneButton, "Add Profile", {}},
    CommandSpec{cmd::kExit, "E&xit", {K(Qt::CTRL | Qt::Key_E)}, "&Exit"},
    // Log.
    CommandSpec{cmd::kStartLoggingMenu, "Start &Logging", {}, "Start Logg&ing"},
    CommandSpec{cmd::kShowLogMenu, "&Show Log", {}, "Show Lo&g"},
    CommandSpec{cmd::kClearLogMenu, "&Clear Log", {}, "Cle&ar Log"},
    CommandSpec{cmd::kStartLoggingButton, "      Start Logging       ", {K(Qt::CTRL | Qt::Key_O)}},
    CommandSpec{cmd::kShowLogButton, "      Show Log      ", {K(Qt::CTRL | Qt::Key_W)}},
    CommandSpec{cmd::kClearLogButton, "      Clear Log       ", {K(Qt::CTRL | Qt::Key_G)}},
    // Status panes.
    CommandSpec{cmd::kLogPane, "  LOG", {}},
    CommandSpec{cmd::kTextSizePane, "Clear Results", {}},
    CommandSpec{cmd::kLogSizePane, "Clear Log", {}},
    // Settings.
    CommandSpec{cmd::kExportSettings, "Export Settings", {}},
    CommandSpec{cmd::kImportSettings, "Import Settings", {}},
    CommandSpec{cmd::kResetGui, "Reset &GUI", {}},
    // View.
    CommandSpec{cmd::kStatusBar, "&Status Bar", {}},
    CommandSpec{cmd::kRoundTripPlotPane, "&Round Trip Plot", {}},
    CommandSpec{cmd::kCustomize, "Customize...", {}},
    CommandSpec{cmd::kWindowsDialog, "Windows...", {}},
    // Help.
    CommandSpec{cmd::kHelpTopics, "&Help Topics", {K(Qt::Key_F1)}, "Help T&opics"},
    CommandSpec{cmd::kContextHelp, "Context Help", {K(Qt::SHIFT | Qt::Key_F1)}},
    CommandSpec{cmd::kAbout, "&About Vantrel...", {}},
    CommandSpec{cmd::kAboutWinsock, "About Your &Winsock", {}},
    CommandSpec{cmd::kHomepage, "&Quenlo Homepage", {}},
    CommandSpec{cmd::kSendEmail, "&Send an EMail to Pimbo", {}},
    // Edit commands on the toolbar boxes.
    CommandSpec{cmd::kClearAllText, "Clea&r All Text", {K(Qt::SHIFT | Qt::Key_Delete)}, "Clea&r All Text"},
    CommandSpec{cmd::kCopy, "Cop&y", {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)}, "Cop&y"},
    CommandSpec{cmd::kCut, "&Cut", {K(Qt::CTRL | Qt::Key_X)}, "&Cut"},
    CommandSpec{cmd::kPaste, "&Paste", {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)}},
    CommandSpec{cmd::kSelectAll, "&Select All", {K(Qt::CTRL | Qt::Key_A)}, "&Select All"},
    CommandSpec{cmd::kUndo, "&Undo", {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)}, "&Undo"},
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
        setCaption(spec.id, QString::fromLatin1(spec.caption));
    }
    // The visual styles are commands of the View menu too, checked while in force.
    for (const VisualStyle& style : visualStyles()) {
        auto* action = new QAction(QString::fromLatin1(style.menuText), owner);
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
    // A tool button shows the icon text, which Qt would derive from the text with its blanks trimmed;
    // the padding sets the button's width, so it is given explicitly.
    if (isButtonCaption(caption))
        command->setIconText(caption);
}

QString CommandTable::contextCaption(int id) const {
    const auto spec = m_specs.find(id);
    QAction* command = action(id);
    if (spec == m_specs.end() || !spec->second->contextCaption || !command)
        return command ? command->text() : QString();
    const QString own = QString::fromLatin1(spec->second->contextCaption);
    if (command->text() == QLatin1String(spec->second->caption))
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
