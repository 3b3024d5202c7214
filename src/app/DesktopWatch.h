#pragma once

#include "history/HistoryDatabase.h"
#include "history/HistoryWriter.h"
#include "net/IcmpApi.h"
#include "ops/WatchFrontEnd.h"
#include "ops/WatchRunner.h"

#include <QObject>
#include <QTimer>
#include <map>
#include <memory>
#include <optional>

namespace vantrel::net {
class HostDatabase;
}
namespace vantrel::ui {
class WatchPane;
}

namespace vantrel::app {

class CMainFrame;

// The Watch List pane at work: the list from the settings store, each edit written there first; while
// the pane's Watch button is on (kept for the next start) the watch runs beside every other operation,
// each change of state goes to the Results window and the log and to the desktop's notifications, and the
// pane shows each host's figures and the selected host's history.
class DesktopWatch final : public QObject, public ops::WatchFrontEnd {
    Q_OBJECT
public:
    DesktopWatch(CMainFrame& frame, ui::WatchPane& pane, net::IcmpApi icmp,
                 std::shared_ptr<net::HostDatabase> names);
    ~DesktopWatch() override;

    // Shows the stored list and starts the watch when it was on.
    void load();
    // Ends the watch and writes what the history still waits for (the window closes).
    void stop();
    bool isWatching() const { return m_runner.has_value(); }

    // On the prober's thread: handed over to this object's.
    void watchProbed(const ops::WatchHostView& host) override;
    void watchStateChanged(const history::StateChange& change, const ops::WatchHostView& host) override;

private:
    void showProbe(const ops::WatchHostView& host);
    void showChange(const history::StateChange& change, const QString& name);
    void add(settings::WatchEntry entry);
    // The selected host given the pane's interval and limits, and its name when one is typed.
    void change(settings::WatchEntry entry);
    // Stores the entry and runs the watch with it; false, told, when the store refused it.
    bool put(const settings::WatchEntry& entry);
    void remove(const QString& host);
    void setEnabled(const QString& host, bool enabled);
    void setWatching(bool on);
    // The watch again with the list as stored now, when it runs.
    void restart();
    bool start();
    void showHistory();
    void refreshDayFigures();
    void tellNotSaved(const QString& reason);
    std::int64_t nowMs() const;

    CMainFrame& m_frame;
    ui::WatchPane& m_pane;
    const net::IcmpApi m_icmp;
    const std::shared_ptr<net::HostDatabase> m_names;
    std::vector<settings::WatchEntry> m_entries;
    std::map<QString, ops::WatchHostView> m_shown; // the last probe of each host
    std::unique_ptr<history::HistoryDatabase> m_reader;
    std::unique_ptr<history::HistoryWriter> m_writer;
    std::optional<ops::WatchRunner> m_runner; // declared last: gone first, before what it reports to
    QTimer m_dayFigures;
    QTimer m_downAfterSettled;
};

} // namespace vantrel::app
