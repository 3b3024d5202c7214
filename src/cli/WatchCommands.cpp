#include "cli/WatchCommands.h"

#include "cli/TerminalOutput.h"
#include "cli/WatchRun.h"
#include "ops/HostText.h"
#include "settings/WatchList.h"
#include "text/MessageTexts.h"

#include <algorithm>
#include <optional>

namespace vantrel::cli {

namespace {

int fail(CliContext& context, const QString& text, int status) {
    context.output.err(QStringLiteral("vantrel-cli: watch: %1\n").arg(text));
    return status;
}

int usage(CliContext& context) {
    context.output.err(QStringLiteral(
        "vantrel-cli: watch takes list, add HOST [--name N] [--interval S] [--loss PCT] [--rtt MS], del HOST "
        "or run\n"));
    return kExitUsage;
}

int listWatched(CliContext& context) {
    QString listing;
    for (const settings::WatchEntry& entry : settings::WatchList(context.store).load())
        listing += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                       .arg(entry.host, entry.name)
                       .arg(entry.intervalSeconds)
                       .arg(entry.degradedLossPercent)
                       .arg(entry.degradedRoundTripMs)
                       .arg(entry.enabled ? 1 : 0);
    context.output.out(listing);
    return kExitSuccess;
}

// A number of the command line within its limits; std::nullopt once it has told what it takes.
std::optional<int> numberWithin(CliContext& context, const QString& value, int lowest, int highest,
                                const QString& what) {
    bool number = false;
    const int parsed = value.toInt(&number);
    if (number && parsed >= lowest && parsed <= highest)
        return parsed;
    fail(context, QStringLiteral("%1 from %2 to %3").arg(what).arg(lowest).arg(highest), kExitUsage);
    return std::nullopt;
}

// The host as the host box takes it; std::nullopt once it has told why it is refused.
std::optional<QString> watchedHost(CliContext& context, const QString& typed) {
    const ops::HostText cleaned = ops::cleanHostText(typed);
    if (cleaned.problem == ops::HostText::Problem::ControlCharacter) {
        fail(context, output::text(output::res::kHostControlCharacter), kExitUsage);
        return std::nullopt;
    }
    if (cleaned.problem != ops::HostText::Problem::None || cleaned.host.contains(QLatin1Char('\\'))) {
        fail(context,
             QStringLiteral("\"%1\" is no host name or address of at most %2 characters")
                 .arg(typed.simplified())
                 .arg(settings::WatchLimits::kLongestHost),
             kExitUsage);
        return std::nullopt;
    }
    return cleaned.host;
}

int addWatched(CliContext& context, const QStringList& arguments) {
    const std::optional<QString> host = watchedHost(context, arguments[1]);
    if (!host)
        return kExitUsage;
    settings::WatchList list(context.store);
    const std::vector<settings::WatchEntry> entries = list.load();
    // Adding a host again changes only what is given.
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const settings::WatchEntry& entry) {
        return entry.host.compare(*host, Qt::CaseInsensitive) == 0;
    });
    settings::WatchEntry entry = found != entries.end() ? *found : settings::WatchEntry{};
    entry.host = found != entries.end() ? found->host : *host;
    for (qsizetype i = 2; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size())
            return usage(context);
        const QString& value = arguments[i + 1];
        if (arguments[i] == QLatin1String("--name")) {
            if (value.size() > settings::WatchLimits::kLongestName)
                return fail(context,
                            QStringLiteral("a name has at most %1 characters")
                                .arg(settings::WatchLimits::kLongestName),
                            kExitUsage);
            entry.name = value;
        } else if (arguments[i] == QLatin1String("--interval")) {
            const std::optional<int> seconds =
                numberWithin(context, value, settings::WatchLimits::kShortestInterval,
                             settings::WatchLimits::kLongestInterval,
                             QStringLiteral("the interval is a number of seconds"));
            if (!seconds)
                return kExitUsage;
            entry.intervalSeconds = *seconds;
        } else if (arguments[i] == QLatin1String("--loss")) {
            const std::optional<int> percent =
                numberWithin(context, value, 0, 100, QStringLiteral("the degraded loss is a percentage"));
            if (!percent)
                return kExitUsage;
            entry.degradedLossPercent = *percent;
        } else if (arguments[i] == QLatin1String("--rtt")) {
            const std::optional<int> milliseconds =
                numberWithin(context, value, 1, settings::WatchLimits::kLongestRoundTripMs,
                             QStringLiteral("the degraded round trip is a number of milliseconds"));
            if (!milliseconds)
                return kExitUsage;
            entry.degradedRoundTripMs = *milliseconds;
        } else {
            return usage(context);
        }
    }
    if (const settings::StoreWrite written = list.put(entry); !written)
        return fail(context, QStringLiteral("%1 was not saved: %2").arg(entry.host, written.reason()),
                    kExitCannotRun);
    return kExitSuccess;
}

int deleteWatched(CliContext& context, const QString& host) {
    const settings::StoreWrite removed = settings::WatchList(context.store).remove(host);
    if (removed)
        return kExitSuccess;
    if (removed.code() == settings::StoreWrite::kNothingThere)
        return fail(context, QStringLiteral("%1 is not watched").arg(host), kExitFailure);
    return fail(context, QStringLiteral("%1 was not deleted: %2").arg(host, removed.reason()),
                kExitCannotRun);
}

} // namespace

int watchCommand(CliContext& context, const QStringList& arguments) {
    const QString verb = arguments.value(0);
    if (verb == QLatin1String("list") && arguments.size() == 1)
        return listWatched(context);
    if (verb == QLatin1String("add") && arguments.size() >= 2)
        return addWatched(context, arguments);
    if (verb == QLatin1String("del") && arguments.size() == 2)
        return deleteWatched(context, arguments[1]);
    if (verb == QLatin1String("run"))
        return runWatch(context, arguments.mid(1));
    return usage(context);
}

} // namespace vantrel::cli
