#include "ops/PingThread.h"

#include "ops/PingProbe.h"
#include "ops/WorkerEnd.h"
#include "ops/WorkerLink.h"
#include "settings/LiveOptions.h"

namespace vantrel::ops {

namespace {

using settings::OptionId;

} // namespace

OperationOutcome PingThread(const WorkerContext& context) {
    const settings::LiveOptions& options = context.options;
    WorkerLink& link = context.link;
    const WorkerFlags& flags = context.flags;

    PingProbe probe(context);
    if (!probe.openHandle()) {
        // Nothing runs any more: the flags end as after a normal end, so the commands work again.
        return endWorker(context, {.outcome = OperationOutcome::NotRun});
    }

    link.SendRecord(eventRecord(ResultRecord::Kind::Start, RecordOperation::Ping));
    probe.sendHeader();
    PingTally tally;
    probe.run(tally, {});

    link.SendResult(pingEndLine(tally));
    for (const ResultRecord& record : pingEndRecords(tally, RecordOperation::Ping))
        link.SendRecord(record);
    if (options.isOn(OptionId::Statistics) && !flags.shuttingDown())
        for (const output::ResultRow& line : pingStatistics(tally, options.isOn(OptionId::PreciseTimes)))
            link.SendResult(line);

    if (options.isOn(OptionId::Beep))
        link.Beep();
    return endWorker(
        context, {.pingAgain = options.isOn(OptionId::ContPing),
                  .outcome = tally.received != 0 ? OperationOutcome::Succeeded : OperationOutcome::Failed});
}

} // namespace vantrel::ops
