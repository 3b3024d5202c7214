#pragma once

#include "ops/ContinuousRun.h"
#include "ops/FrameDispatcher.h"
#include "ops/PingProbe.h"
#include "ops/WorkerContext.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

namespace vantrel::settings {
class LiveOptions;
}
namespace vantrel::output {
class ResultPipeline;
}

namespace vantrel::ops {

class OperationControl;
class OperationFrontEnd;

// The frame's timers that pace continuous ping, by their historical IDs.
enum ContPingTimerId : int {
    TIMER_CONTPING_NEXT = 4,      // starts the next cycle
    TIMER_CONTPING_COUNTDOWN = 5, // counts the seconds down in the status bar
};

// Continuous ping: with ContPing on, the Ping command runs cycles of Packets echo requests with a
// countdown of ContPingInterval seconds between them, numbering the requests on across cycles, until it
// is cancelled, the program exits or ContPing is switched off; then one end line and one set of
// statistics cover the whole run. Plugs itself into operation control, owns the two timers and lives
// on the GUI thread. The cycle's worker hands every step on timers, controls and the summary to the GUI
// thread, in order, through blocking calls.
class ContinuousPing : public QObject, public ContinuousRun {
    Q_OBJECT
public:
    // Plugs itself into operation control, and out again when it goes away.
    ContinuousPing(OperationControl& control, OperationFrontEnd& frontEnd, output::ResultPipeline& results,
                   settings::LiveOptions& options);
    ~ContinuousPing() override;
    ContinuousPing(const ContinuousPing&) = delete;
    ContinuousPing& operator=(const ContinuousPing&) = delete;

    // The length of one second of the timers. Tests shorten it, or lengthen it and drive the timers with
    // OnTimer.
    void setSecondLength(std::chrono::milliseconds second) { m_second = second; }

    // The Ping command's start branch with ContPing on: a new run and its start line. The command then
    // calls StartOperation for the first cycle.
    void StartContinuousPing() override;
    // The Ping command during a run.
    void CancelContinuousPing() override;
    // One cycle, on its own thread: 0 after the cycle, 1 when no echo handle could be created.
    int ContPingThread(const WorkerContext& context) override;
    // The run's end: its end line and statistics, unless the program is exiting.
    void OnContPingDone() override;
    // A cycle could not start (its host refused, its lookup failed): the run ends with its summary.
    void OnRunInterrupted() override;
    // A timer fired (GUI thread).
    void OnTimer(int id);

    bool isTimerActive(int id) const;
    // The run's sums: m_nContPackets, m_nContReceived, m_nContRttSum, m_nContRttMax and m_nContRttMin.
    const PingTally& runTally() const { return m_run; }
    int countdown() const { return m_nContCountdown; }

signals:
    // A cycle of the run starts (counted from 1); the front end may switch ContPing off to make it the
    // last.
    void cycleStarting(int cycle);
    // The countdown's status text changed, or the countdown is over (an empty text).
    void countdownStatus(const QString& text);

private:
    // The end of a cycle on the GUI thread: schedules the next one; false when the run ends instead.
    bool scheduleNextCycle(bool contPing);
    void endRun();
    // StartOperation for the next cycle, and what is left to do when the run ends there.
    void startNextCycle();
    void endedWithoutCycle();
    int readInterval() const;
    void stopTimers();
    void showCountdown(const QString& text);

    OperationControl& m_control;
    OperationFrontEnd& m_frontEnd;
    output::ResultPipeline& m_results;
    settings::LiveOptions& m_options;
    FrameDispatcher m_dispatcher;
    QTimer m_nextTimer;      // TIMER_CONTPING_NEXT
    QTimer m_countdownTimer; // TIMER_CONTPING_COUNTDOWN
    std::chrono::milliseconds m_second{1000};

    // Written by the cycle's worker; read on the GUI thread only between cycles or while the worker
    // waits for its summary.
    PingTally m_run;
    int m_nContCountdown = 0; // seconds left until the next cycle (GUI thread)
    int m_cycle = 0;          // cycles started in the run (GUI thread)
    // The running cycle has passed its last test of the cancel flags (GUI thread): a cancel from now on
    // is one between cycles.
    bool m_cycleEnding = false;
};

} // namespace vantrel::ops
