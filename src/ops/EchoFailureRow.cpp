#include "ops/EchoFailureRow.h"

#include "net/IpStatus.h"
#include "output/ResultTexts.h"

namespace vantrel::ops {

namespace {

QString failureText(const IcmpErrorReport& report, bool fragmentOn) {
    return QString::fromLatin1(report.status == 0 && fragmentOn ? net::kFragmentHintText
                                                                : net::IpStatusText(report.status));
}

} // namespace

ResultMessage echoFailureRow(const IcmpErrorReport& report, bool fragmentOn) {
    const output::RtfText text = output::RtfText::escape(failureText(report, fragmentOn));
    output::RtfText row;
    switch (report.layout) {
    case ErrorLayout::PingTable:
        row = output::fill(output::res::kPingErrorRow, report.packet, text);
        break;
    case ErrorLayout::TraceTable:
        row = output::fill(output::res::kTraceErrorRow, report.hop, text);
        break;
    default:
        row = output::fill(output::res::kTraceDnsErrorRow, report.hop, text);
        break;
    }
    return {row.rtf(), QString(), output::ResultKind::ErrorRow};
}

ResultRecord echoFailureRecord(const IcmpErrorReport& report, bool fragmentOn, RecordOperation operation) {
    ResultRecord record;
    record.operation = report.layout == ErrorLayout::PingTable ? operation : RecordOperation::Trace;
    if (report.layout == ErrorLayout::PingTable)
        record.packet = report.packet;
    else
        record.hop = report.hop;
    record.status = failureText(report, fragmentOn);
    record.statusCode = report.status;
    return record;
}

} // namespace vantrel::ops
