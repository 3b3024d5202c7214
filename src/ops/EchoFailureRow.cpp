#include "ops/EchoFailureRow.h"

#include "net/IpStatus.h"
#include "output/ResultTexts.h"

namespace vantrel::ops {

ResultMessage echoFailureRow(const IcmpErrorReport& report, bool fragmentOn) {
    const char* reason =
        report.status == 0 && fragmentOn ? net::kFragmentHintText : net::IpStatusText(report.status);
    const output::RtfText text = output::RtfText::escape(QString::fromLatin1(reason));
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

} // namespace vantrel::ops
