#include "log/ResultPipeline.h"

#include "RecordingFrontEnd.h"
#include "log/ResultLog.h"
#include "rows/KindPresenter.h"
#include "rows/StatusPanes.h"
#include "rows/TextResultPrinter.h"
#include "settings/LiveOptions.h"
#include "support/QtPrinters.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vantrel::output {
namespace {

const QDateTime kNow(QDate(2026, 12, 8), QTime(14, 5, 9));

class ResultPipelineTest : public ::testing::Test {
protected:
    test::RecordingView view;
    ResultPipeline pipeline{nullptr, view, [] { return kNow; }};

    const QString& lastShown() const { return view.shown.back().first; }
};

TEST_F(ResultPipelineTest, AnEmptyArgumentLeavesPercentSignsAlone) {
    pipeline.AppendResult(QStringLiteral("{100%s done %d} \\par }"), QString(), ResultKind::Plain);
    EXPECT_EQ(lastShown(), QStringLiteral("{100%s done %d} \\par }"));
    EXPECT_EQ(view.shown.back().second, ResultKind::Plain);
}

TEST_F(ResultPipelineTest, TheArgumentFillsTheOneConversionEscaped) {
    pipeline.AppendResult(text(res::kLookupFailedLine), QStringLiteral("WinSock error 11001: Host not found"),
                          ResultKind::Red);
    EXPECT_EQ(lastShown(),
              QStringLiteral("{Host lookup failed (WinSock error 11001: Host not found)} \\par }"));
    EXPECT_EQ(view.shown.back().second, ResultKind::Red);

    pipeline.AppendResult(text(res::kLookingUpLine), QStringLiteral("%d%s}{\\par"), ResultKind::Plain);
    EXPECT_EQ(lastShown(), QStringLiteral("\\par {Looking up IP Address for '%d%s\\}\\{\\\\par'....}\\par}"));
}

TEST_F(ResultPipelineTest, EveryFragmentLeavesTheDocumentClosed) {
    pipeline.AppendRow(makeRow(ResultKind::Red, res::kIspShuttingDownLine));
    EXPECT_EQ(lastShown(), QStringLiteral(" \\par {Shutting down ISPinger... \\par }}"));
    pipeline.AppendResult(QStringLiteral("WinSock error 10050: Network is down"), QString(), ResultKind::Red);
    EXPECT_EQ(lastShown(), QStringLiteral("WinSock error 10050: Network is down}"));
}

TEST_F(ResultPipelineTest, StartLinesCarryTheTimeAndShowAHostWithPercentSignsUnchanged) {
    pipeline.AppendRow(startRow(res::kPingStartLine, QStringLiteral("10.0.0.1")));
    EXPECT_EQ(lastShown(),
              QStringLiteral(" \\par {Starting ping to 10.0.0.1 - Dec 08, 2026  14:05:09} \\par }"));
    EXPECT_EQ(view.shown.back().second, ResultKind::Bold);

    pipeline.AppendRow(startRow(res::kTraceStartLine, QStringLiteral("50%s%d{x}.example")));
    EXPECT_EQ(lastShown(),
              QStringLiteral(" \\par {Starting trace to 50%s%d\\{x\\}.example - Dec 08, 2026  14:05:09} "
                             "\\par }"));
    pipeline.AppendRow(startRow(res::kLookupStartLine, QStringLiteral("example.org")));
    EXPECT_EQ(lastShown(),
              QStringLiteral(" \\par {Starting lookup on example.org - Dec 08, 2026  14:05:09} \\par }"));
}

TEST(ResultPipelineLogTest, TheLogGetsTheFragmentOnlyWhileLoggingIsOn) {
    QTemporaryDir dir;
    settings::LiveOptions options;
    options.setText(settings::OptionId::LogString, dir.filePath(QStringLiteral("log.rtf")));
    test::RecordingFrontEnd frontEnd;
    ResultLog log(options, frontEnd, [] { return kNow; });
    test::RecordingView view;
    ResultPipeline pipeline(&log, view, [] { return kNow; });

    log.OpenLogAtStartup();
    pipeline.AppendRow(makeRow(ResultKind::Plain, res::kBanner));
    log.ToggleLogging();
    pipeline.AppendRow(makeRow(ResultKind::RedBold, res::kPingCanceledLine));
    EXPECT_EQ(view.shown.size(), 2u) << "the view is served either way";
    QFile file(dir.filePath(QStringLiteral("log.rtf")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.contains("Quenlo"));
    EXPECT_TRUE(bytes.endsWith("{Ping canceled} \\par }"));
}

TEST(KindPresenterTest, EachKindSetsItsFormatAndPlainTheDefaultLook) {
    KindPresenter presenter;
    EXPECT_EQ(presenter.formatFor(ResultKind::Plain), (CharFormat{{0, 0, 0}, false, {255, 255, 255}}));
    EXPECT_EQ(presenter.formatFor(ResultKind::Red), (CharFormat{{255, 0, 0}, false, {255, 255, 255}}));
    EXPECT_EQ(presenter.formatFor(ResultKind::Bold), (CharFormat{{0, 0, 0}, true, {255, 255, 255}}));
    EXPECT_EQ(presenter.formatFor(ResultKind::Blue), (CharFormat{{0, 0, 255}, false, {255, 255, 255}}));
    EXPECT_EQ(presenter.formatFor(ResultKind::HeaderRow), (CharFormat{{0, 0, 0}, true, {160, 160, 160}}));
    EXPECT_EQ(presenter.formatFor(ResultKind::ErrorRow), (CharFormat{{255, 255, 255}, false, {255, 0, 0}}));
}

TEST(KindPresenterTest, UnknownKindsKeepThePreviousColourAndBoldnessOnWhite) {
    KindPresenter presenter;
    EXPECT_EQ(presenter.formatFor(ResultKind(7)), (CharFormat{{0, 0, 0}, false, {255, 255, 255}}));
    presenter.formatFor(ResultKind::RedBold);
    EXPECT_EQ(presenter.formatFor(ResultKind(7)), (CharFormat{{255, 0, 0}, true, {255, 255, 255}}));
    presenter.formatFor(ResultKind::Plain);
    EXPECT_EQ(presenter.formatFor(ResultKind(-3)), (CharFormat{{255, 0, 0}, true, {255, 255, 255}}));
    presenter.formatFor(ResultKind::HeaderRow);
    EXPECT_EQ(presenter.formatFor(ResultKind(6)), (CharFormat{{0, 0, 0}, true, {255, 255, 255}}));
    // White text from an error row would vanish on white.
    presenter.formatFor(ResultKind::ErrorRow);
    EXPECT_EQ(presenter.formatFor(ResultKind(8)), (CharFormat{{0, 0, 0}, false, {255, 255, 255}}));
}

TEST(StatusPaneTest, TheTextSizePaneSwitchesUnitsAndColoursAtItsEdges) {
    EXPECT_EQ(textSizePane(0),
              (StatusPaneState{QStringLiteral("Text Size: 0 Bytes"), Rgb{0, 255, 0}, {}, QString()}));
    EXPECT_EQ(textSizePane(99998).text, QStringLiteral("Text Size: 99998 Bytes"));
    EXPECT_EQ(textSizePane(99998).tooltip,
              QStringLiteral("Double-click here to clear the text in the \"Results\" window."));
    EXPECT_EQ(textSizePane(100000).text, QStringLiteral("Text Size: 0.10 Mb"));
    EXPECT_EQ(textSizePane(999999).background, (Rgb{0, 255, 0}));
    EXPECT_EQ(textSizePane(1500000).background, (Rgb{255, 255, 0}));
    EXPECT_FALSE(textSizePane(1500000).tooltip.has_value()) << "unchanged";
    EXPECT_EQ(textSizePane(2000000).background, (Rgb{255, 99, 71}));
    EXPECT_FALSE(exceedsPurgeLimit(1'000'000, 1));
    EXPECT_TRUE(exceedsPurgeLimit(1'000'002, 1));
}

TEST(StatusPaneTest, TheLogPanesShowTheFlagAndTheSize) {
    EXPECT_EQ(logPane(true), (StatusPaneState{QStringLiteral("  LOG"), Rgb{0, 0, 255}, Rgb{255, 255, 255},
                                              QStringLiteral("Double-click here to stop logging")}));
    EXPECT_EQ(logPane(false), (StatusPaneState{QStringLiteral("  LOG"), std::nullopt, Rgb{128, 128, 128},
                                               QStringLiteral("Double-click here to start logging")}));
    EXPECT_EQ(logSizePane(99999).text, QStringLiteral("Log Size: 99999 Bytes"));
    EXPECT_EQ(logSizePane(99999).textColor, (Rgb{18, 0, 0}));
    EXPECT_EQ(logSizePane(1999999).background, (Rgb{0, 255, 0}));
    EXPECT_EQ(logSizePane(2000000).background, (Rgb{255, 255, 0}));
    EXPECT_EQ(logSizePane(2000000).text, QStringLiteral("Log Size: 2.00 Mb"));
    EXPECT_EQ(logSizePane(4000000).background, (Rgb{255, 99, 71}));
    EXPECT_EQ(logSizePane(0).tooltip, QString());
}

TEST(LogPaneTipTest, TheOptionsPaneTipsFollowTheBoxAndTheCheckBox) {
    EXPECT_EQ(logFileBoxTip(true),
              QStringLiteral("You cannot set the Log file name and path while the log is open."));
    EXPECT_EQ(logCheckBoxTip(true, false), QStringLiteral("Click here to stop logging."));
    EXPECT_EQ(logCheckBoxTip(false, false), QStringLiteral("Click here to start logging."));
    EXPECT_EQ(logCheckBoxTip(false, true),
              QStringLiteral("You must provide a log file path to open the log."));
}

TEST(TextResultPrinterTest, PrintsEachFragmentAsText) {
    QString printed;
    TextResultPrinter printer([&](const QString& text) { printed += text; });
    ResultPipeline pipeline(nullptr, printer);
    pipeline.AppendRow(makeRow(ResultKind::HeaderRow, res::kPingHeaderRow));
    pipeline.AppendRow(
        makeRow(ResultKind::Plain, res::kPingReplyRow, 1u, QStringLiteral("10.0.0.1"), 7u, 64u, 32u));
    pipeline.AppendRow(makeRow(ResultKind::Bold, res::kPingSuccessfulLine));
    EXPECT_EQ(printed, QStringLiteral("Ping #    IP Address          RTT(ms)   TTL       Bytes Received\n"
                                      "1         10.0.0.1            7         64        32\n"
                                      "Ping Successful\n"));
}

} // namespace
} // namespace vantrel::output
