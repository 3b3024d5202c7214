// The watch list over a long run: 500 hosts (--hosts N; every tenth IPv6) probed every 10 s for 24 hours
// (--hours N) on a fake clock, as fast as the machine goes. The engine is the one `watch run` uses: the
// prober stepped every 250 ms as its runner steps it, each host's state, the metrics (rendered every
// 15 s, as a scrape would) and the terminal's front end, and the history writer with a batch every 2 s,
// its hourly compaction and its retention (--retention-hours N; the option's default, 30 days, else). The
// echo service is a scripted sweep: each request is answered after 1 ms, except that every twentieth host
// stops answering for ten minutes every two hours (so hosts go down and come back, and the history keeps
// changes). Prints rss_mb, fds (open files), the history's size (file and log) and the probes it holds
// (history_sent: those of the retention, each raw or summed in its minute) at the start, every two hours and
// at the end, then as `name value` lines the growth and the slope per hour of memory and open files over the
// second half of the run, from the four-hour mark at the earliest (the first hours fill the five-minute
// windows and the page caches of the history's two connections, and the first compaction that drops rows,
// once the retention or the day of raw probes is past, sets a peak of about 4 MB that the allocator keeps for
// the next). The exit status is 1 when they are not flat: open files grew, or memory grew by more than 2 MB,
// or the history refused a write.
#include "ResidentMemory.h"
#include "cli/CliWatchFrontEnd.h"
#include "history/HistoryWriter.h"
#include "net/IpStatus.h"
#include "net/SystemHostDatabase.h"
#include "ops/WatchMetrics.h"
#include "ops/WatchOptions.h"
#include "ops/WatchProber.h"
#include "rows/ResultView.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <limits>
#include <map>
#include <string>
#include <unordered_map>

namespace {

using namespace vantrel;

constexpr std::int64_t kHourMs = 3'600'000;
constexpr std::int64_t kStepMs = 250;
constexpr std::int64_t kBatchMs = 2'000;
constexpr std::int64_t kScrapeMs = 15'000;
constexpr std::int64_t kSampleMs = 2 * kHourMs;
constexpr std::int64_t kSilentMs = 10 * 60'000;
constexpr double kMostGrowthMb = 2.0;

// The simulated time, read by the prober's loop here and by the history writer's thread.
std::atomic<std::int64_t> g_nowMs{1'800'000'000'000};

// An echo service on the fake clock: a reply 1 ms after its request, or, for a host that is silent
// then, a timeout once its time is out. wait() hands back what is decided by now.
class ScriptedSweep final : public net::EchoSweep {
public:
    explicit ScriptedSweep(std::unordered_map<std::string, std::size_t> hostOf)
        : m_hostOf(std::move(hostOf)) {}

    void send(std::uint64_t ticket, const net::IpAddress& destination, std::span<const std::byte>,
              std::uint32_t timeoutMs, std::uint8_t) override {
        const std::int64_t now = g_nowMs.load();
        net::SweepAnswer answer{ticket, net::EchoOutcome::failure(net::IP_REQ_TIMED_OUT)};
        std::int64_t decidedMs = now + timeoutMs;
        if (!silent(m_hostOf.at(destination.text()), now)) {
            answer.outcome.replied = true;
            answer.outcome.status = net::IP_SUCCESS;
            answer.outcome.address = destination;
            answer.outcome.roundTrip = std::chrono::microseconds(1'000);
            decidedMs = now + 1;
        }
        m_pending.emplace(decidedMs, answer);
    }
    std::vector<net::SweepAnswer> wait(std::chrono::milliseconds) override {
        std::vector<net::SweepAnswer> answers;
        const auto decided = m_pending.upper_bound(g_nowMs.load());
        for (auto at = m_pending.begin(); at != decided; ++at)
            answers.push_back(at->second);
        m_pending.erase(m_pending.begin(), decided);
        return answers;
    }
    void cancel() override { m_pending.clear(); }
    void interrupt() override {}

private:
    static bool silent(std::size_t host, std::int64_t nowMs) {
        return host % 20 == 7 && nowMs % kSampleMs < kSilentMs;
    }

    const std::unordered_map<std::string, std::size_t> m_hostOf;
    std::multimap<std::int64_t, net::SweepAnswer> m_pending;
};

class NoView final : public output::ResultView {
public:
    void showResult(const output::ShownRow&) override {}
};

int argument(const QStringList& arguments, const char* name, int otherwise) {
    const qsizetype at = arguments.indexOf(QLatin1String(name));
    return at > 0 && at + 1 < arguments.size() ? std::max(1, arguments[at + 1].toInt()) : otherwise;
}

struct Sample {
    double hours;
    double rssMb;
    int fds;
};

// The least-squares slope of `value` over the samples' hours.
template <typename Value> double slopePerHour(const std::vector<Sample>& samples, Value value) {
    double sumX = 0, sumY = 0, sumXX = 0, sumXY = 0;
    for (const Sample& sample : samples) {
        sumX += sample.hours;
        sumY += value(sample);
        sumXX += sample.hours * sample.hours;
        sumXY += sample.hours * value(sample);
    }
    const double n = double(samples.size());
    const double spread = n * sumXX - sumX * sumX;
    return spread > 0 ? (n * sumXY - sumX * sumY) / spread : 0.0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int hosts = argument(arguments, "--hosts", 500);
    const int hours = argument(arguments, "--hours", 24);
    // The options' defaults, as a fresh store gives them to `watch run`.
    const settings::LiveOptions options;
    const int retentionHours =
        argument(arguments, "--retention-hours", int(ops::historyRetention(options).count()));

    std::vector<settings::WatchEntry> entries;
    std::vector<QString> watched;
    std::unordered_map<std::string, std::size_t> hostOf;
    for (int i = 0; i < hosts; ++i) {
        settings::WatchEntry entry;
        entry.host = i % 10 == 9 ? QStringLiteral("fd42:203:1::%1").arg(i + 1, 0, 16)
                                 : QStringLiteral("10.203.%1.%2").arg(i / 250 + 1).arg(i % 250 + 1);
        hostOf.emplace(net::IpAddress::parse(entry.host.toStdString())->text(), std::size_t(i));
        watched.push_back(entry.host);
        entries.push_back(entry);
    }

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("history.sqlite"));
    QString error;
    std::unique_ptr<history::HistoryDatabase> database = history::HistoryDatabase::open(file, error);
    if (!database) {
        std::fprintf(stderr, "the history cannot be opened: %s\n", qPrintable(error));
        return 2;
    }
    history::HistoryWriter::Timing timing = ops::historyTiming(options);
    timing.retention = std::chrono::hours(retentionHours);
    timing.now = [] { return g_nowMs.load(); };
    timing.steadyNow = [] {
        return std::chrono::steady_clock::time_point(std::chrono::milliseconds(g_nowMs.load()));
    };
    history::HistoryWriter writer(std::move(database), timing);
    ops::WatchMetrics metrics;
    NoView view;
    cli::CliWatchFrontEnd frontEnd(view, metrics);

    const std::int64_t startMs = g_nowMs.load();
    ops::WatchProber prober(std::move(entries), ops::watchRules(options),
                            std::make_unique<ScriptedSweep>(std::move(hostOf)),
                            std::make_shared<net::SystemHostDatabase>(), frontEnd, &writer, startMs);

    // A reader of its own, as the window's pane has.
    const std::unique_ptr<history::HistoryDatabase> reader = history::HistoryDatabase::open(file, error);
    const auto historySent = [&] {
        std::int64_t sent = 0;
        for (const QString& host : watched)
            sent += reader->sums(host, 0, std::numeric_limits<std::int64_t>::max()).sent;
        return sent;
    };
    std::vector<Sample> samples;
    int refusedWrites = 0;
    qint64 scrapedBytes = 0;
    const auto historyMb = [&] {
        return double(QFileInfo(file).size() + QFileInfo(file + QStringLiteral("-wal")).size()) / 1048576.0;
    };
    const auto sample = [&](std::int64_t nowMs) {
        samples.push_back({double(nowMs - startMs) / double(kHourMs), residentMegabytes(), openFiles()});
        std::printf("hour %.0f rss_mb %.2f fds %d history_mb %.1f history_sent %lld\n", samples.back().hours,
                    samples.back().rssMb, samples.back().fds, historyMb(),
                    static_cast<long long>(historySent()));
        std::fflush(stdout);
    };

    const std::int64_t endMs = startMs + hours * kHourMs;
    for (std::int64_t now = startMs; now <= endMs; now += kStepMs) {
        g_nowMs = now;
        prober.step(now, std::chrono::milliseconds(0));
        if ((now - startMs) % kBatchMs == 0 && !writer.flush()) {
            ++refusedWrites;
            if (const std::optional<QString> failure = writer.takeFailure())
                std::fprintf(stderr, "the history was not written: %s\n", qPrintable(*failure));
        }
        if ((now - startMs) % kScrapeMs == 0) {
            scrapedBytes = metrics.render().size();
            QCoreApplication::processEvents();
        }
        if ((now - startMs) % kSampleMs == 0)
            sample(now);
    }
    if (samples.back().hours < double(hours))
        sample(endMs);

    const auto settledFrom = std::find_if(samples.begin(), samples.end(), [&](const Sample& s) {
        return s.hours >= std::max(4.0, double(hours) / 2);
    });
    const std::vector<Sample> settled(settledFrom == samples.end() ? samples.end() - 1 : settledFrom,
                                      samples.end());
    const double rssGrowth = settled.back().rssMb - settled.front().rssMb;
    const int fdsGrowth = settled.back().fds - settled.front().fds;
    std::printf(
        "hosts %d\nhours %d\nsettled_from_hour %.0f\nrss_start_mb %.2f\nrss_end_mb %.2f\nrss_growth_mb %.2f\n"
        "rss_slope_mb_per_hour %.3f\nfds_start %d\nfds_end %d\nfds_slope_per_hour %.3f\n"
        "metrics_kb %.0f\nrefused_writes %d\n",
        hosts, hours, settled.front().hours, settled.front().rssMb, settled.back().rssMb, rssGrowth,
        slopePerHour(settled, [](const Sample& s) { return s.rssMb; }), settled.front().fds,
        settled.back().fds, slopePerHour(settled, [](const Sample& s) { return double(s.fds); }),
        double(scrapedBytes) / 1024.0, refusedWrites);
    const bool flat = fdsGrowth <= 0 && rssGrowth <= kMostGrowthMb && refusedWrites == 0;
    std::printf("flat %s\n", flat ? "yes" : "no");
    return flat ? 0 : 1;
}
