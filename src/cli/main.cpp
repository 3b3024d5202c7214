#include "cli/CliApp.h"
#include "cli/TerminalOutput.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quenlo Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    vantrel::cli::StdioOutput output;
    return vantrel::cli::runCli(QCoreApplication::arguments().mid(1), output);
}
