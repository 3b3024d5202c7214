#include "cli/CliApp.h"
#include "cli/TerminalOutput.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quenlo Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    vantrel::cli::StdioOutput output;
    const int status = vantrel::cli::runCli(QCoreApplication::arguments().mid(1), output);
    // The store and the log are closed and the output is written; tearing Qt and the libraries down
    // would only make a one-request run wait longer for its end.
    std::fflush(nullptr);
    std::_Exit(status);
}
