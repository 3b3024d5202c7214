#include "cli/CliOperationSession.h"

#include "cli/CliFrontEnd.h"
#include "cli/CliResultView.h"
#include "cli/InterruptSignals.h"
#include "cli/TerminalOutput.h"
#include "net/IcmpApi.h"
#include "net/SocketLibrary.h"
#include "net/SystemHostDatabase.h"
#include "ops/ContinuousPing.h"
#include "ops/OperationControl.h"
#include "output/LogFrontEnd.h"
#include "output/ResultLog.h"
#include "output/ResultPipeline.h"
#include "settings/LiveOptions.h"

#include <QCoreApplication>
#include <memory>

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

private:
    TerminalOutput& m_output;
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

CliOperationSession::CliOperationSession(CliContext& context)
    : m_context(context) {}

int CliOperationSession::run(const QString& host, const Command& start, const Command& cancel, int cycles) {
    TerminalOutput& terminal = m_context.output;
    const std::unique_ptr<output::ResultView> view = makeResultView(m_context);

    CliLogFrontEnd logFrontEnd(terminal);
    output::ResultLog log(m_context.options, logFrontEnd);
    // A one-off run from a terminal touches the log file only when it is to log; one that was asked to log
    // and cannot does not run, rather than leave the log without it.
    if (m_context.options.isOn(settings::OptionId::LogCheck)) {
        log.OpenLogAtStartup();
        if (!log.isLogging()) {
            log.CheckLogExtension(true); // the reason, when it is the name's extension
            return kExitCannotRun;
        }
        if (!log.isOpen() && !log.openForLogging())
            return kExitCannotRun;
    }
    output::ResultPipeline pipeline(&log, *view);

    net::SocketLibrary sockets(std::make_shared<net::SystemHostDatabase>());
    CliFrontEnd frontEnd(host, terminal);
    ops::OperationState state;
    ops::OperationControl control(
        {state, m_context.options, net::IcmpApi::builtIn(), sockets, frontEnd, pipeline});
    bool countdownShown = false; // outlives the run's signals
    ops::ContinuousPing continuous(control, frontEnd, pipeline, m_context.options);
    if (cycles > 0) {
        // Counted cycles make a continuous ping; ContPing goes off as the last one starts, so that the
        // run ends after it with its summary.
        m_context.options.setNumber(settings::OptionId::ContPing, 1);
        QObject::connect(&continuous, &ops::ContinuousPing::cycleStarting, [&](int cycle) {
            if (cycle >= cycles)
                m_context.options.setNumber(settings::OptionId::ContPing, 0);
        });
    }
    if (terminal.outIsTerminal())
        QObject::connect(&continuous, &ops::ContinuousPing::countdownStatus, [&](const QString& text) {
            if (text.isEmpty() && !countdownShown)
                return;
            // The status line: rewritten in place, and cleared before the next cycle's rows.
            terminal.out(QLatin1Char('\r') + text + QStringLiteral("\x1b[K"));
            countdownShown = !text.isEmpty();
        });

    InterruptSignals interrupts;
    QObject::connect(&interrupts, &InterruptSignals::interrupted, [&] {
        cancel(control);
        control.closeEchoHandleInFlight();
    });
    start(control);

    control.waitUntilIdle();
    control.joinWorkers();
    log.close();
    return exitStatusOf(control.lastOutcome());
}

} // namespace vantrel::cli
