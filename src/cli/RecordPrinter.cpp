#include "cli/RecordPrinter.h"

#include "rows/RoundTripText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <chrono>
#include <cmath>
#include <optional>
#include <utility>

namespace vantrel::cli {

namespace {

using ops::RecordOperation;
using ops::ResultRecord;

QString kindName(ResultRecord::Kind kind) {
    switch (kind) {
    case ResultRecord::Kind::Start:
        return QStringLiteral("start");
    case ResultRecord::Kind::Row:
        return QStringLiteral("row");
    case ResultRecord::Kind::Line:
        return QStringLiteral("line");
    case ResultRecord::Kind::Summary:
        return QStringLiteral("summary");
    }
    return {};
}

// A round trip in milliseconds, to the microsecond; null when there is none.
QJsonValue milliseconds(const std::optional<std::chrono::microseconds>& roundTrip) {
    return roundTrip ? QJsonValue(double(roundTrip->count()) / 1000.0) : QJsonValue();
}

// A path monitor hop's sums by column name: times in milliseconds with three decimals.
QJsonValue pathHopField(const ops::RecordHop& hop, const QString& name) {
    const auto ms = [](const std::optional<std::int64_t>& micros) {
        return milliseconds(micros ? std::optional(std::chrono::microseconds(*micros)) : std::nullopt);
    };
    const std::pair<const char*, QJsonValue> fields[] = {{"sent", qint64(hop.sent)},
                                                         {"received", qint64(hop.received)},
                                                         {"loss", std::round(hop.loss * 10.0) / 10.0},
                                                         {"last_ms", ms(hop.last)},
                                                         {"avg_ms", ms(hop.average)},
                                                         {"best_ms", ms(hop.best)},
                                                         {"worst_ms", ms(hop.worst)},
                                                         {"stdev_ms", ms(hop.deviation)},
                                                         {"jitter_ms", ms(hop.jitter)}};
    for (const auto& [field, value] : fields)
        if (name == QLatin1String(field))
            return value;
    return {};
}

// The record's fields by column name: numbers as numbers, texts as texts, missing ones as null.
QJsonValue field(const ResultRecord& record, const QString& name) {
    const auto number = [](const auto& value) { return value ? QJsonValue(qint64(*value)) : QJsonValue(); };
    const auto text = [](const QString& value) { return value.isEmpty() ? QJsonValue() : QJsonValue(value); };
    if (name == QLatin1String("packet"))
        return number(record.packet);
    if (name == QLatin1String("hop"))
        return number(record.hop);
    if (name == QLatin1String("address"))
        return text(record.address);
    if (name == QLatin1String("rtt_ms"))
        return milliseconds(record.roundTrip);
    if (name == QLatin1String("ttl"))
        return number(record.ttl);
    if (name == QLatin1String("bytes"))
        return number(record.bytes);
    if (name == QLatin1String("status"))
        return text(record.status);
    if (name == QLatin1String("status_code"))
        return number(record.statusCode);
    if (name == QLatin1String("name"))
        return text(record.name);
    if (name == QLatin1String("label"))
        return text(record.label);
    if (name == QLatin1String("data"))
        return text(record.data);
    if (name == QLatin1String("time_ms"))
        return number(record.elapsedMs);
    if (name == QLatin1String("line"))
        return text(record.line);
    return record.pathHop ? pathHopField(*record.pathHop, name) : QJsonValue();
}

const QStringList& allFields() {
    static const QStringList fields = {
        QStringLiteral("packet"),   QStringLiteral("hop"),         QStringLiteral("time_ms"),
        QStringLiteral("label"),    QStringLiteral("address"),     QStringLiteral("rtt_ms"),
        QStringLiteral("ttl"),      QStringLiteral("bytes"),       QStringLiteral("name"),
        QStringLiteral("status"),   QStringLiteral("status_code"), QStringLiteral("data"),
        QStringLiteral("line"),     QStringLiteral("sent"),        QStringLiteral("received"),
        QStringLiteral("loss"),     QStringLiteral("last_ms"),     QStringLiteral("avg_ms"),
        QStringLiteral("best_ms"),  QStringLiteral("worst_ms"),    QStringLiteral("stdev_ms"),
        QStringLiteral("jitter_ms")};
    return fields;
}

QJsonObject jsonOf(const ResultRecord& record) {
    QJsonObject object{{QStringLiteral("event"), kindName(record.kind)},
                       {QStringLiteral("operation"), ops::recordOperationName(record.operation)}};
    for (const QString& name : allFields())
        if (const QJsonValue value = field(record, name); !value.isNull())
            object.insert(name, value);
    if (record.summary) {
        const ops::RecordSummary& sums = *record.summary;
        object.insert(QStringLiteral("sent"), qint64(sums.sent));
        object.insert(QStringLiteral("received"), qint64(sums.received));
        object.insert(QStringLiteral("loss"), sums.loss);
        for (const auto& [key, value] : {std::pair{"min", sums.minimum}, std::pair{"avg", sums.average},
                                         std::pair{"max", sums.maximum}, std::pair{"mdev", sums.deviation}})
            if (value)
                object.insert(QLatin1String(key), milliseconds(value));
    }
    return object;
}

} // namespace

QStringList RecordPrinter::csvColumns(RecordOperation operation) {
    switch (operation) {
    case RecordOperation::Ping:
    case RecordOperation::ContinuousPing:
        return {QStringLiteral("packet"), QStringLiteral("address"), QStringLiteral("rtt_ms"),
                QStringLiteral("ttl"),    QStringLiteral("bytes"),   QStringLiteral("status")};
    case RecordOperation::Trace:
        return {QStringLiteral("hop"), QStringLiteral("address"), QStringLiteral("rtt_ms"),
                QStringLiteral("name"), QStringLiteral("status")};
    case RecordOperation::Lookup:
        return {QStringLiteral("label"), QStringLiteral("name"), QStringLiteral("address")};
    case RecordOperation::SeqScan:
    case RecordOperation::ListScan:
        return {QStringLiteral("address"), QStringLiteral("rtt_ms"), QStringLiteral("name"),
                QStringLiteral("status")};
    case RecordOperation::ISPinger:
        return {QStringLiteral("packet"), QStringLiteral("time_ms"), QStringLiteral("address"),
                QStringLiteral("rtt_ms"), QStringLiteral("status")};
    case RecordOperation::PathMonitor:
        return {QStringLiteral("hop"),      QStringLiteral("address"),  QStringLiteral("name"),
                QStringLiteral("loss"),     QStringLiteral("sent"),     QStringLiteral("received"),
                QStringLiteral("last_ms"),  QStringLiteral("avg_ms"),   QStringLiteral("best_ms"),
                QStringLiteral("worst_ms"), QStringLiteral("stdev_ms"), QStringLiteral("jitter_ms"),
                QStringLiteral("status")};
    }
    return {};
}

QString RecordPrinter::csvField(const QString& value) {
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void RecordPrinter::print(const ResultRecord& record) {
    if (m_format == Format::Csv)
        printCsv(record);
    else
        m_write(QString::fromUtf8(QJsonDocument(jsonOf(record)).toJson(QJsonDocument::Compact)) +
                QLatin1Char('\n'));
}

void RecordPrinter::printRound(unsigned round, bool targetAnswered,
                               const std::vector<ops::ResultRecord>& hops) {
    QJsonArray rows;
    for (const ResultRecord& hop : hops)
        rows.append(jsonOf(hop));
    const QJsonObject event{
        {QStringLiteral("event"), QStringLiteral("round")},
        {QStringLiteral("operation"), ops::recordOperationName(RecordOperation::PathMonitor)},
        {QStringLiteral("round"), qint64(round)},
        {QStringLiteral("target_answered"), targetAnswered},
        {QStringLiteral("hops"), rows}};
    m_write(QString::fromUtf8(QJsonDocument(event).toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
}

void RecordPrinter::printCsv(const ResultRecord& record) {
    // A continuous ping's cycles make one table; a new run of another operation gets its own header.
    const bool newRun = record.kind == ResultRecord::Kind::Start;
    if (record.kind != ResultRecord::Kind::Row && !newRun)
        return;
    const QStringList columns = csvColumns(record.operation);
    if (newRun || m_header != record.operation) {
        m_header = record.operation;
        m_write(columns.join(QLatin1Char(',')) + QLatin1Char('\n'));
    }
    if (newRun)
        return;
    QStringList line;
    for (const QString& column : columns) {
        const QJsonValue value = field(record, column);
        if (column == QLatin1String("rtt_ms") && record.roundTrip)
            line.append(output::preciseMilliseconds(*record.roundTrip));
        else
            line.append(value.isDouble()
                            ? QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest)
                            : csvField(value.toString()));
    }
    m_write(line.join(QLatin1Char(',')) + QLatin1Char('\n'));
}

} // namespace vantrel::cli
