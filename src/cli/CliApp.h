#pragma once

#include <QStringList>

namespace vantrel::cli {

class TerminalOutput;

// Runs vantrel-cli with the arguments after the program name and answers its exit status.
int runCli(const QStringList& arguments, TerminalOutput& output);

} // namespace vantrel::cli
