#include "ops/PathReport.h"

#include "log/ResultPipeline.h"
#include "net/AddressText.h"
#include "text/PathMonitorTexts.h"
#include "text/ResultTexts.h"

namespace vantrel::ops {

namespace {

namespace res = output::res;
using output::ResultKind;
using Micros = HopStatistics::Micros;

QString milliseconds(const std::optional<Micros>& time) {
    return time ? QString::number(double(time->count()) / 1000.0, 'f', 3) : QString();
}

std::optional<std::int64_t> micros(const std::optional<Micros>& time) {
    return time ? std::optional(std::int64_t(time->count())) : std::nullopt;
}

QString addressText(const HopAddress& address) {
    return QString::fromStdString(address.address.text());
}

} // namespace

output::HopCells hopCells(const HopStatistics& s) {
    return {QString::number(s.lossPercent(), 'f', 1) + output::text(res::kPercentSign),
            QString::number(s.sent()),
            milliseconds(s.last()),
            milliseconds(s.average()),
            milliseconds(s.best()),
            milliseconds(s.worst()),
            milliseconds(s.deviation()),
            milliseconds(s.jitter())};
}

std::vector<output::ResultRow> pathTableRows(const PathSnapshot& snapshot) {
    const bool wide = snapshot.target.isV6();
    std::vector<output::ResultRow> rows;
    rows.push_back(output::makeRow(ResultKind::HeaderRow, output::rowFor(wide, res::kPathMonitorHeaderRow,
                                                                         res::kPathMonitorHeaderRowWide)));
    for (const PathHop& hop : snapshot.hops) {
        const output::HopCells cells = hopCells(hop.statistics);
        const bool silent = hop.addresses.empty();
        rows.push_back(output::makeRow(
            silent ? ResultKind::Red : ResultKind::Plain,
            output::rowFor(wide, res::kPathMonitorHopRow, res::kPathMonitorHopRowWide), hop.hop,
            silent ? output::text(res::kNoAnswerMark) : addressText(hop.addresses.front()), cells.loss,
            hop.statistics.sent(), cells.last, cells.average, cells.best, cells.worst, cells.deviation,
            cells.jitter, silent ? QString() : hop.addresses.front().name));
        for (std::size_t i = 1; i < hop.addresses.size(); ++i)
            rows.push_back(output::makeRow(
                ResultKind::Plain,
                output::rowFor(wide, res::kPathMonitorMoreAddressRow, res::kPathMonitorMoreAddressRowWide),
                addressText(hop.addresses[i]), hop.addresses[i].name));
    }
    return rows;
}

std::vector<ResultRecord> pathTableRecords(const PathSnapshot& snapshot) {
    std::vector<ResultRecord> records;
    for (const PathHop& hop : snapshot.hops) {
        const HopStatistics& s = hop.statistics;
        ResultRecord record;
        record.operation = RecordOperation::PathMonitor;
        record.hop = hop.hop;
        record.status = QString::fromLatin1(hop.addresses.empty() ? kRecordNoAnswer : kRecordReply);
        if (!hop.addresses.empty()) {
            record.address = addressText(hop.addresses.front());
            record.name = hop.addresses.front().name;
        }
        record.pathHop = RecordHop{s.sent(),          s.received(),          s.lossPercent(),
                                   micros(s.last()),  micros(s.average()),   micros(s.best()),
                                   micros(s.worst()), micros(s.deviation()), micros(s.jitter())};
        records.push_back(record);
        // A further address: the hop again, with that address and its name only.
        for (std::size_t i = 1; i < hop.addresses.size(); ++i) {
            ResultRecord more;
            more.operation = RecordOperation::PathMonitor;
            more.hop = hop.hop;
            more.address = addressText(hop.addresses[i]);
            more.name = hop.addresses[i].name;
            more.status = QStringLiteral("address changed");
            records.push_back(more);
        }
    }
    return records;
}

void PathReport(const PathSnapshot& snapshot, output::ResultPipeline& results, const RecordSink& records) {
    if (records)
        records(eventRecord(ResultRecord::Kind::Start, RecordOperation::PathMonitor));
    for (output::ResultRow& row : pathTableRows(snapshot))
        results.AppendRow(std::move(row));
    if (records)
        for (const ResultRecord& record : pathTableRecords(snapshot))
            records(record);
    results.AppendRow(output::makeRow(ResultKind::Plain, snapshot.targetAnswered ? res::kHostReachedLine
                                                                                 : res::kHostNotReachedLine));
    results.AppendRow(
        output::makeStampedRow(ResultKind::Bold, res::kPathMonitorEndLine, snapshot.rounds, QString()));
    if (records)
        records(eventRecord(ResultRecord::Kind::Line, RecordOperation::PathMonitor,
                            snapshot.targetAnswered ? "reached" : "not reached"));
}

} // namespace vantrel::ops
