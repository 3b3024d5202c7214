// How long one append to the Results window takes, with layout and painting, as its text grows to the
// purge: 12,000 fragments of a realistic mix (a header every 50, a plain line every 20, echo-failure rows,
// links and returned data among reply rows) appended to a visible window on the offscreen platform.
// QPlainTextEdit::appendPlainText of the same text runs beside it as the reference.
// Appends are laid out and painted once a frame, so the times are those of the frames' appends in turn.
// Prints `name value` lines: p99_ms_at_1k, p99_ms_at_5k, p99_ms_at_10k, median_ms_at_10k,
// plaintext_median_ms_at_10k, purge_ms, peak_rss_mb, and rss_before_purge_mb and rss_after_purge_mb
// around the purge, which is to give the purged text's memory back.
// `results_append --writer-run [N]` instead appends the N rows of a loopback ping (2,000 by default) as the
// window gets them, typed, to a document without layout, and prints row_document_ns_per_row (the row's
// document made from its values) and writer_ns_per_row (the document written into the text); under
// callgrind, bench/writer_instructions.sh counts the instructions of the two.
#include "ResidentMemory.h"
#include "print/ResultDocumentWriter.h"
#include "rows/KindPresenter.h"
#include "rows/ShownRow.h"
#include "rtf/RtfReader.h"
#include "rtf/TextRenderer.h"
#include "text/ResultTexts.h"
#include "ui/ResultsTextView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

using vantrel::output::ResultKind;

struct Fragment {
    QString text;
    ResultKind kind;
};

QString fill(std::string_view format, auto... values) {
    return QString::asprintf(std::string(format).c_str(), values...);
}

std::vector<Fragment> mix(int count) {
    namespace res = vantrel::output::res;
    std::vector<Fragment> fragments;
    fragments.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const unsigned packet = unsigned(i % 50) + 1;
        if (i % 50 == 0)
            fragments.push_back(
                {QString::fromUtf8(res::kPingHeaderRow.text.data(), res::kPingHeaderRow.text.size()),
                 ResultKind::HeaderRow});
        else if (i % 20 == 0)
            fragments.push_back(
                {QStringLiteral(" \\par {Starting ping to 10.0.%1.%2 - Dec 09, 2026  07:00:%3} \\par }")
                     .arg(i / 256 % 256)
                     .arg(i % 256)
                     .arg(i % 60, 2, 10, QLatin1Char('0')),
                 ResultKind::Bold});
        else if (i % 37 == 0)
            fragments.push_back({fill(res::kPingErrorRow.text, packet, "TIMED OUT"), ResultKind::ErrorRow});
        else if (i % 97 == 0)
            fragments.push_back({fill(res::kBanner.text), ResultKind::Plain});
        else if (i % 3 == 0)
            fragments.push_back({fill(res::kPingReturnedDataRow.text,
                                      "Vantrel 2.0 by Quenlo Software: interactive network diagnostic tool"),
                                 ResultKind::Plain});
        else
            fragments.push_back({fill(res::kPingReplyRow.text, packet, "192.168.100.200", unsigned(i % 300),
                                      unsigned(64), unsigned(67)),
                                 ResultKind::Plain});
    }
    return fragments;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t index = std::min(values.size() - 1, std::size_t(p * double(values.size() - 1) + 0.5));
    return values[index];
}

std::vector<double> window(const std::vector<double>& times, std::size_t end) {
    const std::size_t from = end >= 1000 ? end - 1000 : 0;
    return {times.begin() + long(from), times.begin() + long(std::min(end, times.size()))};
}

// A loopback ping's rows: its table's header, then replies.
std::vector<vantrel::output::ResultRow> pingRows(int count) {
    namespace res = vantrel::output::res;
    std::vector<vantrel::output::ResultRow> rows;
    rows.reserve(std::size_t(count));
    rows.push_back(makeRow(ResultKind::HeaderRow, res::kPingHeaderRow));
    for (int i = 1; i < count; ++i)
        rows.push_back(makeRow(ResultKind::Plain, res::kPingReplyRow, unsigned(i),
                               QStringLiteral("127.0.0.1"), unsigned(i % 3), 64u, 32u));
    return rows;
}

// The rows' documents, and the documents written into the text, a frame's rows at a time as the window
// takes them: their documents made, then written in one edit, then dropped.
void writerRun(int count) {
    const std::vector<vantrel::output::ResultRow> rows = pingRows(count);
    // Each line reads its template once, on its first row: not a row's cost.
    rows.front().document();
    rows.back().document();
    QTextDocument document;
    document.setUndoRedoEnabled(false);
    vantrel::output::ResultDocumentWriter writer(document, 96);
    vantrel::output::KindPresenter presenter;
    constexpr std::size_t kFrameRows = 50;
    qint64 documentNs = 0;
    qint64 writerNs = 0;
    QElapsedTimer timer;
    for (std::size_t from = 0; from < rows.size(); from += kFrameRows) {
        const auto frameEnd = rows.begin() + long(std::min(rows.size(), from + kFrameRows));
        const std::vector<vantrel::output::ShownRow> shown(rows.begin() + long(from), frameEnd);
        timer.start();
        for (const vantrel::output::ShownRow& row : shown)
            row.document();
        documentNs += timer.nsecsElapsed();
        timer.start();
        writer.end().beginEditBlock();
        for (const vantrel::output::ShownRow& row : shown)
            writer.append(row.document(), presenter.formatFor(row.kind()));
        writer.end().endEditBlock();
        writerNs += timer.nsecsElapsed();
    }
    std::printf("row_document_ns_per_row %.0f\n", double(documentNs) / count);
    std::printf("writer_ns_per_row %.0f\n", double(writerNs) / count);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "--writer-run") {
        writerRun(argc > 2 ? std::max(1, QByteArray(argv[2]).toInt()) : 2000);
        return 0;
    }
    constexpr int kCount = 12000;
    constexpr qint64 kPurgeBytes = 1000000;
    const std::vector<Fragment> fragments = mix(kCount);

    vantrel::ui::ResultsTextView view;
    view.resize(900, 600);
    view.show();
    QApplication::processEvents();

    vantrel::output::KindPresenter presenter;
    std::vector<double> times;
    double purgeMs = -1;
    double rssBeforePurge = 0;
    double rssAfterPurge = 0;
    QElapsedTimer timer;
    for (const Fragment& fragment : fragments) {
        timer.start();
        view.appendDocument(vantrel::output::RtfReader::readFragment(fragment.text),
                            presenter.formatFor(fragment.kind));
        if (view.textSizeBytes() > kPurgeBytes) {
            view.endFrame();
            rssBeforePurge = residentMegabytes();
            QElapsedTimer purge;
            purge.start();
            view.purge();
            purgeMs = double(purge.nsecsElapsed()) / 1e6;
            QApplication::processEvents();
            rssAfterPurge = residentMegabytes();
        }
        // Layout and painting as the window does them: the pending updates are painted and flushed.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }

    // The reference after the window, so that the two do not share the heap's pages.
    QPlainTextEdit plain;
    plain.resize(900, 600);
    plain.show();
    const vantrel::output::TextRenderer renderer;
    std::vector<double> plainTimes;
    for (const Fragment& fragment : fragments) {
        QString text = renderer.render(vantrel::output::RtfReader::readFragment(fragment.text));
        text.chop(1); // appendPlainText adds its own line end
        timer.start();
        plain.appendPlainText(text);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        plainTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
    }

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("p99_ms_at_1k %.3f\n", percentile(window(times, 1000), 0.99));
    std::printf("p99_ms_at_5k %.3f\n", percentile(window(times, 5000), 0.99));
    std::printf("p99_ms_at_10k %.3f\n", percentile(window(times, 10000), 0.99));
    std::printf("median_ms_at_10k %.3f\n", percentile(window(times, 10000), 0.5));
    std::printf("plaintext_median_ms_at_10k %.3f\n", percentile(window(plainTimes, 10000), 0.5));
    std::printf("purge_ms %.3f\n", purgeMs);
    std::printf("peak_rss_mb %.1f\n", double(usage.ru_maxrss) / 1024.0);
    std::printf("rss_before_purge_mb %.1f\n", rssBeforePurge);
    std::printf("rss_after_purge_mb %.1f\n", rssAfterPurge);
    return 0;
}
