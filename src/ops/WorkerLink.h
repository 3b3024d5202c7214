#pragma once

#include "ops/ResultRecord.h"
#include "ops/WorkerMessages.h"
#include "output/StringResource.h"

namespace vantrel::ops {

// How a worker reaches the frame. Each call but SendRecord and PostPingAgain returns only after the frame has
// handled it on the GUI thread, so a worker's messages arrive in the order sent and its records stay valid
// meanwhile.
class WorkerLink {
public:
    virtual ~WorkerLink() = default;

    virtual void SendResult(const ResultMessage& message) = 0;     // WM_APP_RESULT
    virtual void SendStatus() = 0;                                 // WM_APP_STATUS
    virtual void SendIcmpError(const IcmpErrorReport& report) = 0; // WM_APP_ICMP_ERROR
    virtual void SendContPingDone() = 0;                           // WM_APP_CONTPING_DONE
    // WM_APP_PING_AGAIN, handed over without waiting: the frame runs the Ping command once the worker
    // that asks for it is gone.
    virtual void PostPingAgain() = 0;
    // A typed result beside its fragment, handed over without waiting (it is copied); dropped at once
    // when nobody takes records.
    virtual void SendRecord(const ResultRecord& record) = 0;
    // No echo handle could be created: the worker's text in red in the Results window and in a standard
    // message box with the exclamation icon and the guidance, shown by the GUI thread.
    virtual void ReportNoEchoHandle(const output::TextTemplate<>& workerText) = 0;
    // The system's exclamation sound.
    virtual void Beep() = 0;
};

} // namespace vantrel::ops
