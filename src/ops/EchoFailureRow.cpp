#include "ops/EchoFailureRow.h"

#include "net/IpStatus.h"
#include "text/WideRowTexts.h"

namespace vantrel::ops {

namespace {

QString failureText(const IcmpErrorReport& report, bool fragmentOn) {
    return QString::fromLatin1(report.status == 0 && fragmentOn ? net::kFragmentHintText
                                                                : net::IpStatusText(report.status));
}

} // namespace

output::ResultRow echoFailureRow(const IcmpErrorReport& report, bool fragmentOn) {
    const QString text = failureText(report, fragmentOn);
    constexpr output::ResultKind kind = output::ResultKind::ErrorRow;
    namespace res = output::res;
    const bool wide = report.wide;
    switch (report.layout) {
    case ErrorLayout::PingTable:
        return output::makeRow(kind, output::rowFor(wide, res::kPingErrorRow, res::kPingErrorRowWide),
                               report.packet, text);
    case ErrorLayout::TraceTable:
        return output::makeRow(kind, output::rowFor(wide, res::kTraceErrorRow, res::kTraceErrorRowWide),
                               report.hop, text);
    default:
        return output::makeRow(kind, output::rowFor(wide, res::kTraceDnsErrorRow, res::kTraceDnsErrorRowWide),
                               report.hop, text);
    }
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
