#include "cli/CliApp.h"

#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/PdfModule.h"
#include "cli/PdfReport.h"
#include "cli/TerminalOutput.h"
#include "ops/SeqScanChecks.h"
#include "settings/ControlCharacters.h"
#include "settings/LiveOptions.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"
#include "settings/StoreLocation.h"
#include "text/MessageTexts.h"

#include <QCoreApplication>
#include <QDir>

namespace vantrel::cli {

namespace {

using settings::OptionId;

QString usage() {
    QString text = QStringLiteral(
        "Usage: vantrel-cli [--config-dir DIR] [--home-dir DIR] [--set NAME=VALUE]... [--save]\n"
        "                   [-4|-6] [--format text|rtf|csv|json] [--pdf FILE] COMMAND [ARGS]\n"
        "\n"
        "Vantrel's network diagnostics from the command line, with the options of the settings store.\n"
        "\n"
        "Options:\n"
        "  --config-dir DIR   use the settings store in DIR (also VANTREL_CONFIG_DIR)\n"
        "  --home-dir DIR     the program's home folder, where the settings export file lives (also\n"
        "                     VANTREL_HOME; default: the program's folder)\n"
        "  --set NAME=VALUE   set an option for this run; NAME as listed by 'options'\n"
        "  --save             write the options, with every --set, to the settings store\n"
        "  -4                 resolve host names to IPv4 addresses only, for this run (AddressFamily=3;\n"
        "                     never saved)\n"
        "  -6                 resolve host names to IPv6 addresses only, for this run (AddressFamily=4;\n"
        "                     never saved)\n"
        "  --format FORMAT    print an operation's results as text (the default), rtf (each fragment\n"
        "                     with its kind), csv (a header and one line per table row) or json (one\n"
        "                     object per line per row, line and summary); see the README's columns\n"
        "  --rtf              the same as --format rtf\n"
        "  --pdf FILE         also write the results to FILE as PDF pages, as Print lays them out\n"
        "  --help             show this text and end\n"
        "  --version          show the program's version and end\n"
        "\n"
        "Commands:\n");
    for (const CliCommand& command : cliCommands()) {
        const QString head =
            command.synopsis.isEmpty() ? command.name : command.name + QLatin1Char(' ') + command.synopsis;
        text += QStringLiteral("  %1  %2\n").arg(head, -17).arg(command.summary);
    }
    text += QStringLiteral(
        "\nExit status:\n"
        "  0  success: an echo reply came back (ping; seqscan, listscan: from any address or host), the\n"
        "     host was reached (trace) or answered (monitor), the name service answered (lookup)\n"
        "  1  it ran without success: no reply, the host not reached, an address without a name, no\n"
        "     address of the range or host of the list answered, nothing to delete\n"
        "  2  it could not run: a wrong command line, no permission for ICMP, a name that does not\n"
        "     resolve, an empty ListScan list or a list edit refused, a settings store or log file\n"
        "     that cannot be used\n");
    return text;
}

// Applies one --set the way the option's pane would take the value, telling any correction; an error
// text when it cannot.
QString applySetting(settings::LiveOptions& options, const QString& name, const QString& value,
                     TerminalOutput& terminal) {
    const std::optional<OptionId> id = settings::findOption(name);
    if (!id)
        return QStringLiteral("unknown option \"%1\" (see 'vantrel-cli options')").arg(name);
    const settings::OptionSpec& spec = settings::optionSpec(*id);
    if (!spec.isNumeric()) {
        if (*id != OptionId::PingString && settings::containsControlCharacter(value))
            return QStringLiteral("%1 cannot contain control characters such as a line break")
                .arg(spec.name());
        QString text = settings::correctedText(spec, value);
        // An octet goes through its field's check, as when it is typed on the pane ("001" is 1).
        if (const std::optional<settings::OctetField> field = settings::octetFieldOf(*id)) {
            settings::SeqScanOctets typed;
            typed[*field] = text;
            text = ops::correctedOctets(typed, [&](settings::OctetField, const QString& message) {
                terminal.err(QStringLiteral("vantrel-cli: %1: %2\n")
                                 .arg(output::text(output::res::kIpAddressErrorCaption), message));
            })[*field];
        }
        options.setText(*id, text);
        return {};
    }
    bool isNumber = false;
    const int number = value.trimmed().toInt(&isNumber, 10);
    if (!isNumber)
        return QStringLiteral("%1 takes a whole number, not \"%2\"").arg(spec.name(), value);
    const int corrected = settings::correctedNumber(spec, number);
    options.setNumber(*id, corrected);
    // Sort and AutoSort share one check box; setting Sort sets the box as well.
    if (*id == OptionId::Sort)
        options.setNumber(OptionId::AutoSort, corrected);
    return {};
}

} // namespace

int runCli(const QStringList& arguments, TerminalOutput& output, std::chrono::milliseconds storeLockWait,
           PdfModule* pdf) {
    const auto [parsed, error] = CliArguments::parse(arguments);
    if (!error.isEmpty()) {
        output.err(QStringLiteral("vantrel-cli: %1\n\n").arg(error) + usage());
        return kExitUsage;
    }
    if (parsed.help) {
        output.out(usage());
        return kExitSuccess;
    }
    if (parsed.version) {
        output.out(QStringLiteral("vantrel-cli %1\n").arg(QCoreApplication::applicationVersion()));
        return kExitSuccess;
    }
    const CliCommand* command = findCliCommand(parsed.command);
    if (!command && !(parsed.command.isEmpty() && parsed.save)) {
        output.err(parsed.command.isEmpty()
                       ? QStringLiteral("vantrel-cli: no command given\nTry 'vantrel-cli --help'.\n")
                       : QStringLiteral("vantrel-cli: unknown command \"%1\"\nTry 'vantrel-cli --help'.\n")
                             .arg(parsed.command));
        return kExitUsage;
    }

    auto store = settings::RegistryStore::open(
        settings::StoreLocation::resolve(parsed.configDir),
        [&output](const settings::StoreNotice& notice) {
            output.err(QStringLiteral("vantrel-cli: %1\n").arg(notice.text));
        },
        storeLockWait);
    settings::LiveOptions options;
    options.assign(settings::LoadSettings(*store).options);
    for (const auto& [name, value] : parsed.settings) {
        const QString problem = applySetting(options, name, value, output);
        if (!problem.isEmpty()) {
            output.err(QStringLiteral("vantrel-cli: %1\n").arg(problem));
            return kExitUsage;
        }
    }
    if (parsed.save) {
        if (const settings::StoreWrite saved = settings::SaveSettings(*store, options.snapshot()); !saved) {
            output.err(QStringLiteral("vantrel-cli: %1\n")
                           .arg(output::fill(output::res::kOptionsNotSaved, saved.reason())));
            return kExitCannotRun;
        }
    }
    // -4 and -6 hold for this run only: set after the save, the store never takes them.
    if (parsed.addressFamily)
        options.setNumber(OptionId::AddressFamily, int(*parsed.addressFamily));
    if (!command)
        return kExitSuccess;

    const QString executableDir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    CliContext context{*store,
                       options,
                       output,
                       settings::resolveHomeDir(parsed.homeDir, executableDir),
                       parsed.format == OutputFormat::Rtf,
                       parsed.format};
    if (!parsed.pdf)
        return command->run(context, parsed.commandArguments);
    if (!pdf) {
        output.err(QStringLiteral("vantrel-cli: --pdf needs the PDF module, which is not loaded\n"));
        return kExitCannotRun;
    }
    PdfReport report(pdf->createPages());
    context.report = &report;
    const int status = command->run(context, parsed.commandArguments);
    const QString problem = report.writeTo(*parsed.pdf);
    if (problem.isEmpty())
        return status;
    output.err(QStringLiteral("vantrel-cli: %1\n").arg(problem));
    return kExitCannotRun;
}

} // namespace vantrel::cli
