#pragma once

#include "commands/CommandIds.h"
#include "ops/OperationFlags.h"

#include <QString>

namespace vantrel::ops {

// The commands that start and cancel operations, by their command IDs.
enum class CommandId : int {
    PingButton = cmd::kPingButton,
    LookupButton = cmd::kLookupButton,
    TraceButton = cmd::kTraceButton,
    SeqScanButton = cmd::kSeqScanButton,
    ListScanButton = cmd::kListScanButton,
    PingMenu = cmd::kPingMenu,
    LookupMenu = cmd::kLookupMenu,
    TraceMenu = cmd::kTraceMenu,
    SeqScanMenu = cmd::kSeqScanMenu,
    ListScanMenu = cmd::kListScanMenu,
    PathMonitorMenu = cmd::kPathMonitorMenu,
    PathMonitorButton = cmd::kPathMonitorButton,
};

// What besides the flags decides a command's state.
struct CommandContext {
    FlagSnapshot flags;
    bool seqScanAddressEmpty = false; // the SeqScan pane's start address is incomplete
    bool listScanListEmpty = false;   // the ListScan address list has no entry
};

struct CommandUi {
    bool enabled = true;
    QString caption;

    bool operator==(const CommandUi&) const = default;
};

// The enabling and caption of an operation command. A disabled command is not carried out, whatever its
// source. Button captions are padded with blanks: they set the buttons' widths.
CommandUi operationCommandUi(CommandId command, const CommandContext& context);

} // namespace vantrel::ops
