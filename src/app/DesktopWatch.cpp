#include "app/DesktopWatch.h"

#include "app/CMainFrame.h"
#include "app/DesktopNotifier.h"
#include "commands/CommandIds.h"
#include "log/ResultPipeline.h"
#include "ops/HostText.h"
#include "ops/WatchOptions.h"
#include "ops/WatchRows.h"
#include "rows/TimeStamp.h"
#include "settings/StoreLocation.h"
#include "settings/WatchList.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"
#include "ui/OptionPane.h"
#include "ui/RoundTripPlot.h"
#include "ui/SystemTray.h"
#include "ui/WatchPane.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QSystemTrayIcon>
#include <algorithm>

namespace vantrel::app {

namespace {

namespace res = output::res;
constexpr std::int64_t kDayMs = std::int64_t{24} * 3600 * 1000;

QString lossText(const history::ProbeSums& sums) {
    return sums.sent > 0 ? QStringLiteral("%1%").arg(sums.lossPercent(), 0, 'f', 1) : QString();
}

QString roundTripText(const history::ProbeSums& sums) {
    const std::optional<double> average = sums.averageUs();
    return average ? QStringLiteral("%1 ms").arg(*average / 1000.0, 0, 'f', 3) : QString();
}

QString momentText(std::int64_t ms) {
    return output::formatTimeStamp(QDateTime::fromMSecsSinceEpoch(ms));
}

} // namespace

DesktopWatch::DesktopWatch(CMainFrame& frame, ui::WatchPane& pane, net::IcmpApi icmp,
                           std::shared_ptr<net::HostDatabase> names)
    : m_frame(frame)
    , m_pane(pane)
    , m_icmp(std::move(icmp))
    , m_names(std::move(names)) {
    connect(&pane, &ui::WatchPane::addRequested, this,
            [this](const settings::WatchEntry& entry) { add(entry); });
    connect(&pane, &ui::WatchPane::setRequested, this,
            [this](const settings::WatchEntry& entry) { change(entry); });
    connect(&pane, &ui::WatchPane::deleteRequested, this, [this](const QString& host) { remove(host); });
    connect(&pane, &ui::WatchPane::enabledChanged, this,
            [this](const QString& host, bool on) { setEnabled(host, on); });
    connect(&pane, &ui::WatchPane::watchingToggled, this, [this](bool on) { setWatching(on); });
    connect(&pane, &ui::WatchPane::historyWanted, this, [this] { showHistory(); });
    connect(&m_dayFigures, &QTimer::timeout, this, [this] { refreshDayFigures(); });
    // The watch list's options are on the ISPinger options pane. A new number of losses takes a new
    // watch, started once the typing has settled rather than at each digit.
    m_downAfterSettled.setSingleShot(true);
    m_downAfterSettled.setInterval(1000);
    connect(&m_downAfterSettled, &QTimer::timeout, this, [this] { restart(); });
    if (ui::OptionPane* options = frame.optionPane(cmd::kISPingerOptions))
        connect(options, &ui::OptionPane::optionChanged, this, [this](settings::OptionId option) {
            if (option == settings::OptionId::WatchDownAfter && m_runner)
                m_downAfterSettled.start();
            else if (option == settings::OptionId::WatchRetentionDays && m_writer)
                m_writer->setRetention(ops::historyRetention(m_frame.options()));
        });
}

DesktopWatch::~DesktopWatch() {
    stop();
}

void DesktopWatch::load() {
    settings::WatchList list(m_frame.store());
    m_entries = list.load();
    m_pane.showEntries(m_entries);
    if (list.watching())
        setWatching(true);
}

void DesktopWatch::stop() {
    const bool wasWatching = m_runner.has_value();
    m_runner.reset();
    // The changes the prober handed over last reach the Results window and the log before they close.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    m_dayFigures.stop();
    if (m_writer && !m_writer->flush())
        if (const std::optional<QString> failure = m_writer->takeFailure())
            m_frame.showMessageBox(output::text(res::kWatchPaneTitle),
                                   output::fill(res::kWatchHistoryNotWritten, *failure),
                                   ops::MessageIcon::Error);
    m_writer.reset();
    if (wasWatching)
        m_frame.resultPipeline().AppendRow(
            output::makeStampedRow(output::ResultKind::Bold, res::kWatchEndLine, QString()));
}

void DesktopWatch::watchProbed(const ops::WatchHostView& host) {
    QMetaObject::invokeMethod(
        this, [this, host] { showProbe(host); }, Qt::QueuedConnection);
}

void DesktopWatch::watchStateChanged(const history::StateChange& change, const ops::WatchHostView& host) {
    QMetaObject::invokeMethod(
        this, [this, change, name = host.name] { showChange(change, name); }, Qt::QueuedConnection);
}

void DesktopWatch::showProbe(const ops::WatchHostView& host) {
    m_shown[host.host] = host;
    const history::ProbeSums day =
        m_reader ? m_reader->sums(host.host, nowMs() - kDayMs, nowMs() + 1) : history::ProbeSums{};
    m_pane.showFigures({host.host, ops::watchStateName(host.state), lossText(host.recent),
                        roundTripText(host.recent), lossText(day), roundTripText(day),
                        host.lastChangeMs ? momentText(*host.lastChangeMs) : QString()});
    if (m_writer)
        if (const std::optional<QString> failure = m_writer->takeFailure())
            m_frame.showMessageBox(output::text(res::kWatchPaneTitle),
                                   output::fill(res::kWatchHistoryNotWritten, *failure),
                                   ops::MessageIcon::Error);
}

void DesktopWatch::showChange(const history::StateChange& change, const QString& name) {
    const output::ResultRow line = ops::watchChangeRow(change, name);
    m_frame.resultPipeline().AppendRow(line);
    const QString text = QStringLiteral("%1 is %2").arg(ops::watchedHostText(change.host, name), change.to);
    const bool down = change.to == QLatin1String("down");
    ui::SystemTray& tray = m_frame.systemTray();
    if (tray.isPresent()) {
        tray.icon().showMessage(output::text(res::kWatchPaneTitle), text,
                                down ? QSystemTrayIcon::Warning : QSystemTrayIcon::Information);
    } else {
        DesktopNotifier::notify(output::text(res::kWatchPaneTitle), text, down);
        QApplication::alert(&m_frame);
    }
    // The history takes the change with its next batch; the list shows it at once.
    m_pane.changesList()->addItem(
        QStringLiteral("%1  %2 is %3").arg(momentText(change.timeMs), change.host, change.to));
    m_pane.changesList()->scrollToBottom();
}

void DesktopWatch::add(settings::WatchEntry entry) {
    // Nothing typed: the host box's host, named as the Profile Name box names it.
    if (entry.host.isEmpty()) {
        entry.host = m_frame.hostBoxText();
        if (entry.name.isEmpty())
            entry.name = m_frame.profileNameBox()->text().trimmed();
    }
    const ops::HostText cleaned = ops::cleanHostText(entry.host);
    if (cleaned.problem != ops::HostText::Problem::None || cleaned.host.contains(QLatin1Char('\\'))) {
        m_frame.showMessageBox(output::text(res::kWatchPaneTitle),
                               output::fill(res::kWatchNoHost, entry.host.simplified()),
                               ops::MessageIcon::Error);
        return;
    }
    entry.host = cleaned.host;
    const auto found =
        std::find_if(m_entries.begin(), m_entries.end(), [&](const settings::WatchEntry& kept) {
            return kept.host.compare(entry.host, Qt::CaseInsensitive) == 0;
        });
    if (found != m_entries.end()) {
        entry.host = found->host;
        entry.enabled = found->enabled;
    }
    if (put(entry))
        m_pane.hostField()->clear();
}

void DesktopWatch::change(settings::WatchEntry entry) {
    const auto found =
        std::find_if(m_entries.begin(), m_entries.end(),
                     [&](const settings::WatchEntry& kept) { return kept.host == entry.host; });
    if (found == m_entries.end())
        return;
    // The name stays unless another is typed.
    if (entry.name.isEmpty())
        entry.name = found->name;
    entry.enabled = found->enabled;
    put(entry);
}

bool DesktopWatch::put(const settings::WatchEntry& entry) {
    if (const settings::StoreWrite written = settings::WatchList(m_frame.store()).put(entry); !written) {
        tellNotSaved(written.reason());
        return false;
    }
    m_pane.nameField()->clear();
    restart();
    return true;
}

void DesktopWatch::remove(const QString& host) {
    if (const settings::StoreWrite removed = settings::WatchList(m_frame.store()).remove(host);
        !removed.gone()) {
        tellNotSaved(removed.reason());
        return;
    }
    m_shown.erase(host);
    restart();
}

void DesktopWatch::setEnabled(const QString& host, bool enabled) {
    for (settings::WatchEntry entry : m_entries) {
        if (entry.host != host)
            continue;
        entry.enabled = enabled;
        if (const settings::StoreWrite written = settings::WatchList(m_frame.store()).put(entry); !written)
            tellNotSaved(written.reason());
    }
    restart();
}

void DesktopWatch::setWatching(bool on) {
    if (const settings::StoreWrite written = settings::WatchList(m_frame.store()).setWatching(on); !written)
        tellNotSaved(written.reason());
    if (on && !m_runner) {
        if (start())
            m_frame.resultPipeline().AppendRow(
                output::makeStampedRow(output::ResultKind::Bold, res::kWatchStartLine, QString()));
        else
            on = false;
    }
    if (!on)
        stop();
    m_pane.setWatching(on);
}

void DesktopWatch::restart() {
    m_entries = settings::WatchList(m_frame.store()).load();
    m_pane.showEntries(m_entries);
    if (m_runner) {
        m_runner.reset();
        start();
    }
}

bool DesktopWatch::start() {
    m_runner.reset();
    std::unique_ptr<net::EchoSweep> sweep = m_icmp.openEchoSweep ? m_icmp.openEchoSweep() : nullptr;
    if (!sweep) {
        m_frame.showMessageBox(output::text(res::kWatchPaneTitle),
                               output::text(res::kWatchNoSocket) + QLatin1Char('\n') +
                                   m_frame.icmpAccessGuidance(),
                               ops::MessageIcon::Error);
        return false;
    }
    if (!m_writer) {
        const QString file = settings::userDataDir() + QStringLiteral("history.sqlite");
        QDir().mkpath(settings::userDataDir());
        QString error;
        std::unique_ptr<history::HistoryDatabase> database = history::HistoryDatabase::open(file, error);
        m_reader = database ? history::HistoryDatabase::open(file, error) : nullptr;
        if (database && m_reader)
            m_writer = std::make_unique<history::HistoryWriter>(std::move(database),
                                                                ops::historyTiming(m_frame.options()));
        else
            m_frame.showMessageBox(output::text(res::kWatchPaneTitle),
                                   output::fill(res::kWatchNoHistory, file, error), ops::MessageIcon::Error);
    }
    std::vector<settings::WatchEntry> enabled = m_entries;
    std::erase_if(enabled, [](const settings::WatchEntry& entry) { return !entry.enabled; });
    const ops::WatchRules rules = ops::watchRules(m_frame.options());
    m_runner.emplace([&](std::int64_t startMs) {
        return std::make_unique<ops::WatchProber>(std::move(enabled), rules, std::move(sweep), m_names, *this,
                                                  m_writer.get(), startMs);
    });
    m_dayFigures.start(60'000);
    showHistory();
    return true;
}

void DesktopWatch::showHistory() {
    const QString host = m_pane.selectedHost();
    ui::RoundTripPlot& plot = *m_pane.plot();
    plot.startRun(ui::RoundTripPlot::Axis::Seconds);
    if (!m_reader)
        return;
    const std::int64_t now = nowMs();
    const std::int64_t from = now - std::int64_t(m_pane.spanHours()) * 3600 * 1000;
    if (!host.isEmpty()) {
        // A minute summed with some of its probes lost is marked as a lost probe is.
        for (const history::HistoryPoint& point : m_reader->points(host, from, now + 1)) {
            const std::optional<double> average = point.sums.averageUs();
            plot.addSummed(double(point.timeMs - from) / 1000.0,
                           average ? std::optional(*average / 1000.0) : std::nullopt,
                           std::size_t(point.sums.sent), std::size_t(point.sums.sent - point.sums.received));
        }
    }
    QStringList lines;
    for (const history::StateChange& change : m_reader->changes(now - kDayMs, now + 1))
        lines << QStringLiteral("%1  %2 is %3").arg(momentText(change.timeMs), change.host, change.to);
    m_pane.showChanges(lines);
}

void DesktopWatch::refreshDayFigures() {
    for (const auto& [host, shown] : m_shown)
        showProbe(shown);
    showHistory();
}

void DesktopWatch::tellNotSaved(const QString& reason) {
    m_frame.showMessageBox(output::text(res::kSettingsErrorCaption),
                           output::fill(res::kWatchNotSaved, reason), ops::MessageIcon::Error);
    m_entries = settings::WatchList(m_frame.store()).load();
    m_pane.showEntries(m_entries);
}

std::int64_t DesktopWatch::nowMs() const {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace vantrel::app
