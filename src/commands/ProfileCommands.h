#pragma once

#include "commands/LogCommands.h"
#include "settings/ProfileBook.h"
#include "text/MessageSink.h"

#include <QString>
#include <optional>

namespace vantrel::output {

// The state of the profile command's three sources (cmd::kAddProfileButton, cmd::kProfilePaneButton,
// cmd::kAddProfile): enabled while both boxes hold a text, captioned by what the command would do.
// Nothing for other IDs.
std::optional<CommandUpdate> profileCommandUpdate(int id, settings::ProfileAction action, bool enabled);
// The pane button's tooltip for what the command would do.
QString profileButtonTip(settings::ProfileAction action);
// A header section's tooltip, which says what a click on it does next.
QString profileHeaderTip(int column, std::optional<settings::ProfileBook::SortState> sorted);

// A refused profile change as the user is told (name is the refused name; reason, for NotSaved, why the
// store did not take it).
struct ProfileMessage {
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::Error;
};
std::optional<ProfileMessage> profileRefusalMessage(settings::ProfileRefusal refusal, const QString& name,
                                                    const QString& reason);

} // namespace vantrel::output
