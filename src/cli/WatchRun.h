#pragma once

#include "cli/CliCommands.h"

namespace vantrel::cli {

// watch run: probes every enabled host of the watch list until Ctrl+C or SIGTERM, writing each probe and
// change of state to the history and each change to the terminal.
int runWatch(CliContext& context, const QStringList& arguments);

} // namespace vantrel::cli
