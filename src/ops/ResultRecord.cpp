#include "ops/ResultRecord.h"

namespace vantrel::ops {

QString recordOperationName(RecordOperation operation) {
    switch (operation) {
    case RecordOperation::Ping:
        return QStringLiteral("ping");
    case RecordOperation::ContinuousPing:
        return QStringLiteral("continuous-ping");
    case RecordOperation::Trace:
        return QStringLiteral("trace");
    case RecordOperation::Lookup:
        return QStringLiteral("lookup");
    case RecordOperation::SeqScan:
        return QStringLiteral("seqscan");
    case RecordOperation::ListScan:
        return QStringLiteral("listscan");
    case RecordOperation::ISPinger:
        return QStringLiteral("ispinger");
    case RecordOperation::PathMonitor:
        return QStringLiteral("path-monitor");
    }
    return {};
}

ResultRecord eventRecord(ResultRecord::Kind kind, RecordOperation operation, const char* line) {
    ResultRecord record;
    record.kind = kind;
    record.operation = operation;
    record.line = QString::fromLatin1(line);
    return record;
}

ResultRecord scanRecord(RecordOperation operation, const QString& address,
                        std::optional<std::chrono::microseconds> roundTrip, const char* silent) {
    ResultRecord record = eventRecord(ResultRecord::Kind::Row, operation);
    record.address = address;
    record.roundTrip = roundTrip;
    record.status = QString::fromLatin1(roundTrip ? kRecordReply : silent);
    return record;
}

RecordSummary recordSummary(unsigned sent, unsigned received) {
    RecordSummary summary;
    summary.sent = sent;
    summary.received = received;
    summary.loss = sent == 0 ? 0.0 : 100.0 * double(sent - received) / double(sent);
    return summary;
}

} // namespace vantrel::ops
