#include "cli/CliCommands.h"

#include "cli/CliOperationSession.h"
#include "cli/CliResultView.h"
#include "cli/SeqScanCommands.h"
#include "cli/TerminalOutput.h"
#include "cli/WatchCommands.h"
#include "commands/AddressEditMessage.h"
#include "commands/ProfileCommands.h"
#include "net/CWinsock.h"
#include "net/WinsockErrors.h"
#include "ops/OperationControl.h"
#include "ops/SettingsTransfer.h"
#include "ops/WinsockReports.h"
#include "settings/ControlCharacters.h"
#include "settings/ListScanAddressList.h"
#include "settings/LiveOptions.h"
#include "settings/ProfileBook.h"
#include "settings/SettingsModel.h"
#include "text/MessageTexts.h"

#include <algorithm>
#include <vector>

namespace vantrel::cli {

namespace {

// Control characters would break the one-option-a-line form; they are shown as C escapes.
QString printable(const QString& value) {
    QString shown;
    shown.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\n':
            shown += QLatin1String("\\n");
            break;
        case '\r':
            shown += QLatin1String("\\r");
            break;
        case '\t':
            shown += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                shown += c;
        }
    }
    return shown;
}

int listOptions(CliContext& context, const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        context.output.err(QStringLiteral("vantrel-cli: options takes no arguments\n"));
        return kExitUsage;
    }
    const settings::OptionSet values = context.options.snapshot();
    QString listing;
    for (const settings::OptionSpec& spec : settings::optionTable())
        listing += spec.name() + QLatin1Char('=') + printable(values.display(spec.id)) + QLatin1Char('\n');
    context.output.out(listing);
    return kExitSuccess;
}

// The host of a host-directed operation: exactly one argument.
bool takeHost(CliContext& context, const QString& command, const QStringList& arguments) {
    if (arguments.size() == 1 && !arguments[0].isEmpty())
        return true;
    context.output.err(QStringLiteral("vantrel-cli: %1 takes one HOST\n").arg(command));
    return false;
}

// Takes "OPTION N" or "OPTION=N" (a whole number from 1) from `arguments` into `value`; the other
// arguments go to `rest`. False, with the message, when the value is no such number.
bool takeCountOption(CliContext& context, const QStringList& arguments, const QString& option,
                     QStringList& rest, int& value) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString text;
        if (argument == option && i + 1 < arguments.size())
            text = arguments[++i];
        else if (argument.startsWith(option + QLatin1Char('=')))
            text = argument.mid(option.size() + 1);
        else if (argument != option) {
            rest.append(argument);
            continue;
        }
        bool isNumber = false;
        value = text.trimmed().toInt(&isNumber, 10);
        if (!isNumber || value < 1) {
            context.output.err(QStringLiteral("vantrel-cli: %1 takes a whole number from 1\n").arg(option));
            return false;
        }
    }
    return true;
}

// ping HOST [--cycles N]: with --cycles, a continuous ping of N cycles.
int pingHost(CliContext& context, const QStringList& arguments) {
    QStringList hosts;
    int cycles = 0;
    if (!takeCountOption(context, arguments, QStringLiteral("--cycles"), hosts, cycles) ||
        !takeHost(context, QStringLiteral("ping"), hosts))
        return kExitUsage;
    const auto ping = [](ops::OperationControl& control) { control.OnPing(); };
    return CliOperationSession(context).run(hosts[0], ping, ping, cycles);
}

// monitor HOST [--cycles N] [--report] [--stream]: the path monitor, for N rounds or until Ctrl+C.
int monitorHost(CliContext& context, const QStringList& arguments) {
    QStringList rest;
    int cycles = 0;
    if (!takeCountOption(context, arguments, QStringLiteral("--cycles"), rest, cycles))
        return kExitUsage;
    const bool reportOnly = rest.removeAll(QStringLiteral("--report")) > 0;
    const bool stream = rest.removeAll(QStringLiteral("--stream")) > 0;
    if (stream && context.format != OutputFormat::Json) {
        context.output.err(QStringLiteral("vantrel-cli: monitor: --stream needs --format json\n"));
        return kExitUsage;
    }
    if (!takeHost(context, QStringLiteral("monitor"), rest))
        return kExitUsage;
    return CliOperationSession(context).runPathMonitor(rest[0], unsigned(cycles), reportOnly, stream);
}

// isp [HOST] --count N: ISPinger on HOST, or on the stored ISPAddress, for N requests.
int ispinger(CliContext& context, const QStringList& arguments) {
    QStringList hosts;
    int count = 0;
    if (!takeCountOption(context, arguments, QStringLiteral("--count"), hosts, count))
        return kExitUsage;
    if (count == 0 || hosts.size() > 1 || (hosts.size() == 1 && hosts[0].isEmpty())) {
        context.output.err(QStringLiteral("vantrel-cli: isp takes at most one HOST and --count N\n"));
        return kExitUsage;
    }
    if (!hosts.isEmpty() && settings::containsControlCharacter(hosts[0])) {
        context.output.err(QStringLiteral("vantrel-cli: isp: ") +
                           output::text(output::res::kHostControlCharacter) + QLatin1Char('\n'));
        return kExitCannotRun;
    }
    if (!hosts.isEmpty())
        context.options.setText(settings::OptionId::ISPAddress, hosts[0]);
    return CliOperationSession(context).runISPinger(count);
}

// lookup HOST: the name service's report on a name, or on a dotted address in reverse.
int lookupHost(CliContext& context, const QStringList& arguments) {
    if (!takeHost(context, QStringLiteral("lookup"), arguments))
        return kExitUsage;
    const auto lookup = [](ops::OperationControl& control) { control.OnLookup(); };
    return CliOperationSession(context).run(arguments[0], lookup, lookup);
}

int traceHost(CliContext& context, const QStringList& arguments) {
    if (!takeHost(context, QStringLiteral("trace"), arguments))
        return kExitUsage;
    const auto trace = [](ops::OperationControl& control) { control.OnTrace(); };
    return CliOperationSession(context).run(arguments[0], trace, trace);
}

// The stored ListScan addresses in the order this run's options give them (--set ListScanAutoSort=1).
QStringList listScanAddresses(const CliContext& context) {
    return settings::loadSavedList(context.store, settings::section::kListScanHosts,
                                   context.options.isOn(settings::OptionId::ListScanAutoSort));
}

// listscan [HOST...]: the stored address list in its order, or the hosts given in theirs.
int listScan(CliContext& context, const QStringList& arguments) {
    const QStringList hosts = arguments.isEmpty() ? listScanAddresses(context) : arguments;
    if (hosts.isEmpty()) {
        context.output.err(QStringLiteral("vantrel-cli: listscan: ") +
                           output::text(output::res::kNoAddressSpecified) +
                           QStringLiteral(" (add one with: vantrel-cli list add HOST)\n"));
        return kExitCannotRun;
    }
    // The hosts given are refused as the address list refuses them.
    if (std::any_of(hosts.cbegin(), hosts.cend(), settings::containsControlCharacter)) {
        context.output.err(QStringLiteral("vantrel-cli: listscan: ") +
                           output::text(output::res::kHostControlCharacter) + QLatin1Char('\n'));
        return kExitCannotRun;
    }
    const auto scan = [&hosts](ops::OperationControl& control) { control.OnListScan(hosts); };
    return CliOperationSession(context).run(QString(), scan, scan);
}

// list [add HOST | del HOST]: prints the stored ListScan addresses, or changes them as the pane does.
int addressList(CliContext& context, const QStringList& arguments) {
    settings::ListScanAddressList list(context.store, listScanAddresses(context));
    if (arguments.isEmpty()) {
        QString listing;
        for (const QString& entry : list.entries())
            listing += entry + QLatin1Char('\n');
        context.output.out(listing);
        return kExitSuccess;
    }
    const bool add = arguments[0] == QLatin1String("add");
    if (arguments.size() != 2 || (!add && arguments[0] != QLatin1String("del"))) {
        context.output.err(QStringLiteral("vantrel-cli: list takes no arguments, add HOST or del HOST\n"));
        return kExitUsage;
    }
    const bool sorted = context.options.isOn(settings::OptionId::ListScanAutoSort);
    const settings::AddressEdit result =
        add ? list.add(arguments[1], sorted) : list.remove(arguments[1], sorted);
    const QString message = output::addressEditMessage(result, list, arguments[1]);
    if (message.isEmpty())
        return kExitSuccess;
    context.output.err(QStringLiteral("vantrel-cli: list: ") + message + QLatin1Char('\n'));
    // Deleting what is not there ran without success, as for a profile; a refused entry or a change the
    // store did not take could not run.
    return result == settings::AddressEdit::NotListed ? kExitFailure : kExitCannotRun;
}

// The About Your Winsock report: readable lines, or with --rtf each fragment as kind, tab, fragment.
int aboutWinsock(CliContext& context, const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        context.output.err(QStringLiteral("vantrel-cli: winsock takes no arguments\n"));
        return kExitUsage;
    }
    net::CWinsock winsock;
    if (!winsock.Start()) {
        context.output.err(net::WinsockErrorText(winsock.startResult()) + QLatin1Char('\n'));
        return kExitCannotRun;
    }
    const std::unique_ptr<output::ResultView> view = makeResultView(context);
    for (const output::ResultRow& line : ops::aboutWinsockReport(winsock.data()))
        view->showResult(output::ShownRow(line));
    winsock.Stop();
    return kExitSuccess;
}

// The profiles as the Profile Manager lists them, sorted when AutoSort is on.
settings::ProfileBook loadedProfiles(CliContext& context) {
    settings::ProfileBook book(context.store);
    book.load(context.options.isOn(settings::OptionId::AutoSort),
              context.options.isOn(settings::OptionId::RadioSort) ? settings::kAddressColumn
                                                                  : settings::kNameColumn);
    return book;
}

int listProfiles(CliContext& context, const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        context.output.err(QStringLiteral("vantrel-cli: profiles takes no arguments\n"));
        return kExitUsage;
    }
    const settings::ProfileBook book = loadedProfiles(context);
    QString listing;
    for (const settings::ProfileEntry& entry : book.entries())
        listing += printable(entry.name) + QLatin1Char('\t') + printable(entry.address) + QLatin1Char('\n');
    context.output.out(listing);
    return kExitSuccess;
}

// profile add NAME HOST | profile del NAME: the profile command of the window, without its question.
int changeProfile(CliContext& context, const QStringList& arguments) {
    const QString verb = arguments.value(0);
    const bool adding = verb == QLatin1String("add") && arguments.size() == 3;
    if (!adding && !(verb == QLatin1String("del") && arguments.size() == 2)) {
        context.output.err(QStringLiteral("vantrel-cli: profile takes add NAME HOST or del NAME\n"));
        return kExitUsage;
    }
    settings::ProfileBook book = loadedProfiles(context);
    QString name = arguments[1];
    QString address;
    if (adding) {
        address = arguments[2];
        // The profile is there as given: the window's command would delete it, this one keeps it.
        if (settings::ProfileBook::canApply(name, address) &&
            book.decide(name, address) == settings::ProfileAction::Delete)
            return kExitSuccess;
    } else {
        const std::optional<int> row = book.rowOf(name);
        if (!row) {
            context.output.err(QStringLiteral("vantrel-cli: ") +
                               output::fill(output::res::kProfileNotFound, name) + QLatin1Char('\n'));
            return kExitFailure;
        }
        name = book.at(*row).name;
        address = book.at(*row).address;
    }
    const settings::ProfileBook::Outcome outcome = book.apply(name, address, false, settings::kNameColumn);
    if (const auto message = output::profileRefusalMessage(outcome.refusal, name, book.notSavedReason())) {
        context.output.err(QStringLiteral("vantrel-cli: ") + message->text + QLatin1Char('\n'));
        return outcome.refusal == settings::ProfileRefusal::NotSaved ? kExitCannotRun : kExitUsage;
    }
    return kExitSuccess;
}

// export [FILE] and import [FILE]: the whole settings store to one file and back; the file defaults to
// the export file in the home folder. A refused import changes nothing and exits with 2.
int transferSettings(CliContext& context, const QStringList& arguments, bool importing) {
    if (arguments.size() > 1) {
        context.output.err(QStringLiteral("vantrel-cli: %1 takes at most one FILE\n")
                               .arg(importing ? QStringLiteral("import") : QStringLiteral("export")));
        return kExitUsage;
    }
    ops::SettingsTransfer transfer(context.store, context.homeDir);
    const QString file = arguments.isEmpty() ? transfer.defaultFile() : arguments.first();
    const ops::TransferReport report = importing ? transfer.importFrom(file) : transfer.exportTo(file);
    if (!report.succeeded) {
        context.output.err(QStringLiteral("vantrel-cli: %1: %2\n").arg(report.caption, report.text));
        return kExitCannotRun;
    }
    context.output.out(report.text + QLatin1Char('\n'));
    return kExitSuccess;
}

const std::vector<CliCommand>& commandTable() {
    static const std::vector<CliCommand> commands{
        {QStringLiteral("options"), QString(),
         QStringLiteral("print every option as NAME=VALUE, in the order they are loaded"), &listOptions},
        {QStringLiteral("ping"), QStringLiteral("HOST [--cycles N]"),
         QStringLiteral("send Packets echo requests to HOST (a name or a dotted address); with "
                        "ContPing=1 again every ContPingInterval seconds until Ctrl+C, or for N cycles"),
         &pingHost},
        {QStringLiteral("isp"), QStringLiteral("[HOST] --count N"),
         QStringLiteral("ISPinger: one echo request to HOST (or ISPAddress) every ISPInterval seconds, the "
                        "success rate on the status line, for N requests or until Ctrl+C; exit 1 when none "
                        "was answered"),
         &ispinger},
        {QStringLiteral("lookup"), QStringLiteral("HOST"),
         QStringLiteral("report the name service's entry for HOST: official name, addresses, aliases"),
         &lookupHost},
        {QStringLiteral("trace"), QStringLiteral("HOST"),
         QStringLiteral("trace the route to HOST hop by hop, up to Hops routers (names with TraceDNS=1)"),
         &traceHost},
        {QStringLiteral("monitor"), QStringLiteral("HOST [--cycles N] [--report] [--stream]"),
         QStringLiteral("path monitor: probe every hop to HOST (up to Hops) each PathMonitorInterval tenths "
                        "of a second, the per-hop loss and latency table redrawn on a terminal until Ctrl+C "
                        "or N rounds, then the final table; --report prints only that; --stream (with "
                        "--format json) adds one line per round"),
         &monitorHost},
        {QStringLiteral("seqscan"), QStringLiteral("[START END | --group NAME]"),
         QStringLiteral("ping every address from START to END (dotted, the same first two octets) one after "
                        "another; without a range the stored octet fields, or a saved group"),
         &seqScanRange},
        {QStringLiteral("groups"), QString(),
         QStringLiteral("print the saved SeqScan groups as NAME, START, END"), &listSeqScanGroups},
        {QStringLiteral("group"), QStringLiteral("add NAME START END | del NAME"),
         QStringLiteral("save a SeqScan group, or delete one"), &changeSeqScanGroup},
        {QStringLiteral("listscan"), QStringLiteral("[HOST...]"),
         QStringLiteral("ping the stored ListScan addresses (or the HOSTs) in turn, names resolved first: "
                        "a row per host, up to ListScanPackets requests each"),
         &listScan},
        {QStringLiteral("list"), QStringLiteral("[add|del HOST]"),
         QStringLiteral("print the stored ListScan addresses in the list's order, or add or delete one"),
         &addressList},
        {QStringLiteral("winsock"), QString(), QStringLiteral("print the About Your Winsock report"),
         &aboutWinsock},
        {QStringLiteral("profiles"), QString(),
         QStringLiteral("print every profile as NAME<TAB>HOST, in the Profile Manager's order"),
         &listProfiles},
        {QStringLiteral("profile"), QStringLiteral("add NAME HOST | del NAME"),
         QStringLiteral("add a profile, or give an existing NAME a new HOST; or delete the profile NAME "
                        "(exit 1 when there is none; 2 for an empty or too long NAME or HOST)"),
         &changeProfile},
        {QStringLiteral("watch"),
         QStringLiteral("list | add HOST [--name N] [--interval S] [--loss PCT] [--rtt MS] | del HOST | run"),
         QStringLiteral(
             "print the watch list as HOST, NAME, INTERVAL (s), degraded LOSS (%) and ROUND TRIP "
             "(ms), ENABLED (1 or 0), tab-separated; add a host or change its name, interval (default "
             "10 s) or the limits above which it is degraded (default 10 % loss, 250 ms); or delete one "
             "(exit 1 when it is not watched); run: probe every enabled host "
             "until Ctrl+C or SIGTERM, each change of state a line, every probe kept in the history"),
         &watchCommand},
        {QStringLiteral("export"), QStringLiteral("[FILE]"),
         QStringLiteral(
             "save the whole settings store to FILE (default: VantrelExport.vtr in the home folder), "
             "replacing an older regular file only once the new one is complete"),
         [](CliContext& context, const QStringList& arguments) {
             return transferSettings(context, arguments, false);
         }},
        {QStringLiteral("import"), QStringLiteral("[FILE]"),
         QStringLiteral("replace the settings store with an exported FILE (default as for export); a damaged "
                        "or foreign file is refused with exit 2 and changes nothing"),
         [](CliContext& context, const QStringList& arguments) {
             return transferSettings(context, arguments, true);
         }},
    };
    return commands;
}

} // namespace

std::span<const CliCommand> cliCommands() {
    return commandTable();
}

const CliCommand* findCliCommand(const QString& name) {
    for (const CliCommand& command : commandTable())
        if (command.name == name)
            return &command;
    return nullptr;
}

} // namespace vantrel::cli
