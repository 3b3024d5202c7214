#include "ops/WorkerEnd.h"

#include "ops/SharedStatus.h"
#include "ops/WorkerContext.h"
#include "ops/WorkerEchoHandle.h"
#include "ops/WorkerLink.h"
#include "text/MessageTexts.h"

namespace vantrel::ops {

OperationOutcome endWorker(const WorkerContext& context, WorkerEnd end) {
    WorkerFlags flags = context.flags;
    if (end.runDone)
        context.link.SendContPingDone();
    // The handle goes before the flags: a command started once they are clear gets a handle of its own.
    closeEchoHandle(context);
    flags.endOperations();
    if (end.showReady && !flags.shuttingDown())
        context.status.set(output::text(output::res::kReady));
    context.link.SendStatus(); // the commands follow the flags
    if (end.pingAgain && !flags.shuttingDown())
        context.link.PostPingAgain();
    if (end.outcome && context.outcome)
        context.outcome->store(*end.outcome);
    flags.finished();
    return end.outcome.value_or(OperationOutcome::None);
}

} // namespace vantrel::ops
