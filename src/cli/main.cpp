#include "cli/CliApp.h"
#include "cli/CliArguments.h"
#include "cli/TerminalOutput.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char* argv[]) {
    // Pages need fonts, and so the GUI library, though never a display: without one, it draws offscreen.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    std::unique_ptr<QCoreApplication> application;
    if (vantrel::cli::CliArguments::parse(arguments).first.pdf) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(QStringLiteral("Quenlo Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    vantrel::cli::StdioOutput output;
    const int status = vantrel::cli::runCli(QCoreApplication::arguments().mid(1), output);
    // The store and the log are closed and the output is written; tearing Qt and the libraries down
    // would only make a one-request run wait longer for its end.
    std::fflush(nullptr);
    std::_Exit(status);
}
