#pragma once

#include "app/LogCommands.h"

#include <QColor>
#include <QString>
#include <optional>

namespace vantrel::app {

// How one status pane looks after a refresh.
struct PaneLook {
    QString text;
    std::optional<QColor> background; // empty: the style's default
    QColor textColour;
    std::optional<QString> toolTip; // empty: the tooltip stays as it was

    bool operator==(const PaneLook&) const = default;
};

inline const QColor kPaneGreen{0, 255, 0};
inline const QColor kPaneYellow{255, 255, 0};
inline const QColor kPaneTomato{255, 99, 71};
inline const QColor kPaneBlue{0, 0, 255};
inline const QColor kPaneGrey{128, 128, 128};
inline const QColor kPaneDarkText{18, 0, 0};

// A size as the panes show it: whole bytes below 100,000, else decimal megabytes with two decimals.
QString paneSizeText(const char* prefix, double bytes);

// Pane 904, the Results window's text size in bytes.
PaneLook textSizePaneLook(double bytes);
// Pane 903, "  LOG".
PaneLook logPaneLook(const LogSnapshot& log);
// Pane 905, the log size.
PaneLook logSizePaneLook(const LogSnapshot& log);
// Whether the open log has grown past its purge limit of `purgeLogMb` decimal megabytes.
bool logNeedsPurge(const LogSnapshot& log, int purgeLogMb);

} // namespace vantrel::app
