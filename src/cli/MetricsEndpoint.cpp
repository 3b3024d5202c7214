#include "cli/MetricsEndpoint.h"

#include "ops/WatchMetrics.h"

#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerResponse>

namespace vantrel::cli {

MetricsEndpoint::MetricsEndpoint(std::unique_ptr<QHttpServer> server)
    : m_server(std::move(server)) {}

MetricsEndpoint::~MetricsEndpoint() = default;

std::unique_ptr<MetricsEndpoint> MetricsEndpoint::listen(const QString& addressAndPort,
                                                         const ops::WatchMetrics& metrics, QString& error) {
    const qsizetype colon = addressAndPort.lastIndexOf(QLatin1Char(':'));
    QString host = addressAndPort.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    bool isNumber = false;
    const uint port = addressAndPort.mid(colon + 1).toUInt(&isNumber);
    const QHostAddress address(host);
    if (colon < 0 || address.isNull() || !isNumber || port == 0 || port > 65535) {
        error = QStringLiteral("\"%1\" is no ADDRESS:PORT (for example 127.0.0.1:9427)").arg(addressAndPort);
        return nullptr;
    }
    auto server = std::make_unique<QHttpServer>();
    server->route(QStringLiteral("/metrics"), QHttpServerRequest::Method::Get, [&metrics] {
        return QHttpServerResponse(QByteArray(ops::WatchMetrics::kContentType), metrics.render());
    });
    if (server->listen(address, quint16(port)) == 0) {
        error = QStringLiteral("cannot listen on %1").arg(addressAndPort);
        return nullptr;
    }
    return std::unique_ptr<MetricsEndpoint>(new MetricsEndpoint(std::move(server)));
}

} // namespace vantrel::cli
