#pragma once

#include <QString>
#include <memory>

class QHttpServer;

namespace vantrel::ops {
class WatchMetrics;
}

namespace vantrel::cli {

// The watch list's figures over HTTP: GET /metrics answers them in Prometheus's text format; anything
// else is answered 404. Served on the thread that listens, apart from the probing.
class MetricsEndpoint {
public:
    // Listens on "ADDRESS:PORT" ("[ADDRESS]:PORT" for IPv6); nullptr with `error` set when the text names
    // no address and port or the port cannot be had.
    static std::unique_ptr<MetricsEndpoint> listen(const QString& addressAndPort,
                                                   const ops::WatchMetrics& metrics, QString& error);
    ~MetricsEndpoint();

private:
    explicit MetricsEndpoint(std::unique_ptr<QHttpServer> server);

    std::unique_ptr<QHttpServer> m_server;
};

} // namespace vantrel::cli
