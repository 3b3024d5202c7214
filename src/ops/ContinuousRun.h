#pragma once

#include "ops/WorkerContext.h"

namespace vantrel::ops {

// What operation control asks of continuous ping, which plugs itself in for as long as it exists; without
// it the Ping command pings once, ContPing or not.
class ContinuousRun {
public:
    virtual ~ContinuousRun() = default;

    // The Ping command with ContPing on: a new run and its start line.
    virtual void StartContinuousPing() = 0;
    // The Ping command during a run.
    virtual void CancelContinuousPing() = 0;
    // One cycle, on its own thread.
    virtual int ContPingThread(const WorkerContext& context) = 0;
    // WM_APP_CONTPING_DONE: the run's end.
    virtual void OnContPingDone() = 0;
    // A cycle cannot start (its host refused, its lookup failed, no thread): the run ends there with its
    // summary, before the reason is written.
    virtual void OnRunInterrupted() = 0;
};

} // namespace vantrel::ops
