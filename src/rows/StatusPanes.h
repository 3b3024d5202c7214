#pragma once

#include "rtf/ResultKind.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace vantrel::output {

// What a status pane shows. A missing background or text colour means the status bar's default; a missing
// tooltip means the tooltip stays as it is.
struct StatusPaneState {
    QString text;
    std::optional<Rgb> background;
    std::optional<Rgb> textColor;
    std::optional<QString> tooltip;

    bool operator==(const StatusPaneState&) const = default;
};

// Pane 904 for the Results window's text size in bytes (UTF-16 bytes of its plain text).
StatusPaneState textSizePane(double bytes);

// Pane 903: "  LOG", blue while logging.
StatusPaneState logPane(bool logging);

// Pane 905 for the log file's size; nothing for a closed file.
StatusPaneState logSizePane(std::optional<std::int64_t> fileSize);

// Whether a size is above the purge limit of a number of decimal megabytes (exactly the limit is kept).
inline bool exceedsPurgeLimit(double bytes, int megabytes) {
    return bytes > double(megabytes) * 1'000'000.0;
}

} // namespace vantrel::output
