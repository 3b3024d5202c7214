#include "cli/CliOperationSession.h"

#include "cli/CliFrontEnd.h"
#include "cli/CliResultView.h"
#include "cli/InterruptSignals.h"
#include "cli/RecordPrinter.h"
#include "cli/TerminalOutput.h"
#include "cli/TerminalPathView.h"
#include "log/LogFrontEnd.h"
#include "log/ResultLog.h"
#include "log/ResultPipeline.h"
#include "net/IcmpApi.h"
#include "ops/ContinuousPing.h"
#include "ops/ISPinger.h"
#include "ops/OperationControl.h"
#include "ops/OperationsSession.h"
#include "rtf/TextRenderer.h"
#include "settings/LiveOptions.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <memory>
#include <optional>

namespace vantrel::cli {

namespace {

// The log's front end on a terminal: messages on standard error, no pane, nothing to open.
class CliLogFrontEnd final : public output::LogFrontEnd {
public:
    explicit CliLogFrontEnd(TerminalOutput& output)
        : m_output(output) {}
    void ShowMessageBox(const QString& caption, const QString& text, output::MessageIcon) override {
        m_output.err(QStringLiteral("vantrel-cli: %1: %2\n").arg(caption.trimmed(), text));
    }
    void showLogOptionsPane() override {}
    bool showFileNameBalloon(const QString&, const QString&) override { return false; }
    std::optional<output::OpenFailure> openWithDesktop(const QString&) override {
        return output::OpenFailure::NoAssociation;
    }
    void showResultLine(const output::ResultRow& line) override {
        m_output.err(QStringLiteral("vantrel-cli: %1\n")
                         .arg(output::TextRenderer().render(line.document()).trimmed()));
    }

private:
    TerminalOutput& m_output;
};

// A status line on a terminal: rewritten in place, and cleared by an empty text. Elsewhere it shows
// nothing, so piped output holds only the results.
class StatusLine {
public:
    explicit StatusLine(TerminalOutput& terminal)
        : m_terminal(terminal) {}
    void show(const QString& text) {
        if (!m_terminal.outIsTerminal() || (text.isEmpty() && !m_shown))
            return;
        m_terminal.out(QLatin1Char('\r') + text + QStringLiteral("\x1b[K"));
        m_shown = !text.isEmpty();
    }

private:
    TerminalOutput& m_terminal;
    bool m_shown = false;
};

} // namespace

int exitStatusOf(ops::OperationOutcome outcome) {
    switch (outcome) {
    case ops::OperationOutcome::Succeeded:
        return kExitSuccess;
    case ops::OperationOutcome::NotRun:
        return kExitCannotRun;
    default:
        return kExitFailure;
    }
}

CliOperationSession::CliOperationSession(CliContext& context, net::IcmpApi icmp)
    : m_context(context)
    , m_icmp(std::move(icmp)) {}

ops::RecordSink CliOperationSession::recordSink() {
    if (m_context.format != OutputFormat::Csv && m_context.format != OutputFormat::Json)
        return {};
    TerminalOutput& terminal = m_context.output;
    auto printer = std::make_shared<RecordPrinter>(
        m_context.format == OutputFormat::Csv ? RecordPrinter::Format::Csv : RecordPrinter::Format::Json,
        [&terminal](const QString& text) { terminal.out(text); });
    return [printer](const ops::ResultRecord& record) { printer->print(record); };
}

int CliOperationSession::withSession(const QString& host,
                                     const std::function<int(ops::OperationsSession&)>& body) {
    TerminalOutput& terminal = m_context.output;
    const std::unique_ptr<output::ResultView> view = makeResultView(m_context);

    CliLogFrontEnd logFrontEnd(terminal);
    std::optional<output::ResultLog> log;
    std::optional<output::ResultPipeline> pipeline;
    std::optional<CliFrontEnd> frontEnd;
    ops::OperationsSession session(
        [&](settings::LiveOptions& options, ops::OperationState&) {
            options.assign(m_context.options.snapshot());
            log.emplace(options, logFrontEnd);
            pipeline.emplace(&*log, *view);
            frontEnd.emplace(host.isNull() ? options.text(settings::OptionId::ISPAddress) : host, terminal);
            return ops::OperationsSession::FrontEnd{*frontEnd, *pipeline};
        },
        {m_icmp, nullptr});
    log->setMovesAsideAsItWrites(true); // no status refresh here to do it
    // A one-off run from a terminal touches the log file only when it is to log; one that was asked to log
    // and cannot does not run, rather than leave the log without it.
    if (session.options().isOn(settings::OptionId::LogCheck)) {
        log->OpenLogAtStartup();
        if (!log->isLogging()) {
            log->CheckLogExtension(true); // the reason, when it is the name's extension
            return kExitCannotRun;
        }
        if (!log->isOpen() && !log->openForLogging())
            return kExitCannotRun;
    }
    const int status = body(session);
    log->close();
    // A log that failed during the run (a full disk, a removed folder) was said at once; the run, whole
    // on the terminal, still did not do all it was asked.
    return log->hasFailed() ? kExitCannotRun : status;
}

int CliOperationSession::run(const QString& host, const Command& start, const Command& cancel, int cycles) {
    return withSession(host, [&](ops::OperationsSession& session) {
        TerminalOutput& terminal = m_context.output;
        settings::LiveOptions& options = session.options();
        ops::OperationControl& control = session.control();
        control.setRecordSink(recordSink());
        StatusLine statusLine(terminal);
        QObject scope; // the run's connections to the session, which outlives it
        ops::ContinuousPing& continuous = session.continuousPing();
        if (cycles > 0) {
            // Counted cycles make a continuous ping; ContPing goes off as the last one starts, so that the
            // run ends after it with its summary.
            options.setNumber(settings::OptionId::ContPing, 1);
            QObject::connect(&continuous, &ops::ContinuousPing::cycleStarting, &scope, [&](int cycle) {
                if (cycle >= cycles)
                    options.setNumber(settings::OptionId::ContPing, 0);
            });
        }
        // The countdown is cleared before the next cycle's rows.
        QObject::connect(&continuous, &ops::ContinuousPing::countdownStatus, &scope,
                         [&](const QString& text) { statusLine.show(text); });

        InterruptSignals interrupts;
        QObject::connect(&interrupts, &InterruptSignals::interrupted, [&] {
            cancel(control);
            control.closeEchoHandleInFlight();
        });
        start(control);

        control.waitUntilIdle();
        control.joinWorkers();
        return exitStatusOf(control.lastOutcome());
    });
}

int CliOperationSession::runPathMonitor(const QString& host, unsigned rounds, bool reportOnly, bool stream) {
    TerminalOutput& terminal = m_context.output;
    RecordPrinter streamPrinter(RecordPrinter::Format::Json,
                                [&terminal](const QString& text) { terminal.out(text); });
    const bool live = !reportOnly && m_context.format == OutputFormat::Text && terminal.outIsTerminal();
    TerminalPathView view(terminal, live, stream ? &streamPrinter : nullptr);
    const auto start = [&](ops::OperationControl& control) {
        control.setPathMonitorView(&view);
        control.OnPathMonitor(rounds);
    };
    return run(host, start, [](ops::OperationControl& control) { control.OnPathMonitor(); });
}

int CliOperationSession::runISPinger(int count) {
    return withSession(QString(), [&](ops::OperationsSession& session) {
        TerminalOutput& terminal = m_context.output;
        ops::ISPinger& isp = session.ispinger();
        isp.setRecordSink(recordSink());
        StatusLine statusLine(terminal);
        bool cannotRun = false;
        // The stop line comes on a line of its own.
        const auto stop = [&] {
            statusLine.show(QString());
            if (isp.isActive())
                isp.OnISPinger();
        };
        QObject scope; // the run's connections to the session, which outlives it
        QObject::connect(&isp, &ops::ISPinger::statusChanged, &scope, [&](const QString& text) {
            if (isp.isActive() && isp.sent() > 0)
                statusLine.show(text);
        });
        QObject::connect(&isp, &ops::ISPinger::requestFinished, &scope, [&] {
            if (isp.sent() >= count)
                stop();
        });
        // Without an echo handle no request can go out: what to do has been said, and nothing would change
        // at the next tick.
        QObject::connect(&isp, &ops::ISPinger::noEchoHandle, &scope, [&] {
            cannotRun = true;
            stop();
        });
        InterruptSignals interrupts;
        QObject::connect(&interrupts, &InterruptSignals::interrupted, stop);
        isp.OnISPinger();
        if (!isp.isActive())
            return kExitCannotRun; // refused at its start: its reason is said

        // Until it is stopped (or its server lookup failed) and its last request has ended.
        QEventLoop loop;
        const auto check = [&] {
            if (!isp.isActive() && !isp.requestRunning())
                loop.quit();
        };
        QObject::connect(&isp, &ops::ISPinger::activeChanged, &loop, check, Qt::QueuedConnection);
        QObject::connect(&session.state().flags.changes(), &ops::FlagChanges::changed, &loop, check,
                         Qt::QueuedConnection);
        QMetaObject::invokeMethod(&loop, check, Qt::QueuedConnection);
        loop.exec();
        if (cannotRun)
            return kExitCannotRun;
        return isp.answered() > 0 ? kExitSuccess : kExitFailure;
    });
}

} // namespace vantrel::cli
