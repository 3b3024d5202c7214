#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <span>

namespace vantrel::settings {
class RegistryStore;
class LiveOptions;
} // namespace vantrel::settings

namespace vantrel::cli {

class TerminalOutput;

enum ExitCode : int {
    kExitSuccess = 0,
    kExitFailure = 1, // the command ran and failed (a host not reached, a file not written)
    kExitUsage = 2,   // the command line itself was wrong
};

// What a command works with: the store, the options in force for this run and the terminal.
struct CliContext {
    settings::RegistryStore& store;
    settings::LiveOptions& options;
    TerminalOutput& output;
    bool rtf = false; // print the result fragments as RTF instead of text
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
