// The desktop against the command line on the same ping of 127.0.0.1: the real main window (offscreen
// unless another platform is asked for) with its operations on the system's echo and name services, and
// the command line's own session printing into a buffer, in one process, turn about.
// Prints `name value` lines: cli_seconds and gui_seconds (the best of five 2,500-request pings each),
// gui_to_cli_ratio (goal: at most 3), then rows, rss_growth_mb and kb_per_row over 10,000 rows in the
// window (goal: at most 2).
#include "ResidentMemory.h"
#include "app/CMainFrame.h"
#include "app/DesktopOperations.h"
#include "cli/CliCommands.h"
#include "cli/CliOperationSession.h"
#include "cli/TerminalOutput.h"
#include "ops/OperationControl.h"
#include "ops/OperationFlags.h"
#include "output/CommandIds.h"
#include "settings/LiveOptions.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"
#include "settings/StoreLocation.h"
#include "ui/CStatusViewPane.h"
#include "ui/ResultsTextView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

using namespace vantrel;

const QString kHost = QStringLiteral("127.0.0.1");
constexpr int kRequests = 2500;
constexpr int kRounds = 5;
constexpr int kMemoryRows = 10000;
constexpr int kMostPackets = 5000; // the largest count a ping takes

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
double guiSeconds(app::CMainFrame& frame, int requests) {
    frame.options().setNumber(settings::OptionId::Packets, requests);
    frame.putHostAtStart(kHost);
    QElapsedTimer timer;
    timer.start();
    frame.commands().trigger(400);
    // Waits as the window's event loop does, without spinning.
    const ops::OperationFlags& flags = frame.flags();
    ops::waitForFlags(flags, [&flags] { return !flags.anyBusy(); });
    // The last rows laid out and painted.
    frame.resultsPane().view().endFrame();
    QApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e9;
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

    app::CMainFrame frame(*store, dir.path() + QLatin1Char('/'));
    frame.setMessageBoxShower([](const QString& caption, const QString& text, ops::MessageIcon) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    });
    if (!frame.Create())
        return 1;
    app::DesktopOperations operations(frame);
    operations.start();
    frame.resize(1200, 800);
    frame.show();
    QApplication::processEvents();
    guiSeconds(frame, 50); // fonts, glyphs and the echo socket ready
    cliSeconds(*store, 50);

    double cli = 1e9;
    double gui = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        cli = std::min(cli, cliSeconds(*store, kRequests));
        frame.resultsPane().clearAllText();
        gui = std::min(gui, guiSeconds(frame, kRequests));
    }
    std::printf("cli_seconds %.3f\n", cli);
    std::printf("gui_seconds %.3f\n", gui);
    std::printf("gui_to_cli_ratio %.2f\n", gui / cli);

    // The same ping with the round-trip plot in view, which draws every request as it comes.
    frame.commands().trigger(cmd::kRoundTripPlotPane);
    double plotted = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        frame.resultsPane().clearAllText();
        plotted = std::min(plotted, guiSeconds(frame, kRequests));
    }
    frame.commands().trigger(cmd::kRoundTripPlotPane);
    std::printf("gui_with_plot_seconds %.3f\n", plotted);
    std::printf("gui_with_plot_to_cli_ratio %.2f\n", plotted / cli);

    // An append discards the undo history, so the cleared text is gone once the first row is in.
    frame.resultsPane().clearAllText();
    guiSeconds(frame, 1);
    const double before = residentMegabytes();
    for (int rows = 0; rows < kMemoryRows; rows += kMostPackets)
        guiSeconds(frame, std::min(kMostPackets, kMemoryRows - rows));
    const double growth = residentMegabytes() - before;
    std::printf("rows %d\n", kMemoryRows);
    std::printf("text_size_kb %.0f\n", double(frame.resultsPane().view().textSizeBytes()) / 1000.0);
    std::printf("rss_growth_mb %.1f\n", growth);
    std::printf("kb_per_row %.2f\n", growth * 1024.0 / kMemoryRows);
    frame.close();
    return 0;
}
