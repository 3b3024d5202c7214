#include "ops/PingThread.h"

#include "ops/PingProbe.h"
#include "ops/SharedStatus.h"
#include "ops/WorkerLink.h"
#include "output/MessageTexts.h"
#include "settings/LiveOptions.h"

namespace vantrel::ops {

namespace {

using settings::OptionId;
namespace res = output::res;

} // namespace

OperationOutcome PingThread(const WorkerContext& context) {
    const settings::LiveOptions& options = context.options;
    WorkerLink& link = context.link;
    WorkerFlags flags = context.flags;
    flags.started();

    PingProbe probe(context);
    if (!probe.openHandle()) {
        // Nothing runs any more: the flags end as after a normal end, so the commands work again.
        flags.endOperations();
        context.status.set(output::text(res::kReady));
        link.SendStatus();
        flags.finished();
        return OperationOutcome::NotRun;
    }

    link.SendRecord(eventRecord(ResultRecord::Kind::Start, RecordOperation::Ping));
    probe.sendHeader();
    PingTally tally;
    probe.run(tally, {});

    link.SendResult(pingEndLine(tally));
    for (const ResultRecord& record : pingEndRecords(tally, RecordOperation::Ping))
        link.SendRecord(record);
    if (options.isOn(OptionId::Statistics) && !flags.shuttingDown())
        for (const ResultMessage& line : pingStatistics(tally))
            link.SendResult(line);

    if (options.isOn(OptionId::Beep))
        link.Beep();
    probe.closeHandle();

    flags.endOperations();
    if (!flags.shuttingDown()) {
        context.status.set(output::text(res::kReady));
        link.SendStatus();
    }
    flags.finished();
    if (options.isOn(OptionId::ContPing))
        link.SendPingAgain();
    return tally.received != 0 ? OperationOutcome::Succeeded : OperationOutcome::Failed;
}

} // namespace vantrel::ops
