#pragma once

#include "log/LogFrontEnd.h"

#include <QString>
#include <system_error>

namespace vantrel::output {

// The text of "Could not clear the log. %s" for a file error. Causes with a text of their own get it;
// too many open files, a full disk or folder, a hardware I/O error and a lock violation show
// "Error Message - N." with the system's error number N; anything else is the unspecified error.
QString clearLogErrorText(std::error_code error);

// The message when the desktop cannot open the log at path (ShowLog), for the reason it gives; it names the
// file, and its folder when no program for it is set.
QString showLogErrorText(OpenFailure failure, const QString& path);

// The message when the log file cannot be opened (the system's reason), or is not a log that can be
// written into (a LogFault, found at the open or at a write).
QString openLogErrorText(const QString& path, std::error_code error);

// The message when a write to the log fails and logging stops.
QString writeLogErrorText(std::error_code error);

} // namespace vantrel::output
