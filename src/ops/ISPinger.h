#pragma once

#include "net/IcmpApi.h"
#include "net/SocketLibrary.h"
#include "ops/CommandRules.h"
#include "ops/FrameDispatcher.h"
#include "ops/ResultRecord.h"
#include "ops/SharedAddress.h"
#include "ops/WorkerThreads.h"
#include "rows/ResultRow.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>

namespace vantrel::settings {
class LiveOptions;
}
namespace vantrel::output {
class ResultPipeline;
}

namespace vantrel::ops {

class OperationFlags;
class OperationFrontEnd;

// The frame's timers that pace ISPinger, by their historical IDs.
enum ISPingerTimerId : int {
    TIMER_ISPINGER_REQUEST = 1,   // one request every ISPInterval seconds
    TIMER_ISPINGER_INDICATOR = 2, // darkens the indicator after its flash
};

// What the indicator pane shows: dark, or lit blue (the last request was answered) or red (it was lost).
enum class IspIndicator { Dark, Answered, Lost };
// The notification icon ISPinger asks for: the program's own, or its own while it flashes.
enum class IspTrayIcon { Program, ISPinger };

// ISPinger watches one server in the background: one echo request every ISPInterval seconds on an echo
// handle of its own, a fresh worker per request, the running success rate as its status text, and a
// flash of the indicator at every request. It runs beside every other operation: it reads their flags
// only for the program's exit and owns its own lookup, so it neither disturbs nor is disturbed by them.
// Lives on the GUI thread; its worker hands its results there through blocking calls.
class ISPinger : public QObject {
    Q_OBJECT
public:
    struct Services {
        OperationFlags& flags;
        settings::LiveOptions& options; // ISPAddress and ISPInterval
        net::IcmpApi icmp;
        net::SocketLibrary& sockets;
        OperationFrontEnd& frontEnd; // message boxes and the command state
        output::ResultPipeline& results;
    };

    explicit ISPinger(Services services);
    ~ISPinger() override; // cancels its lookup and joins its worker
    ISPinger(const ISPinger&) = delete;
    ISPinger& operator=(const ISPinger&) = delete;

    // The length of one second of the timers. Tests shorten it, or lengthen it and drive the timers with
    // OnTimer.
    void setSecondLength(std::chrono::milliseconds second) { m_second = second; }
    // Where each run's start, requests and sums go as records (GUI thread); empty takes none.
    void setRecordSink(RecordSink sink) { m_recordSink = std::move(sink); }

    // The ISPinger command: starts when inactive, stops (or cancels the server lookup) otherwise.
    void OnISPinger();
    void OnTimer(int id);
    bool isTimerActive(int id) const;

    // Started and not stopped (also while the server's name is being resolved).
    bool isActive() const { return m_bISPinger; }
    bool lookupPending() const { return m_hLookup != 0; }
    // A request's worker is alive.
    bool requestRunning() const;
    QString statusText() const;
    IspIndicator indicator() const { return m_indicator; }
    int sent() const { return m_nISPingsSent; }
    int answered() const { return m_nISPingsAnswered; }
    // Answered requests per hundred sent, the fraction dropped; nothing before the first request.
    std::optional<int> successRate() const;
    // The ISPinger button (enabled while the server box holds text), its menu items and the tray's.
    CommandUi buttonUi(bool serverBoxHasText) const;
    CommandUi menuUi() const;

signals:
    void statusChanged(const QString& text);
    void indicatorChanged(IspIndicator indicator);
    // The icon and tip the notification icon should show, for a front end that has one present.
    void trayIconChanged(IspTrayIcon icon, const QString& tip);
    // Started or stopped: the server box is read-only while active.
    void activeChanged(bool active);
    // A request was counted and its status text set (GUI thread).
    void requestFinished();
    // A request's worker could not create its echo handle (GUI thread, after the report). The window
    // tries again at every tick; a front end that cannot wait for the user stops here.
    void noEchoHandle();

private:
    void start();
    void stop();
    void OnISPingerLookupDone(net::AsyncLookupHandle request, int error, const net::HostEntry& entry);
    // The first request and the timers; false when no worker could be started.
    bool startFirstRequest();
    bool startRequest();
    // One request of the run numbered `run`.
    void ISPingerThread(int run);
    // Back to inactive after a failure before any request: the status and the server box.
    void becomeInactive(const QString& status);
    void setStatus(const QString& text);
    void light(IspIndicator indicator);
    std::chrono::milliseconds flashLength() const;
    void showWinsockFailure(const output::ResultRow& line, int error);
    void record(const ResultRecord& record) const;

    Services m_services;
    FrameDispatcher m_dispatcher;
    QTimer m_requestTimer;   // TIMER_ISPINGER_REQUEST
    QTimer m_indicatorTimer; // TIMER_ISPINGER_INDICATOR
    std::chrono::milliseconds m_second{1000};

    std::atomic<bool> m_bISPinger{false};
    std::atomic<bool> m_bLastISPingOK{false};
    std::atomic<int> m_nISPingsSent{0};
    std::atomic<int> m_nISPingsAnswered{0};
    std::atomic<int> m_nISPingsPending{0};
    std::atomic<int> m_answersToCount{0}; // answers handed to the GUI thread and not yet counted
    SharedAddress m_dwISPAddr;
    std::atomic<net::IcmpHandle> m_hISPingerICMP{net::INVALID_HANDLE_VALUE};
    QString m_strISPAddress; // the server as read at the start (GUI thread)
    int m_run = 0;           // the starts so far (GUI thread)
    int m_noHandleRun = -1;  // the start whose missing echo handle was reported (GUI thread)
    net::AsyncLookupHandle m_hLookup = 0;
    IspIndicator m_indicator = IspIndicator::Dark;
    mutable std::mutex m_statusMutex;
    QString m_strISPStatus;
    RecordSink m_recordSink;  // GUI thread
    QElapsedTimer m_runClock; // since the run's start, for the requests' records (GUI thread)
    WorkerThreads m_workers;  // declared last: joined before everything its worker uses goes away
};

} // namespace vantrel::ops
