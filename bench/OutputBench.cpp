// What one appended row costs before it reaches a view: filling the template, reading the RTF, rendering
// it as text for the terminal, and writing it to the log (one positioned write per fragment).
#include "log/LogFile.h"
#include "log/ResultLog.h"
#include "log/ResultPipeline.h"
#include "rows/ResultView.h"
#include "rtf/RtfFragment.h"
#include "rtf/RtfReader.h"
#include "rtf/TextRenderer.h"
#include "settings/LiveOptions.h"
#include "text/ResultTexts.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace vantrel::output;

QString replyRow(unsigned n) {
    return fill(res::kPingReplyRow, n, RtfText::escape(u"192.168.100.200"), 12u, 57u, 32u).rtf();
}

void BM_FillReplyRow(benchmark::State& state) {
    unsigned n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(replyRow(++n));
}
BENCHMARK(BM_FillReplyRow);

void BM_ReadReplyRow(benchmark::State& state) {
    const QString row = replyRow(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(RtfReader::readFragment(row));
    state.SetBytesProcessed(state.iterations() * row.size());
}
BENCHMARK(BM_ReadReplyRow);

void BM_RenderReplyRowAsText(benchmark::State& state) {
    const QString row = replyRow(1);
    const TextRenderer renderer;
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.renderFragment(row));
}
BENCHMARK(BM_RenderReplyRowAsText);

void BM_BalanceReplyRow(benchmark::State& state) {
    const QString row = replyRow(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(balancedFragment(row));
}
BENCHMARK(BM_BalanceReplyRow);

// Reading a whole log of range(0) rows, as a viewer of the file would.
void BM_ReadLog(benchmark::State& state) {
    QByteArray log("{\\rtf1 \\par ");
    for (int i = 0; i < state.range(0); ++i) {
        log.chop(1);
        log += replyRow(unsigned(i)).toLatin1();
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(RtfReader::readDocument(QByteArrayView(log)));
    state.SetBytesProcessed(state.iterations() * log.size());
}
BENCHMARK(BM_ReadLog)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

class NoView final : public ResultView {
public:
    void showResult(const ShownRow&) override {}
};

class NoFrontEnd final : public LogFrontEnd {
public:
    void ShowMessageBox(const QString&, const QString&, MessageIcon) override {}
    void showLogOptionsPane() override {}
    bool showFileNameBalloon(const QString&, const QString&) override { return false; }
    std::optional<OpenFailure> openWithDesktop(const QString&) override { return std::nullopt; }
    void showResultLine(const ResultRow&) override {}
};

// The whole pipeline with logging on: each row is written over the log's last byte at once.
void BM_AppendWithLogging(benchmark::State& state) {
    QTemporaryDir dir;
    vantrel::settings::LiveOptions options;
    options.setText(vantrel::settings::OptionId::LogString, dir.filePath(QStringLiteral("bench.rtf")));
    NoFrontEnd frontEnd;
    ResultLog log(options, frontEnd);
    NoView view;
    ResultPipeline pipeline(&log, view);
    log.ToggleLogging();
    const ResultRow row =
        makeRow(ResultKind::Plain, res::kPingReplyRow, 1u, QStringLiteral("127.0.0.1"), 1u, 64u, 32u);
    for (auto _ : state)
        pipeline.AppendRow(row);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AppendWithLogging)->Unit(benchmark::kMicrosecond);

// Opening a log of range(0) megabytes, which reads it all to check that it is one document: the default
// purge limit and the largest one.
void BM_OpenLog(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.rtf"));
    {
        QByteArray log("{\\rtf1 \\par ");
        const QByteArray row = replyRow(1).toLatin1().chopped(1);
        while (log.size() < state.range(0) * 1'000'000)
            log += row;
        log += '}';
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(log) != log.size())
            state.SkipWithError("the log could not be written");
    }
    std::error_code error;
    for (auto _ : state)
        benchmark::DoNotOptimize(LogFile::open(path, error));
    state.SetBytesProcessed(state.iterations() * state.range(0) * 1'000'000);
}
BENCHMARK(BM_OpenLog)->Arg(4)->Arg(99)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
