#pragma once

#include <QString>
#include <system_error>

namespace vantrel::output {

// Whether a path, or an open file, is a regular file on a real file system: the only kind the log writes
// into. A device, a pipe, a socket or a folder is not, and neither is a file of the kernel's interfaces
// (proc, sys and their kin), which looks like an empty regular file but changes the system when written.
// Nothing for such a file, else the LogFault that says what it is. A missing path is no fault here.
std::error_code logTargetFault(const QString& path);
std::error_code logTargetFault(int fd);

} // namespace vantrel::output
