#pragma once

#include "cli/CliArguments.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <span>

namespace vantrel::settings {
class RegistryStore;
class LiveOptions;
} // namespace vantrel::settings

namespace vantrel::output {
class ResultView;
}

namespace vantrel::cli {

class TerminalOutput;

// The exit statuses, as ping and fping use them, so that scripts can tell a host that did not answer
// from a command that could not run.
enum ExitCode : int {
    kExitSuccess = 0,   // it succeeded: a reply came back, the host was reached, the lookup found it
    kExitFailure = 1,   // it ran and did not succeed: no reply, the host not reached
    kExitCannotRun = 2, // it could not run: no ICMP permission, a name that does not resolve, no store or log
    kExitUsage = 2,     // the command line itself was wrong
};

// What a command works with: the store, the options in force for this run and the terminal.
struct CliContext {
    settings::RegistryStore& store;
    settings::LiveOptions& options;
    TerminalOutput& output;
    QString homeDir;                          // ends in a slash: where the settings export file lives
    bool rtf = false;                         // print the result fragments as RTF instead of text
    OutputFormat format = OutputFormat::Text; // how operations print their results
    output::ResultView* report = nullptr;     // also gets every fragment, for --pdf
};

struct CliCommand {
    QString name;
    QString synopsis; // the arguments, for the usage text
    QString summary;
    std::function<int(CliContext&, const QStringList& arguments)> run;
};

// Every command of vantrel-cli, in the order the usage lists them.
std::span<const CliCommand> cliCommands();
const CliCommand* findCliCommand(const QString& name);

} // namespace vantrel::cli
