#include "ops/FrameWorkerLink.h"

#include "log/ResultPipeline.h"
#include "ops/EchoFailureRow.h"
#include "ops/OperationControl.h"
#include "settings/LiveOptions.h"

namespace vantrel::ops {

void FrameWorkerLink::SendResult(const output::ResultRow& row) {
    // Stamped with the moment it is handed over, however late the window takes it.
    output::ResultRow stamped = row;
    m_control.results().stamp(stamped);
    m_queue.push({std::move(stamped)});
}

void FrameWorkerLink::SendIcmpError(const IcmpErrorReport& report) {
    // Made here, with the options and flags of the request it reports.
    const bool fragmentOn = m_options.isOn(settings::OptionId::Fragment);
    m_queue.push({echoFailureRow(report, fragmentOn)});
    if (m_control.takesRecords())
        m_queue.push({echoFailureRecord(report, fragmentOn,
                                        m_flags.m_bContPingActive ? RecordOperation::ContinuousPing
                                                                  : RecordOperation::Ping)});
}

void FrameWorkerLink::SendRecord(const ResultRecord& record) {
    // Nothing to hand over when nobody takes records.
    if (m_control.takesRecords())
        m_queue.push({record});
}

} // namespace vantrel::ops
