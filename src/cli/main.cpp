#include "cli/CliApp.h"
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/PdfModule.h"
#include "cli/PdfModuleLoader.h"
#include "cli/TerminalOutput.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    vantrel::cli::StdioOutput output;
    // Only --pdf needs the GUI library: its module brings it along and makes the application object.
    std::unique_ptr<QCoreApplication> application;
    vantrel::cli::PdfModule* pdf = nullptr;
    if (vantrel::cli::CliArguments::parse(arguments).first.pdf) {
        using vantrel::cli::PdfModuleLoader;
        const PdfModuleLoader::Loaded loaded = PdfModuleLoader::load(PdfModuleLoader::programDir());
        if (!loaded.module) {
            output.err(QStringLiteral("vantrel-cli: %1\n").arg(loaded.error));
            return vantrel::cli::kExitCannotRun;
        }
        pdf = loaded.module;
        application = pdf->createApplication(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(QStringLiteral("Quenlo Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    int status = vantrel::cli::runCli(QCoreApplication::arguments().mid(1), output,
                                      vantrel::settings::SqliteConnection::kLockWait, pdf);
    // The store and the log are closed and the output is written; tearing Qt and the libraries down
    // would only make a one-request run wait longer for its end.
    std::fflush(nullptr);
    if (const int error = output.outError(); error != 0) {
        output.err(QStringLiteral("vantrel-cli: cannot write the output: %1\n")
                       .arg(QString::fromLocal8Bit(std::strerror(error))));
        status = vantrel::cli::kExitCannotRun;
    }
    std::_Exit(status);
}
