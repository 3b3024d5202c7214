#pragma once

#include <QString>

namespace vantrel::app {

// Opens a file with the desktop's default program for its type, through xdg-open; false when no default
// program is set for the type (or xdg-utils is missing). xdg-open itself starts even when no program is
// set and then fails out of sight, so the default is asked for first (xdg-mime).
bool openWithDefaultProgram(const QString& absolutePath);

} // namespace vantrel::app
