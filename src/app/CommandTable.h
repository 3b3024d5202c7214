#pragma once

#include "text/StringResource.h"

#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <map>
#include <span>

class QAction;
class QObject;

namespace vantrel::app {

// One command of the frame: its ID, its caption as created (menu text or padded button text), its
// accelerators, and its caption in the Results window's context menu (none when it is not there).
struct CommandSpec {
    int id;
    const output::TextTemplate<>* caption;
    QList<QKeySequence> keys;
    const output::TextTemplate<>* contextCaption = nullptr;
};

// Every command of the frame, with its caption and accelerators.
std::span<const CommandSpec> commandSpecs();

// One QAction per command ID, created from the table above and owned by `owner`. Menus, toolbars,
// accelerators and the status panes all reach a command through its action, so a disabled command is
// not carried out from any of them.
class CommandTable {
public:
    explicit CommandTable(QObject* owner);

    // The action of a command; nullptr for an ID that is not in the table.
    QAction* action(int id) const;
    // Runs a command the way its sources do: only while it is enabled. False when it did not run.
    bool trigger(int id) const;
    // Sets a command's caption. A button caption keeps its padding blanks in the action's text (its
    // accelerator and accessible texts); the button shows it without them. A button whose caption is
    // another than its first ("Cancel", "Stop Logging") is running: it shows a stop picture meanwhile.
    void setCaption(int id, const QString& caption) const;
    // The caption in the Results window's context menu, which follows the state as the menu's does:
    // the table's own while the command has its first caption, otherwise the caption in force with the
    // context menu's access key ("Stop Logg&ing", "Cancel &Ping").
    QString contextCaption(int id) const;
    void setEnabled(int id, bool enabled) const;
    QList<QAction*> actions() const;

private:
    std::map<int, QAction*> m_actions;
    std::map<int, const CommandSpec*> m_specs;
    void showRunning(int id, QAction& command, bool running) const;

    // The pictures of the buttons that show the stop picture while they run.
    mutable std::map<int, QIcon> m_idleIcons;
};

} // namespace vantrel::app
