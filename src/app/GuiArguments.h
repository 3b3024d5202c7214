#pragma once

#include "settings/StoreLocation.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vantrel::app {

// The desktop program's command line: vantrel [--config-dir DIR] [--home-dir DIR] [HOST], or --help, or
// --version.
struct GuiArguments {
    std::optional<QString> configDir;
    std::optional<QString> homeDir;
    std::optional<QString> host; // put into the host box at start instead of the last host
    bool helpRequested = false;
    bool versionRequested = false;
    QString error; // not empty when the command line is wrong
};

// Parses the arguments after the program name.
GuiArguments parseGuiArguments(const QStringList& arguments);
QString guiUsage();

using settings::resolveHomeDir;

} // namespace vantrel::app
