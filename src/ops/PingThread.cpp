#include "ops/PingThread.h"

#include "ops/OperationState.h"
#include "ops/PingProbe.h"
#include "ops/WorkerLink.h"
#include "output/MessageTexts.h"
#include "settings/LiveOptions.h"

namespace vantrel::ops {

namespace {

using settings::OptionId;
namespace res = output::res;

} // namespace

OperationOutcome PingThread(const WorkerContext& context) {
    OperationState& state = context.state;
    const settings::LiveOptions& options = context.options;
    WorkerLink& link = context.link;
    OperationFlags& flags = state.flags;
    flags.m_bPingThread = true;

    PingProbe probe(context);
    if (!probe.openHandle()) {
        // Nothing runs any more: the flags end as after a normal end, so the commands work again.
        flags.clearOperations();
        state.status.set(output::text(res::kReady));
        link.SendStatus();
        flags.m_bPingThread = false;
        return OperationOutcome::NotRun;
    }

    probe.sendHeader();
    PingTally tally;
    probe.run(tally, {});

    link.SendResult(pingEndLine(tally));
    if (options.isOn(OptionId::Statistics) && !flags.m_bShuttingDown)
        for (const ResultMessage& line : pingStatistics(tally))
            link.SendResult(line);

    if (options.isOn(OptionId::Beep))
        link.Beep();
    probe.closeHandle();

    flags.clearOperations();
    if (!flags.m_bShuttingDown) {
        state.status.set(output::text(res::kReady));
        link.SendStatus();
    }
    flags.m_bPingThread = false;
    if (options.isOn(OptionId::ContPing))
        link.SendPingAgain();
    return tally.received != 0 ? OperationOutcome::Succeeded : OperationOutcome::Failed;
}

} // namespace vantrel::ops
