#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace vantrel::cli {

// The command line: vantrel-cli [--config-dir DIR] [--home-dir DIR] [--set NAME=VALUE]... [--save] [--rtf]
// [--pdf FILE] COMMAND [ARGS], or --help, or --version. Options before the command belong to the program;
// everything after it belongs to the command.
struct CliArguments {
    std::optional<QString> configDir;
    std::optional<QString> homeDir;
    std::vector<std::pair<QString, QString>> settings; // NAME, VALUE in the order given
    bool save = false;
    bool rtf = false;
    std::optional<QString> pdf; // where to write the results as pages
    bool help = false;
    bool version = false;
    QString command;
    QStringList commandArguments;

    // Parses the arguments after the program name; an error text when they are malformed.
    static std::pair<CliArguments, QString> parse(const QStringList& arguments);
};

} // namespace vantrel::cli
