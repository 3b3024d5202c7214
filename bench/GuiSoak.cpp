// A soak of the window: continuous ping of 127.0.0.1 at the most the options allow (5,000 requests every
// second) and ISPinger on 127.0.0.1 every second, with the Round Trip Plot in view, logging on and the
// smallest purge limits (Results at 1 MB, the log at 1 MB), for a given number of minutes (default 10;
// `gui_soak 60` for the long run). Offscreen unless another platform is asked for.
// Prints `name value` lines as it goes and at the end: the resident memory at the start, at each Results
// purge (before it, its peak and after it) and at the end, slope_mib_per_hour (the memory right after
// each purge, the text empty and the freed memory given back, from the first purge on; goal: under 0.5 over
// 60 minutes), purge_peak_ratio_max (goal: at most 1.3), fds and threads at the start, end and at most (goal:
// flat), the purges and log moves, and ISPinger's requests. After each purge: heap_in_use_mb, the memory the
// allocator has handed out (a growth there is live objects), and heap_footprint_mb, what it holds from the
// system (a growth there alone is fragmentation).
#include "BenchWindow.h"
#include "SoakReport.h"
#include "app/CMainFrame.h"
#include "app/DesktopOperations.h"
#include "commands/CommandIds.h"
#include "log/ResultLog.h"
#include "ops/ISPinger.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"
#include "settings/StoreLocation.h"
#include "ui/CStatusViewPane.h"
#include "ui/ResultsTextView.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <malloc.h>
#include <memory>
#include <optional>

namespace {

using namespace vantrel;

const QString kHost = QStringLiteral("127.0.0.1");
constexpr double kPurgeLimitBytes = 1'000'000;

void writeOptions(settings::RegistryStore& store, const QString& logFile) {
    const std::pair<const char*, int> numbers[] = {
        {"Packets", 5000}, {"ContPing", 1},    {"ContPingInterval", 1}, {"ISPInterval", 1},
        {"Log Check", 1},  {"PurgeStatus", 1}, {"PurgeLog", 1},
    };
    for (const auto& [name, value] : numbers)
        store.WriteProfileInt(settings::section::kOptions, QLatin1String(name), value);
    store.WriteProfileString(settings::section::kOptions, QStringLiteral("ISPAddress"), kHost);
    store.WriteProfileString(settings::section::kOptions, QStringLiteral("Log String"), logFile);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const double minutes = argc > 1 ? std::max(0.1, QByteArray(argv[1]).toDouble()) : 10.0;
    QTemporaryDir dir;
    auto store = settings::RegistryStore::open(settings::StoreLocation{dir.path()});
    writeOptions(*store, dir.filePath(QStringLiteral("Vtrlog.rtf")));

    const std::unique_ptr<BenchWindow> window = BenchWindow::open(*store, dir.path());
    if (!window)
        return 1;
    app::CMainFrame& frame = window->frame();
    app::DesktopOperations& operations = window->operations();
    if (!frame.commands().action(cmd::kRoundTripPlotPane)->isChecked())
        frame.commands().trigger(cmd::kRoundTripPlotPane);
    QApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    const auto seconds = [&clock] { return double(clock.elapsed()) / 1000.0; };
    SoakReport report(ProcessFigures::of());
    ProcessFigures::resetPeak();

    // A purge empties the text: the memory just before it is read as the text nears the limit.
    ui::ResultsTextView& view = frame.resultsPane().view();
    qint64 lastSize = 0;
    double beforePurge = 0;
    QObject::connect(&frame.resultsPane(), &ui::CStatusViewPane::textSizeChanged, [&] {
        const qint64 size = view.textSizeBytes();
        if (size == 0 && double(lastSize) > kPurgeLimitBytes * 0.5) {
            const ProcessFigures after = ProcessFigures::of();
            report.purge(seconds(), beforePurge, after.peakMb, after.residentMb);
            report.level(seconds(), after.residentMb);
            const struct mallinfo2 heap = ::mallinfo2();
            std::printf("heap_in_use_mb %.3f heap_footprint_mb %.3f\n",
                        double(heap.uordblks + heap.hblkhd) / 1048576.0,
                        double(heap.arena + heap.hblkhd) / 1048576.0);
            ProcessFigures::resetPeak();
        } else if (double(size) > kPurgeLimitBytes * 0.97 && double(lastSize) <= kPurgeLimitBytes * 0.97) {
            beforePurge = ProcessFigures::of().residentMb;
        }
        lastSize = size;
    });

    int logMoves = 0;
    std::int64_t lastLogSize = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        report.sample(ProcessFigures::of());
        const std::int64_t logSize = frame.resultLog().fileSize().value_or(0);
        if (logSize < lastLogSize)
            ++logMoves;
        lastLogSize = logSize;
    });
    sampler.start(1000);

    operations.ispinger().OnISPinger();
    frame.putHostAtStart(kHost);
    frame.commands().trigger(cmd::kPingButton);
    QTimer::singleShot(int(minutes * 60000), &application, &QCoreApplication::quit);
    QApplication::exec();

    sampler.stop();
    const int ispRequests = operations.ispinger().sent();
    const int ispAnswered = operations.ispinger().answered();
    report.finish(seconds(), ProcessFigures::of());
    std::printf("log_moves %d\nisp_requests %d\nisp_answered %d\n", logMoves, ispRequests, ispAnswered);
    frame.close();
    return report.purges() > 0 && ispAnswered > 0 ? 0 : 1;
}
