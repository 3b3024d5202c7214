#pragma once

#include "settings/AddressFamily.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace vantrel::cli {

// How an operation's results are printed: readable text, the RTF fragments, or its records as CSV rows
// or JSON lines.
enum class OutputFormat { Text, Rtf, Csv, Json };

// The command line: vantrel-cli [--config-dir DIR] [--home-dir DIR] [--set NAME=VALUE]... [--save]
// [-4|-6] [--format text|rtf|csv|json] [--rtf] [--pdf FILE] COMMAND [ARGS], or --help, or --version. Options
// before the command belong to the program; everything after it belongs to the command.
struct CliArguments {
    std::optional<QString> configDir;
    std::optional<QString> homeDir;
    std::vector<std::pair<QString, QString>> settings; // NAME, VALUE in the order given
    bool save = false;
    // -4 or -6: the names of this run resolve to one family; never saved.
    std::optional<settings::AddressFamily> addressFamily;
    OutputFormat format = OutputFormat::Text; // --rtf is --format rtf
    std::optional<QString> pdf;               // where to write the results as pages
    bool help = false;
    bool version = false;
    QString command;
    QStringList commandArguments;

    // Parses the arguments after the program name; an error text when they are malformed.
    static std::pair<CliArguments, QString> parse(const QStringList& arguments);
};

} // namespace vantrel::cli
