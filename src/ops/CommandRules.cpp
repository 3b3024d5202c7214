#include "ops/CommandRules.h"

#include "text/MessageTexts.h"
#include "text/PathMonitorTexts.h"

#include <array>

namespace vantrel::ops {

namespace {

namespace res = output::res;
using FlagField = bool FlagSnapshot::*;
using Caption = output::TextTemplate<>;

// Which operation excludes which: a command is disabled while any flag of `disabledBy` is set (and, for
// the scan buttons, while their input is missing), and offers its cancel caption while one of `running`
// is. ISPinger is in no rule: it runs beside everything, the path monitor among them.
struct CommandRule {
    CommandId command;
    std::array<FlagField, 6> disabledBy;
    std::array<FlagField, 2> running;
    const Caption& runningCaption;
    const Caption& idleCaption;
    bool CommandContext::*inputMissing = nullptr;
};

using F = FlagSnapshot;
constexpr FlagField kNone = nullptr;

const CommandRule kRules[] = {
    {CommandId::PingButton,
     {&F::lookup, &F::trace, &F::seqScan, &F::listScan, &F::pathMonitor},
     {&F::ping, &F::contPingActive},
     res::kPingCancelButton,
     res::kPingButton},
    {CommandId::PingMenu,
     {&F::lookup, &F::trace, &F::seqScan, &F::listScan, &F::pathMonitor},
     {&F::ping},
     res::kPingCancelMenu,
     res::kPingMenu},
    {CommandId::LookupButton,
     {&F::ping, &F::trace, &F::seqScan, &F::listScan, &F::contPingActive, &F::pathMonitor},
     {&F::lookup},
     res::kLookupCancelButton,
     res::kLookupButton},
    {CommandId::LookupMenu,
     {&F::ping, &F::trace, &F::seqScan, &F::listScan, &F::contPingActive, &F::pathMonitor},
     {&F::lookup},
     res::kLookupCancelMenu,
     res::kLookupMenu},
    {CommandId::TraceButton,
     {&F::ping, &F::lookup, &F::seqScan, &F::listScan, &F::contPingActive, &F::pathMonitor},
     {&F::trace},
     res::kTraceCancelButton,
     res::kTraceButton},
    {CommandId::TraceMenu,
     {&F::ping, &F::lookup, &F::seqScan, &F::listScan, &F::contPingActive, &F::pathMonitor},
     {&F::trace},
     res::kTraceCancelMenu,
     res::kTraceMenu},
    {CommandId::SeqScanButton,
     {&F::ping, &F::trace, &F::lookup, &F::listScan, &F::contPingActive, &F::pathMonitor},
     {&F::seqScan},
     res::kSeqScanCancelButton,
     res::kSeqScanButton,
     &CommandContext::seqScanAddressEmpty},
    {CommandId::SeqScanMenu,
     {&F::ping, &F::trace, &F::lookup, &F::listScan, &F::contPingActive, &F::pathMonitor},
     {&F::seqScan},
     res::kSeqScanCancelMenu,
     res::kSeqScanMenu},
    {CommandId::ListScanButton,
     {&F::ping, &F::trace, &F::lookup, &F::seqScan, &F::contPingActive, &F::pathMonitor},
     {&F::listScan},
     res::kListScanCancelButton,
     res::kListScanButton,
     &CommandContext::listScanListEmpty},
    {CommandId::ListScanMenu,
     {&F::ping, &F::trace, &F::lookup, &F::seqScan, &F::contPingActive, &F::pathMonitor},
     {&F::listScan},
     res::kListScanCancelMenu,
     res::kListScanMenu},
    {CommandId::PathMonitorMenu,
     {&F::ping, &F::trace, &F::lookup, &F::seqScan, &F::listScan, &F::contPingActive},
     {&F::pathMonitor},
     res::kPathMonitorCancelMenu,
     res::kPathMonitorMenu},
    {CommandId::PathMonitorButton,
     {&F::ping, &F::trace, &F::lookup, &F::seqScan, &F::listScan, &F::contPingActive},
     {&F::pathMonitor},
     res::kPathMonitorCancelButton,
     res::kPathMonitorButton},
};

template <std::size_t N> bool anySet(const FlagSnapshot& flags, const std::array<FlagField, N>& fields) {
    for (const FlagField field : fields)
        if (field != kNone && flags.*field)
            return true;
    return false;
}

} // namespace

CommandUi operationCommandUi(CommandId command, const CommandContext& context) {
    for (const CommandRule& rule : kRules) {
        if (rule.command != command)
            continue;
        const bool disabled =
            anySet(context.flags, rule.disabledBy) || (rule.inputMissing && context.*rule.inputMissing);
        return {!disabled,
                output::text(anySet(context.flags, rule.running) ? rule.runningCaption : rule.idleCaption)};
    }
    return {};
}

} // namespace vantrel::ops
