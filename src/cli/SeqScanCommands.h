#pragma once

#include "cli/CliCommands.h"

namespace vantrel::cli {

// seqscan [START END | --group NAME]: sweeps a range, the stored octet fields by default.
int seqScanRange(CliContext& context, const QStringList& arguments);
// groups: NAME, START and END of every saved group, tab-separated, in the list's order.
int listSeqScanGroups(CliContext& context, const QStringList& arguments);
// group add NAME START END | group del NAME: changes the saved groups as the pane's button does.
int changeSeqScanGroup(CliContext& context, const QStringList& arguments);

} // namespace vantrel::cli
