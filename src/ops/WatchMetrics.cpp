#include "ops/WatchMetrics.h"

#include <QLocale>
#include <functional>

namespace vantrel::ops {

namespace {

// A label value with backslashes, quotes and line breaks escaped as the format asks.
QString labelValue(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else if (c == QLatin1Char('"'))
            escaped += QStringLiteral("\\\"");
        else if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else
            escaped += c;
    }
    return escaped;
}

QString number(double value) {
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace

void WatchMetrics::update(const WatchHostView& host) {
    std::lock_guard lock(m_mutex);
    Series& series = m_hosts[host.host];
    series.name = host.name;
    series.success = host.lastRoundTripUs.has_value();
    series.state = host.state;
    series.lossRatio = host.recent.lossPercent() / 100.0;
    series.sent = host.sent;
    series.received = host.received;
    if (host.lastRoundTripUs) {
        const double seconds = double(*host.lastRoundTripUs) / 1e6;
        series.roundTripSumSeconds += seconds;
        for (std::size_t i = 0; i < kBuckets.size(); ++i)
            series.buckets[i] += seconds <= kBuckets[i] ? 1 : 0;
    }
}

QByteArray WatchMetrics::render() const {
    std::lock_guard lock(m_mutex);
    QString text;
    using Value = std::function<QString(const Series&)>;
    const auto family = [&](const char* metric, const char* type, const char* help, const Value& value) {
        text += QStringLiteral("# HELP %1 %2\n# TYPE %1 %3\n")
                    .arg(QLatin1String(metric), QLatin1String(help), QLatin1String(type));
        for (const auto& [host, series] : m_hosts)
            text += QStringLiteral("%1{host=\"%2\",name=\"%3\"} %4\n")
                        .arg(QLatin1String(metric), labelValue(host), labelValue(series.name), value(series));
    };
    family("probe_success", "gauge", "Whether the last probe was answered (1) or lost (0).",
           [](const Series& s) { return QString::number(s.success ? 1 : 0); });
    family("probe_up", "gauge",
           "Whether the host is up or degraded (1) rather than down or not probed yet (0).",
           [](const Series& s) {
               return QString::number(s.state == WatchState::Up || s.state == WatchState::Degraded ? 1 : 0);
           });
    family("probe_degraded", "gauge", "Whether the host answers worse than its limits allow (1).",
           [](const Series& s) { return QString::number(s.state == WatchState::Degraded ? 1 : 0); });
    family("probe_loss_ratio", "gauge", "The share of the last five minutes' probes that were lost.",
           [](const Series& s) { return number(s.lossRatio); });
    family("probe_sent_total", "counter", "Probes sent since the watch started.",
           [](const Series& s) { return QString::number(s.sent); });
    family("probe_received_total", "counter", "Probes answered since the watch started.",
           [](const Series& s) { return QString::number(s.received); });

    text += QStringLiteral("# HELP probe_round_trip_seconds Round trips of the answered probes.\n"
                           "# TYPE probe_round_trip_seconds histogram\n");
    for (const auto& [host, series] : m_hosts) {
        const QString labels =
            QStringLiteral("host=\"%1\",name=\"%2\"").arg(labelValue(host), labelValue(series.name));
        for (std::size_t i = 0; i < kBuckets.size(); ++i)
            text += QStringLiteral("probe_round_trip_seconds_bucket{%1,le=\"%2\"} %3\n")
                        .arg(labels, number(kBuckets[i]))
                        .arg(series.buckets[i]);
        text += QStringLiteral("probe_round_trip_seconds_bucket{%1,le=\"+Inf\"} %2\n")
                    .arg(labels)
                    .arg(series.received);
        text += QStringLiteral("probe_round_trip_seconds_sum{%1} %2\n")
                    .arg(labels, number(series.roundTripSumSeconds));
        text += QStringLiteral("probe_round_trip_seconds_count{%1} %2\n").arg(labels).arg(series.received);
    }
    return text.toUtf8();
}

} // namespace vantrel::ops
