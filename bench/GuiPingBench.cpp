// The desktop against the command line on the same ping of 127.0.0.1: the real main window (offscreen
// unless another platform is asked for) with its operations on the system's echo and name services, and
// the command line's own session printing into a buffer, in one process, turn about.
// Prints `name value` lines: cli_seconds and gui_seconds (the best of five 2,500-request pings each),
// gui_to_cli_ratio (goal: at most 3); then 5,000-request pings with the Round Trip Plot in view:
// gui_with_plot_to_cli_ratio (goal: at most 1.5), gui_event_loop_max_stall_ms, the longest gap between
// two runs of a 0 ms timer on the GUI thread in a typical round (goal: at most 4; rounds of their own), and
// the main thread's CPU time per request; then rows, rss_growth_mb and kb_per_row over 10,000 rows in the
// window (goal: at most 2). `gui_ping --instructions-run [N]` makes one plotted N-request ping (5,000 by
// default) in measuredPlotPing, for bench/gui_instructions.sh to count under callgrind, and prints how often
// the window was repainted during it and how many rows the Results window laid out for it.
// `gui_ping --path-monitor HOST ROUNDS` runs the window's path monitor on HOST for ROUNDS rounds a tenth of
// a second apart, its pane and the plot (following the last hop) in view, and prints
// gui_path_monitor_max_stall_ms, the longest gap between two runs of a 0 ms timer meanwhile (goal: under
// 4), and the rounds and hops shown; bench/path_monitor.sh runs it in its namespaces.
#include "BenchWindow.h"
#include "ResidentMemory.h"
#include "app/CMainFrame.h"
#include "app/DesktopOperations.h"
#include "cli/CliCommands.h"
#include "cli/CliOperationSession.h"
#include "cli/TerminalOutput.h"
#include "commands/CommandIds.h"
#include "ops/OperationControl.h"
#include "ops/OperationFlags.h"
#include "settings/LiveOptions.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"
#include "settings/StoreLocation.h"
#include "ui/CStatusViewPane.h"
#include "ui/PathMonitorPane.h"
#include "ui/ResultsDocumentLayout.h"
#include "ui/ResultsTextView.h"
#include "ui/RoundTripPlot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <vector>

namespace {

using namespace vantrel;

const QString kHost = QStringLiteral("127.0.0.1");
constexpr int kRequests = 2500;
constexpr int kRounds = 5;
constexpr int kMemoryRows = 10000;
constexpr int kMostPackets = 5000; // the largest count a ping takes
constexpr int kPlotRequests = kMostPackets;

class BufferTerminal final : public cli::TerminalOutput {
public:
    void out(const QString& text) override { written += text.size(); }
    void err(const QString& text) override { std::fputs(qPrintable(text), stderr); }
    bool outIsTerminal() const override { return false; }
    qsizetype written = 0;
};

double cliSeconds(settings::RegistryStore& store, int requests) {
    settings::LiveOptions options;
    options.setNumber(settings::OptionId::Packets, requests);
    BufferTerminal terminal;
    cli::CliContext context{store, options, terminal, QString(), false, cli::OutputFormat::Text, nullptr};
    const auto ping = [](ops::OperationControl& control) { control.OnPing(); };
    QElapsedTimer timer;
    timer.start();
    cli::CliOperationSession(context).run(kHost, ping, ping);
    return double(timer.nsecsElapsed()) / 1e9;
}

// Pings from the window's Ping command and waits until the rows are in and painted.
double guiSeconds(app::CMainFrame& frame, const ops::OperationControl& control, int requests) {
    frame.options().setNumber(settings::OptionId::Packets, requests);
    frame.putHostAtStart(kHost);
    QElapsedTimer timer;
    timer.start();
    frame.commands().trigger(400);
    // Waits as the window's event loop does, without spinning.
    const ops::OperationFlags& flags = frame.flags();
    ops::waitForFlags(flags, [&flags] { return !flags.anyBusy(); });
    // The rows the run left queued are shown a slice a frame, as the window's event loop shows them.
    while (!control.workerMessagesShown())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The last rows laid out and painted.
    frame.resultsPane().view().endFrame();
    QApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e9;
}

// The largest gap between two runs of a 0 ms timer on the GUI thread, from its start to its end.
class EventLoopStallMeter {
public:
    EventLoopStallMeter() {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { lap(); });
        m_clock.start();
        m_timer.start();
    }
    double maxStallMs() {
        lap();
        return double(m_longest) / 1e6;
    }

private:
    void lap() {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

struct PlotRound {
    double seconds = 0;
    double mainThreadCpuSeconds = 0;
};

PlotRound plotRound(app::CMainFrame& frame, const ops::OperationControl& control, int requests) {
    frame.resultsPane().clearAllText();
    const double cpuBefore = threadCpuSeconds();
    PlotRound round;
    round.seconds = guiSeconds(frame, control, requests);
    round.mainThreadCpuSeconds = threadCpuSeconds() - cpuBefore;
    return round;
}

// Apart from the timed rounds: the meter's timer keeps the event loop from ever sleeping.
double plotRoundMaxStallMs(app::CMainFrame& frame, const ops::OperationControl& control, int requests) {
    frame.resultsPane().clearAllText();
    EventLoopStallMeter stalls;
    guiSeconds(frame, control, requests);
    return stalls.maxStallMs();
}

// Counts the window's repaints: each is one update request to the top-level window.
class RepaintCounter final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::UpdateRequest)
            ++repaints;
        return false;
    }
    int repaints = 0;
};

// The one run counted by bench/gui_instructions.sh (callgrind collects only inside this function).
[[gnu::noinline]] void measuredPlotPing(app::CMainFrame& frame, const ops::OperationControl& control,
                                        int requests) {
    guiSeconds(frame, control, requests);
}

void showPlot(app::CMainFrame& frame, bool shown) {
    if (frame.commands().action(cmd::kRoundTripPlotPane)->isChecked() != shown)
        frame.commands().trigger(cmd::kRoundTripPlotPane);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The path monitor in the window, as a user runs it: the pane fills, the plot follows the last hop once
// it shows, and the stop's report lands in the Results.
int pathMonitorStalls(app::CMainFrame& frame, ops::OperationControl& control, const QString& host,
                      unsigned rounds) {
    frame.options().setNumber(settings::OptionId::PathMonitorInterval, 1);
    showPlot(frame, true);
    frame.putHostAtStart(host);
    QTableWidget& table = *frame.pathMonitorPane().table();
    // The plot's pane laid out and painted first: showing it is not the monitor's work.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EventLoopStallMeter stalls;
    control.OnPathMonitor(rounds);
    bool following = false;
    const ops::OperationFlags& flags = frame.flags();
    while (flags.anyBusy() || !control.workerMessagesShown()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!following && table.rowCount() > 0) {
            table.selectRow(table.rowCount() - 1);
            following = true;
        }
    }
    const double longest = stalls.maxStallMs();
    std::printf("gui_path_monitor_rounds %u\n", rounds);
    std::printf("gui_path_monitor_hops %d\n", table.rowCount());
    std::printf("gui_path_monitor_plot_samples %zu\n", frame.roundTripPlot().sampleCount());
    std::printf("gui_path_monitor_max_stall_ms %.2f\n", longest);
    return frame.resultsPane().view().toPlainText().contains(QStringLiteral("Path monitor stopped")) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dir;
    auto store = settings::RegistryStore::open(settings::StoreLocation{dir.path()});
    store->WriteProfileString(settings::section::kOptions, QStringLiteral("Log String"),
                              dir.filePath(QStringLiteral("Vtrlog.rtf")));

    const std::unique_ptr<BenchWindow> window = BenchWindow::open(*store, dir.path());
    if (!window)
        return 1;
    app::CMainFrame& frame = window->frame();
    app::DesktopOperations& operations = window->operations();
    const ops::OperationControl& control = operations.control();
    QApplication::processEvents();
    if (argc > 3 && QByteArray(argv[1]) == "--path-monitor") {
        const int code = pathMonitorStalls(frame, operations.control(), QString::fromLocal8Bit(argv[2]),
                                           unsigned(std::clamp(QByteArray(argv[3]).toInt(), 1, 100000)));
        frame.close();
        return code;
    }
    guiSeconds(frame, control, 50); // fonts, glyphs and the echo socket ready
    cliSeconds(*store, 50);

    if (argc > 1 && QByteArray(argv[1]) == "--instructions-run") {
        const int requests =
            argc > 2 ? std::clamp(QByteArray(argv[2]).toInt(), 1, kMostPackets) : kPlotRequests;
        showPlot(frame, true);
        frame.resultsPane().clearAllText();
        guiSeconds(frame, control, 50); // the plot laid out and painted once
        frame.resultsPane().clearAllText();
        RepaintCounter repaints;
        frame.installEventFilter(&repaints);
        measuredPlotPing(frame, control, requests);
        frame.removeEventFilter(&repaints);
        const auto* layout = qobject_cast<const ui::ResultsDocumentLayout*>(
            frame.resultsPane().view().document()->documentLayout());
        std::printf("requests %d\nrepaints %d\nlaid_out_rows %d\n", requests, repaints.repaints,
                    layout ? layout->laidOutBlocks() : 0);
        frame.close();
        return 0;
    }

    double cli = 1e9;
    double gui = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        cli = std::min(cli, cliSeconds(*store, kRequests));
        frame.resultsPane().clearAllText();
        gui = std::min(gui, guiSeconds(frame, control, kRequests));
    }
    std::printf("cli_seconds %.3f\n", cli);
    std::printf("gui_seconds %.3f\n", gui);
    std::printf("gui_to_cli_ratio %.2f\n", gui / cli);

    // The largest ping with the round-trip plot in view, which draws every request as it comes, turn about
    // with the command line's.
    showPlot(frame, true);
    double plotCli = 1e9;
    double plotted = 1e9;
    std::vector<double> stalls;
    std::vector<double> cpuPerRequest;
    for (int round = 0; round < kRounds; ++round) {
        plotCli = std::min(plotCli, cliSeconds(*store, kPlotRequests));
        const PlotRound measured = plotRound(frame, control, kPlotRequests);
        plotted = std::min(plotted, measured.seconds);
        cpuPerRequest.push_back(measured.mainThreadCpuSeconds * 1e6 / kPlotRequests);
    }
    for (int round = 0; round < kRounds; ++round)
        stalls.push_back(plotRoundMaxStallMs(frame, control, kPlotRequests));
    showPlot(frame, false);
    std::printf("plot_requests %d\n", kPlotRequests);
    std::printf("cli_plot_requests_seconds %.3f\n", plotCli);
    std::printf("gui_with_plot_seconds %.3f\n", plotted);
    std::printf("gui_with_plot_to_cli_ratio %.2f\n", plotted / plotCli);
    std::printf("gui_event_loop_max_stall_ms %.2f\n", median(stalls));
    std::printf("gui_event_loop_worst_stall_ms %.2f\n", *std::max_element(stalls.begin(), stalls.end()));
    std::printf("gui_main_thread_cpu_us_per_request %.1f\n", median(cpuPerRequest));

    // An append discards the undo history, so the cleared text is gone once the first row is in.
    frame.resultsPane().clearAllText();
    guiSeconds(frame, control, 1);
    const double before = residentMegabytes();
    for (int rows = 0; rows < kMemoryRows; rows += kMostPackets)
        guiSeconds(frame, control, std::min(kMostPackets, kMemoryRows - rows));
    const double growth = residentMegabytes() - before;
    std::printf("rows %d\n", kMemoryRows);
    std::printf("text_size_kb %.0f\n", double(frame.resultsPane().view().textSizeBytes()) / 1000.0);
    std::printf("rss_growth_mb %.1f\n", growth);
    std::printf("kb_per_row %.2f\n", growth * 1024.0 / kMemoryRows);
    frame.close();
    return 0;
}
