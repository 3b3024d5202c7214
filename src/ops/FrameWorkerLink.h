#pragma once

#include "ops/ResultRecord.h"
#include "ops/WorkerLink.h"
#include "ops/WorkerQueue.h"
#include "rows/ResultRow.h"
#include "text/StringResource.h"

#include <variant>

namespace vantrel::settings {
class LiveOptions;
}

namespace vantrel::ops {

class OperationControl;
class OperationFlags;

struct ContPingDone {};
struct PingAgain {};
struct BeepRequest {};
struct NoEchoHandle {
    const output::TextTemplate<>* workerText;
};

// A worker's message as the GUI thread takes it from the queue.
struct WorkerPost {
    std::variant<output::ResultRow, ResultRecord, ContPingDone, PingAgain, BeepRequest, NoEchoHandle,
                 PathSnapshot>
        message;
};

// The frame's link for its workers: every message goes into the queue as a value, and the worker goes on.
class FrameWorkerLink final : public WorkerLink {
public:
    FrameWorkerLink(OperationControl& control, WorkerQueue<WorkerPost>& queue,
                    const settings::LiveOptions& options, const OperationFlags& flags)
        : m_control(control)
        , m_queue(queue)
        , m_options(options)
        , m_flags(flags) {}

    void SendResult(const output::ResultRow& row) override;
    void SendStatus() override { m_queue.requestFrame(); }
    void SendIcmpError(const IcmpErrorReport& report) override;
    void SendContPingDone() override { m_queue.push({ContPingDone{}}); }
    void PostPingAgain() override { m_queue.push({PingAgain{}}); }
    void SendRecord(const ResultRecord& record) override;
    void ReportNoEchoHandle(const output::TextTemplate<>& workerText) override {
        m_queue.push({NoEchoHandle{&workerText}});
    }
    void Beep() override { m_queue.push({BeepRequest{}}); }
    void SendPathSnapshot(const PathSnapshot& snapshot) override { m_queue.push({snapshot}); }

private:
    OperationControl& m_control;
    WorkerQueue<WorkerPost>& m_queue;
    const settings::LiveOptions& m_options;
    const OperationFlags& m_flags;
};

} // namespace vantrel::ops
