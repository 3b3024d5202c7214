#include "commands/LogCommands.h"

#include "text/MessageTexts.h"

namespace vantrel::output {

std::optional<CommandUpdate> logCommandUpdate(int id, const LogCommandInputs& in) {
    CommandUpdate update;
    const bool hasName = !in.fileBoxEmpty;
    const bool clearable = in.fileOpen && in.fileSize > 0;
    switch (id) {
    case cmd::kStartLoggingMenu:
        update.enabled = hasName;
        update.caption = text(in.logging ? res::kStopLoggingMenu : res::kStartLoggingMenu);
        break;
    case cmd::kStartLoggingButton:
        update.enabled = hasName;
        update.caption = text(in.logging ? res::kStopLoggingButton : res::kStartLoggingButton);
        break;
    case cmd::kLogCheckBox:
        update.enabled = hasName;
        update.checked = in.logging;
        break;
    case cmd::kShowLogMenu:
        update.enabled = true;
        update.caption = text(res::kShowLogMenu);
        break;
    case cmd::kShowLogButton:
        update.enabled = hasName;
        break;
    case cmd::kClearLogMenu:
        if (in.fileOpen)
            update.enabled = clearable;
        break;
    case cmd::kClearLogButton:
        update.enabled = clearable;
        break;
    case cmd::kLogFileBox:
        update.enabled = true;
        update.readOnly = in.logging;
        break;
    default:
        return std::nullopt;
    }
    return update;
}

QString logFileBoxTip(bool readOnly) {
    return text(readOnly ? res::kLogFileLockedTip : res::kLogFileBrowseTip);
}

QString logCheckBoxTip(bool checked, bool fileBoxEmpty) {
    if (checked)
        return text(res::kLogCheckStopTip);
    return text(fileBoxEmpty ? res::kLogPathMissing : res::kLogCheckStartTip);
}

} // namespace vantrel::output
