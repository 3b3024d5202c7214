#pragma once

#include "commands/CommandIds.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace vantrel::output {

// What the log's commands depend on.
struct LogCommandInputs {
    bool logging = false;
    bool fileBoxEmpty = true;
    bool fileOpen = false;
    std::int64_t fileSize = 0;
};

// A command's state for the GUI's update routine; a missing field stays as it is. For the file-name box,
// readOnly also means that its browse button is removed (and shown, with default extension "rtf", when
// it is editable).
struct CommandUpdate {
    std::optional<bool> enabled;
    std::optional<QString> caption;
    std::optional<bool> checked;
    std::optional<bool> readOnly;

    bool operator==(const CommandUpdate&) const = default;
};

// The state of one of the log commands and controls (cmd::kStartLoggingMenu ... cmd::kLogFileBox);
// nothing for other IDs.
std::optional<CommandUpdate> logCommandUpdate(int id, const LogCommandInputs& in);

// The tooltips the Log options pane shows when asked for one.
QString logFileBoxTip(bool readOnly);
QString logCheckBoxTip(bool checked, bool fileBoxEmpty);

} // namespace vantrel::output
