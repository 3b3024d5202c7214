#pragma once

#include <QString>

namespace vantrel::app {

// Where the manual `fileName` is: in the home folder when it is there (a build tree, a portable copy),
// otherwise where an installation puts it beside the program's bin folder (share/doc/vantrel). The home
// folder's path when neither has it, so a message names the usual place.
QString manualPath(const QString& homeDir, const QString& programDir, const QString& fileName);

} // namespace vantrel::app
