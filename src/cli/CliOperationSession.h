#pragma once

#include "cli/CliCommands.h"
#include "net/IcmpApi.h"
#include "ops/OperationOutcome.h"
#include "ops/ResultRecord.h"

#include <functional>

namespace vantrel::ops {
class OperationControl;
class OperationsSession;
} // namespace vantrel::ops

namespace vantrel::cli {

// The exit status of an operation's outcome: 0 it succeeded, 1 it ran without success, 2 it could not run.
int exitStatusOf(ops::OperationOutcome outcome);

// Runs one operation from the command line on the same core as the desktop: operation control with the
// built-in echo service and the system's name service, its fragments through the one append pipeline
// (the log file while `Log Check` is on, then the terminal as text or, with --rtf, as RTF). It waits
// until the operation has ended; the first Ctrl+C gives the operation's command once more, which cancels
// it at once, and a second one ends the program.
class CliOperationSession {
public:
    using Command = std::function<void(ops::OperationControl&)>;

    // `icmp` is the system's echo service unless a test binds a scripted one.
    explicit CliOperationSession(CliContext& context, net::IcmpApi icmp = net::IcmpApi::builtIn());

    // Starts the operation on `host` with `start` and answers the exit status of what it came to
    // (exitStatusOf). `cancel` is what Ctrl+C or SIGTERM gives (the same command, usually), with the echo
    // request in flight ended at once. A continuous ping runs until Ctrl+C or, with `cycles` above 0, for
    // that many cycles; its countdown is shown on the status line when standard output is a terminal.
    int run(const QString& host, const Command& start, const Command& cancel, int cycles = 0);
    // ISPinger on the stored ISPAddress for `count` requests at ISPInterval, its status text on the status
    // line of a terminal; Ctrl+C or SIGTERM stops it early. 0 when a request was answered, 1 otherwise, 2
    // when no echo handle could be created (the red line and the guidance are shown; it does not retry).
    int runISPinger(int count);
    // The path monitor on `host` for `rounds` rounds (0: until Ctrl+C or SIGTERM). On a terminal with
    // text output and without `reportOnly` its table is redrawn in place as it runs; `stream` (JSON only)
    // adds a line for every round. The final table comes as the report, as the operation's records with
    // --format csv|json. 0 when the target answered in some round, 1 when not, 2 when it could not run.
    int runPathMonitor(const QString& host, unsigned rounds, bool reportOnly, bool stream);

private:
    // The printer of the records when results are printed as data, or an empty sink.
    ops::RecordSink recordSink();
    // Makes the operations session of a run, with its log and append pipeline, on a front end for `host`
    // (ISPAddress when null), and gives it to `body`; kExitCannotRun without calling it when the run
    // should log and cannot, and after it when the log failed during the run.
    int withSession(const QString& host, const std::function<int(ops::OperationsSession&)>& body);

    CliContext& m_context;
    net::IcmpApi m_icmp;
};

} // namespace vantrel::cli
