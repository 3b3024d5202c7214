// A soak of the command line: `vantrel-cli ping` continuous at the most the options allow (5,000 requests
// every second) and `vantrel-cli isp` every second, both on 127.0.0.1 with logging on and the log's purge at
// 1 MB, side by side for a given number of minutes (default 10). `cli_soak [MINUTES] [CLI]`; CLI defaults to
// the vantrel-cli beside the bench folder.
// Prints the figures of bench/gui_soak for each process, its names starting with ping_ or isp_: the
// resident memory at the start, at each log purge (the log moved aside) and at the end, the slope in MiB per
// hour (after the first purge, else after the first half minute), fds and threads, and the purges.
#include "SoakReport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

const QString kHost = QStringLiteral("127.0.0.1");
constexpr double kWarmUpSeconds = 30;

// One command line process and its figures.
class SoakedProcess {
public:
    SoakedProcess(const char* prefix, const QString& cli, QStringList arguments, const QString& log)
        : m_prefix(prefix)
        , m_log(log) {
        m_process.setProgram(cli);
        m_process.setArguments(arguments);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start();
    }

    bool started() { return m_process.waitForStarted(); }
    QString pid() const { return QString::number(m_process.processId()); }

    void sample(double seconds) {
        if (m_process.state() != QProcess::Running)
            return;
        const ProcessFigures now = ProcessFigures::of(pid());
        if (!m_report) {
            m_report.emplace(now, m_prefix);
            ProcessFigures::resetPeak(pid());
        }
        m_report->sample(now);
        const qint64 logSize = QFileInfo(m_log).size();
        if (logSize < m_lastLogSize) {
            m_report->purge(seconds, m_lastResident, now.peakMb, now.residentMb);
            ProcessFigures::resetPeak(pid());
        }
        if (seconds > kWarmUpSeconds)
            m_report->level(seconds, now.residentMb);
        m_lastLogSize = logSize;
        m_lastResident = now.residentMb;
    }

    // The last figures, then Ctrl+C; false when the process had ended before.
    bool finish(double seconds) {
        const bool running = m_process.state() == QProcess::Running;
        if (m_report && running)
            m_report->finish(seconds, ProcessFigures::of(pid()));
        if (running)
            ::kill(pid_t(m_process.processId()), SIGINT);
        m_process.waitForFinished(30000);
        std::printf("%sstill_running_at_end %d\n%sexit_code %d\n", m_prefix, running ? 1 : 0, m_prefix,
                    m_process.exitCode());
        return running;
    }

private:
    const char* m_prefix;
    QString m_log;
    QProcess m_process;
    std::optional<SoakReport> m_report;
    qint64 m_lastLogSize = 0;
    double m_lastResident = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const double minutes = argc > 1 ? std::max(0.1, QByteArray(argv[1]).toDouble()) : 10.0;
    const QString cli = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                 : QCoreApplication::applicationDirPath() + QStringLiteral("/../vantrel-cli");
    QTemporaryDir dir;
    const auto common = [&](const QString& log) {
        return QStringList{QStringLiteral("--config-dir"), dir.path(),
                           QStringLiteral("--home-dir"),   dir.path(),
                           QStringLiteral("--set"),        QStringLiteral("Log Check=1"),
                           QStringLiteral("--set"),        QStringLiteral("Log String=") + log,
                           QStringLiteral("--set"),        QStringLiteral("PurgeLog=1")};
    };
    const QString pingLog = dir.filePath(QStringLiteral("ping.rtf"));
    const QString ispLog = dir.filePath(QStringLiteral("isp.rtf"));
    SoakedProcess ping("ping_", cli,
                       common(pingLog) << QStringLiteral("--set") << QStringLiteral("Packets=5000")
                                       << QStringLiteral("--set") << QStringLiteral("ContPing=1")
                                       << QStringLiteral("--set") << QStringLiteral("ContPingInterval=1")
                                       << QStringLiteral("ping") << kHost,
                       pingLog);
    SoakedProcess isp("isp_", cli,
                      common(ispLog) << QStringLiteral("--set") << QStringLiteral("ISPInterval=1")
                                     << QStringLiteral("isp") << kHost << QStringLiteral("--count")
                                     << QStringLiteral("1000000"),
                      ispLog);
    if (!ping.started() || !isp.started()) {
        std::fprintf(stderr, "cannot start %s\n", qPrintable(cli));
        return 2;
    }

    QElapsedTimer clock;
    clock.start();
    const auto seconds = [&clock] { return double(clock.elapsed()) / 1000.0; };
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        ping.sample(seconds());
        isp.sample(seconds());
    });
    sampler.start(250);
    QTimer::singleShot(int(minutes * 60000), &application, &QCoreApplication::quit);
    QCoreApplication::exec();
    sampler.stop();
    const bool pingRan = ping.finish(seconds());
    const bool ispRan = isp.finish(seconds());
    return pingRan && ispRan ? 0 : 1;
}
