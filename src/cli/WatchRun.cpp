#include "cli/WatchRun.h"

#include "cli/CliResultView.h"
#include "cli/CliWatchFrontEnd.h"
#include "cli/InterruptSignals.h"
#include "cli/MetricsEndpoint.h"
#include "cli/TerminalOutput.h"
#include "history/HistoryWriter.h"
#include "net/IcmpApi.h"
#include "net/SystemHostDatabase.h"
#include "ops/EchoHandleFailure.h"
#include "ops/WatchMetrics.h"
#include "ops/WatchOptions.h"
#include "ops/WatchRunner.h"
#include "rows/ShownRow.h"
#include "rows/TimeStamp.h"
#include "settings/LiveOptions.h"
#include "settings/StoreLocation.h"
#include "settings/WatchList.h"
#include "text/ResultTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace vantrel::cli {

namespace {

int fail(CliContext& context, const QString& text) {
    context.output.err(QStringLiteral("vantrel-cli: watch: %1\n").arg(text));
    return kExitCannotRun;
}

std::vector<settings::WatchEntry> enabledEntries(CliContext& context) {
    std::vector<settings::WatchEntry> entries = settings::WatchList(context.store).load();
    std::erase_if(entries, [](const settings::WatchEntry& entry) { return !entry.enabled; });
    return entries;
}

} // namespace

int runWatch(CliContext& context, const QStringList& arguments) {
    if (!arguments.isEmpty() && (arguments.size() != 2 || arguments[0] != QLatin1String("--metrics"))) {
        context.output.err(
            QStringLiteral("vantrel-cli: watch run takes no arguments but --metrics ADDRESS:PORT\n"));
        return kExitUsage;
    }
    std::vector<settings::WatchEntry> entries = enabledEntries(context);
    if (entries.empty())
        return fail(context, QStringLiteral("no host is watched (add one with: vantrel-cli watch add HOST)"));
    std::unique_ptr<net::EchoSweep> sweep = net::IcmpApi::builtIn().openEchoSweep();
    if (!sweep)
        return fail(context, QStringLiteral("no ICMP socket could be opened.\n") +
                                 ops::icmpAccessGuidance(ops::runningProgramPath(), true));

    const QString historyFile = settings::userDataDir() + QStringLiteral("history.sqlite");
    QDir().mkpath(settings::userDataDir());
    QString error;
    std::unique_ptr<history::HistoryDatabase> database = history::HistoryDatabase::open(historyFile, error);
    if (!database)
        return fail(context, QStringLiteral("the history \"%1\" cannot be used: %2").arg(historyFile, error));
    history::HistoryWriter writer(std::move(database), ops::historyTiming(context.options));

    ops::WatchMetrics metrics;
    std::unique_ptr<MetricsEndpoint> endpoint;
    if (!arguments.isEmpty() && !(endpoint = MetricsEndpoint::listen(arguments[1], metrics, error)))
        return fail(context, error);

    const std::unique_ptr<output::ResultView> view = makeResultView(context);
    const output::TimeStamper stamper;
    view->showResult(output::ShownRow(
        output::makeRow(output::ResultKind::Bold, output::res::kWatchStartLine, stamper.now())));
    CliWatchFrontEnd frontEnd(*view, metrics);
    const ops::WatchRules rules = ops::watchRules(context.options);
    std::optional<ops::WatchRunner> runner;
    runner.emplace([&](std::int64_t startMs) {
        return std::make_unique<ops::WatchProber>(std::move(entries), rules, std::move(sweep),
                                                  std::make_shared<net::SystemHostDatabase>(), frontEnd,
                                                  &writer, startMs);
    });

    // A history that was not written is told when it happens; the run goes on and ends with status 2.
    bool historyFailed = false;
    const auto tellFailure = [&] {
        if (const std::optional<QString> failure = writer.takeFailure()) {
            historyFailed = true;
            context.output.err(QStringLiteral("vantrel-cli: watch: the history \"%1\" was not written: %2\n")
                                   .arg(historyFile, *failure));
        }
    };
    QEventLoop loop;
    InterruptSignals interrupts;
    QObject::connect(&interrupts, &InterruptSignals::interrupted, &loop, &QEventLoop::quit);
    QTimer failures;
    QObject::connect(&failures, &QTimer::timeout, &loop, tellFailure);
    failures.start(1000);
    loop.exec();

    runner.reset();
    // The lines the runner handed over last, then what is left for the history.
    QCoreApplication::sendPostedEvents(&frontEnd);
    if (!writer.flush())
        tellFailure();
    view->showResult(output::ShownRow(
        output::makeRow(output::ResultKind::Bold, output::res::kWatchEndLine, stamper.now())));
    return historyFailed ? kExitCannotRun : kExitSuccess;
}

} // namespace vantrel::cli
