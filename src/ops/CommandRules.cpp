#include "ops/CommandRules.h"

namespace vantrel::ops {

namespace {

CommandUi rule(bool disabled, bool running, const char* runningCaption, const char* idleCaption) {
    return {!disabled, QString::fromLatin1(running ? runningCaption : idleCaption)};
}

} // namespace

CommandUi operationCommandUi(CommandId command, const CommandContext& context) {
    const FlagSnapshot& f = context.flags;
    switch (command) {
    case CommandId::PingButton:
        return rule(f.lookup || f.trace || f.seqScan || f.listScan, f.ping || f.contPingActive,
                    "       Cancel       ", "         Ping         ");
    case CommandId::PingMenu:
        return rule(f.lookup || f.trace || f.seqScan || f.listScan, f.ping, "Cancel Ping", "&Ping");
    case CommandId::LookupButton:
        return rule(f.ping || f.trace || f.seqScan || f.listScan || f.contPingActive, f.lookup,
                    "       Cancel     ", "      Lookup      ");
    case CommandId::LookupMenu:
        return rule(f.ping || f.trace || f.seqScan || f.listScan || f.contPingActive, f.lookup,
                    "Cancel Lookup", "&Lookup");
    case CommandId::TraceButton:
        return rule(f.ping || f.lookup || f.seqScan || f.listScan || f.contPingActive, f.trace,
                    "      Cancel     ", "       Trace       ");
    case CommandId::TraceMenu:
        return rule(f.ping || f.lookup || f.seqScan || f.listScan || f.contPingActive, f.trace,
                    "Cancel Trace", "&Trace");
    case CommandId::SeqScanButton:
        return rule(f.ping || f.trace || f.lookup || f.listScan || f.contPingActive ||
                        context.seqScanAddressEmpty,
                    f.seqScan, "       Cancel       ", "      SeqScan      ");
    case CommandId::SeqScanMenu:
        return rule(f.lookup || f.trace || f.ping || f.listScan || f.contPingActive, f.seqScan,
                    "Cancel SeqScan", "&SeqScan");
    case CommandId::ListScanButton:
        return rule(f.ping || f.trace || f.lookup || f.seqScan || f.contPingActive ||
                        context.listScanListEmpty,
                    f.listScan, "      Cancel        ", "      ListScan      ");
    case CommandId::ListScanMenu:
        return rule(f.lookup || f.trace || f.ping || f.seqScan || f.contPingActive, f.listScan,
                    "Cancel ListScan", "L&istScan");
    }
    return {};
}

} // namespace vantrel::ops
