#pragma once

#include "cli/CliCommands.h"

namespace vantrel::cli {

// watch list | watch add HOST [--name N] [--interval S] | watch del HOST: the watch list in the store;
// watch run: the watch itself.
int watchCommand(CliContext& context, const QStringList& arguments);

} // namespace vantrel::cli
