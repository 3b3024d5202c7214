#pragma once

#include "cli/CliCommands.h"

#include <functional>

namespace vantrel::ops {
class OperationControl;
}

namespace vantrel::cli {

// Runs one operation from the command line on the same core as the desktop: operation control with the
// built-in echo service and the system's name service, its fragments through the one append pipeline
// (the log file while `Log Check` is on, then the terminal as text or, with --rtf, as RTF). It waits
// until the operation has ended; the first Ctrl+C gives the operation's command once more, which cancels
// it, and a second one ends the program at once.
class CliOperationSession {
public:
    using Command = std::function<void(ops::OperationControl&)>;

    explicit CliOperationSession(CliContext& context);

    // Starts the operation on `host` with `start` and answers the exit status: 0 when it ran to its end,
    // 1 when it could not run. `cancel` is what Ctrl+C gives (the same command, usually). A continuous
    // ping runs until Ctrl+C or, with `cycles` above 0, for that many cycles; its countdown is shown on
    // the status line when standard output is a terminal.
    int run(const QString& host, const Command& start, const Command& cancel, int cycles = 0);

private:
    CliContext& m_context;
};

} // namespace vantrel::cli
