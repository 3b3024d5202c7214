#pragma once

#include "ops/PathSnapshot.h"
#include "ops/ResultRecord.h"
#include "ops/WorkerMessages.h"
#include "rows/ResultRow.h"
#include "text/StringResource.h"

namespace vantrel::ops {

// How a worker reaches the frame. Every call hands its message over as a value and returns at once; the
// frame handles a worker's messages on the GUI thread in the order sent, once a frame. (A call waits only
// while the frame is a whole queue behind.)
class WorkerLink {
public:
    virtual ~WorkerLink() = default;

    virtual void SendResult(const output::ResultRow& row) = 0; // WM_APP_RESULT
    // WM_APP_STATUS: the status text changed; the frame shows it at its next frame.
    virtual void SendStatus() = 0;
    virtual void SendIcmpError(const IcmpErrorReport& report) = 0; // WM_APP_ICMP_ERROR
    virtual void SendContPingDone() = 0;                           // WM_APP_CONTPING_DONE
    // WM_APP_PING_AGAIN: the frame runs the Ping command once the worker that asks for it is gone.
    virtual void PostPingAgain() = 0;
    // A typed result beside its row, for the programs and panes that want numbers; dropped at once when
    // nobody takes records.
    virtual void SendRecord(const ResultRecord& record) = 0;
    // No echo handle could be created: the worker's text in red in the Results window and in a standard
    // message box with the exclamation icon and the guidance, shown by the GUI thread (the text has
    // static storage).
    virtual void ReportNoEchoHandle(const output::TextTemplate<>& workerText) = 0;
    // The system's exclamation sound.
    virtual void Beep() = 0;
    // The path monitor's table as it stands, for its view (and, the final one, for its report).
    virtual void SendPathSnapshot(const PathSnapshot& snapshot) = 0;
};

} // namespace vantrel::ops
