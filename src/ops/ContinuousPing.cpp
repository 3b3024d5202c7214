#include "ops/ContinuousPing.h"

#include "log/ResultPipeline.h"
#include "ops/GuiThread.h"
#include "ops/HostText.h"
#include "ops/OperationControl.h"
#include "ops/OperationFrontEnd.h"
#include "ops/OperationState.h"
#include "ops/WorkerEnd.h"
#include "ops/WorkerLink.h"
#include "settings/LiveOptions.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"

#include <algorithm>

namespace vantrel::ops {

namespace {

using output::ResultKind;
using settings::OptionId;
namespace res = output::res;

// The interval the pane's interval box allows.
constexpr int kShortestInterval = 1;
constexpr int kLongestInterval = 99;
// How soon the next cycle is tried again while the last cycle's worker is still on its way out.
constexpr std::chrono::milliseconds kRetryNextCycle{10};

} // namespace

ContinuousPing::ContinuousPing(OperationControl& control, OperationFrontEnd& frontEnd,
                               output::ResultPipeline& results, settings::LiveOptions& options)
    : m_control(control)
    , m_frontEnd(frontEnd)
    , m_results(results)
    , m_options(options) {
    m_nextTimer.setSingleShot(true);
    for (QTimer* timer : {&m_nextTimer, &m_countdownTimer})
        timer->setTimerType(Qt::PreciseTimer);
    connect(&m_nextTimer, &QTimer::timeout, this, [this] { OnTimer(TIMER_CONTPING_NEXT); });
    connect(&m_countdownTimer, &QTimer::timeout, this, [this] { OnTimer(TIMER_CONTPING_COUNTDOWN); });

    m_control.plugIn(this);
}

ContinuousPing::~ContinuousPing() {
    m_control.plugIn(nullptr);
    // A cycle's worker uses this object until it returns; the close sequence has let it end.
    m_control.joinWorkers();
}

bool ContinuousPing::isTimerActive(int id) const {
    if (id == TIMER_CONTPING_NEXT)
        return m_nextTimer.isActive();
    if (id == TIMER_CONTPING_COUNTDOWN)
        return m_countdownTimer.isActive();
    return false;
}

void ContinuousPing::stopTimers() {
    m_nextTimer.stop();
    m_countdownTimer.stop();
    emit countdownStatus(QString());
}

void ContinuousPing::showCountdown(const QString& text) {
    m_control.state().status.set(text);
    m_frontEnd.RefreshCommandUI();
    emit countdownStatus(text);
}

int ContinuousPing::readInterval() const {
    const std::optional<int> shown = m_frontEnd.continuousPingInterval();
    // A stored value out of range would make the cycles run back to back, or the timer refuse.
    return std::clamp(shown.value_or(m_options.number(OptionId::ContPingInterval)), kShortestInterval,
                      kLongestInterval);
}

void ContinuousPing::StartContinuousPing() {
    assertGuiThread();
    stopTimers();
    m_control.state().flags.startOperation(Operation::ContinuousPing);
    m_run = {};
    m_nContCountdown = 0;
    m_cycle = 0;
    m_cycleEnding = false;
    m_results.AppendRow(
        output::startRow(res::kContPingStartLine, cleanHostText(m_frontEnd.hostBoxText()).host));
    m_control.appendRecord(eventRecord(ResultRecord::Kind::Start, RecordOperation::ContinuousPing));
}

void ContinuousPing::CancelContinuousPing() {
    assertGuiThread();
    OperationFlags& flags = m_control.state().flags;
    if (m_control.lookupPending()) {
        m_control.CancelLookup();
        flags.lookupCancelledByCommand();
        m_frontEnd.RefreshCommandUI();
    }
    flags.requestCancel();
    m_countdownTimer.stop();
    m_control.state().status.set(output::text(res::kCancelingPing));
    m_frontEnd.RefreshCommandUI();
    emit countdownStatus(QString());
    if (flags.m_bContPingThread && !m_cycleEnding)
        return; // the cycle sees the cancel after its request and ends the run
    m_nextTimer.stop();
    flags.continuousRunEnded();
    OnContPingDone();
}

void ContinuousPing::OnContPingDone() {
    assertGuiThread();
    stopTimers();
    if (!m_control.state().flags.m_bShuttingDown) {
        m_results.AppendRow(pingEndLine(m_run));
        if (m_options.isOn(OptionId::Statistics))
            for (const output::ResultRow& line :
                 pingStatistics(m_run, m_options.isOn(OptionId::PreciseTimes)))
                m_results.AppendRow(line);
        for (const ResultRecord& record : pingEndRecords(m_run, RecordOperation::ContinuousPing))
            m_control.appendRecord(record);
    }
    // A run that sent nothing keeps what its start came to (no echo handle, a name that did not resolve).
    if (m_run.sent != 0)
        m_control.recordOutcome(m_run.received != 0 ? OperationOutcome::Succeeded : OperationOutcome::Failed);
    m_control.state().status.set(output::text(res::kReady));
    m_frontEnd.RefreshCommandUI();
}

void ContinuousPing::OnRunInterrupted() {
    assertGuiThread();
    endRun();
    // The cycles done keep their summary; a run whose first cycle never started has nothing to sum up.
    if (m_cycle > 0)
        OnContPingDone();
    else
        stopTimers();
}

void ContinuousPing::OnTimer(int id) {
    assertGuiThread();
    const OperationFlags& flags = m_control.state().flags;
    if (flags.m_bShuttingDown) {
        stopTimers(); // the program ends: a timer left behind starts no cycle
        return;
    }
    if (!flags.m_bContPingActive) {
        endedWithoutCycle();
        return;
    }
    if (id == TIMER_CONTPING_NEXT) {
        if (flags.m_bContPingThread) {
            m_nextTimer.start(kRetryNextCycle);
            return;
        }
        m_nextTimer.stop();
        startNextCycle();
        return;
    }
    if (id != TIMER_CONTPING_COUNTDOWN)
        return;
    if (!m_options.isOn(OptionId::ContPing)) {
        if (flags.m_bContPingThread)
            return; // the last cycle's worker is still on its way out; the next tick starts the cycle
        m_nextTimer.stop();
        m_countdownTimer.stop();
        startNextCycle();
        return;
    }
    --m_nContCountdown;
    if (m_nContCountdown > 1)
        showCountdown(output::fill(res::kContPingWaitSeconds, unsigned(m_nContCountdown)));
    else if (m_nContCountdown == 1)
        showCountdown(output::fill(res::kContPingWaitSecond, unsigned(m_nContCountdown)));
    else
        // Past 0 the next cycle is being resolved or could not start: the status keeps saying so.
        m_frontEnd.RefreshCommandUI();
}

void ContinuousPing::endRun() {
    // Decided on the GUI thread, so that a cancel from now on finds the run over instead of ending it a
    // second time.
    m_control.state().status.set(output::text(res::kReady));
    m_control.state().flags.continuousRunEnded();
}

void ContinuousPing::startNextCycle() {
    m_control.StartOperation();
    if (!m_control.state().flags.m_bContPingActive)
        endedWithoutCycle();
}

void ContinuousPing::endedWithoutCycle() {
    // The next cycle's host was refused or its lookup failed: no countdown stays behind.
    stopTimers();
    endRun();
    m_frontEnd.RefreshCommandUI();
}

bool ContinuousPing::scheduleNextCycle(bool contPing) {
    const OperationFlags& flags = m_control.state().flags;
    if (flags.stopRequested() || !flags.m_bContPingActive || !contPing)
        return false;
    const int interval = readInterval();
    m_options.setNumber(OptionId::ContPingInterval, interval);
    m_nContCountdown = interval;
    m_nextTimer.start(m_second * interval);
    showCountdown(output::fill(interval == 1 ? res::kContPingWaitFirstSecond : res::kContPingWaitFirst,
                               unsigned(interval)));
    m_countdownTimer.start(m_second);
    return true;
}

int ContinuousPing::ContPingThread(const WorkerContext& context) {
    const OperationFlags& all = context.flags.all();
    WorkerLink& link = context.link;

    // Timers and the cycle's start belong to the GUI thread. A cycle whose run was cancelled or ended
    // before it got there does nothing; a cancel that came meanwhile took it for a running cycle, so the
    // run ends here.
    bool runs = false;
    bool endsRun = false;
    m_dispatcher.send([&] {
        m_control.drainWorkerQueue(); // the last cycle's rows come before this one's start
        m_countdownTimer.stop();
        emit countdownStatus(QString());
        runs = all.m_bContPingActive && !all.stopRequested();
        m_cycleEnding = !runs;
        if (runs)
            emit cycleStarting(++m_cycle);
        else if (all.m_bContPingActive)
            endsRun = true;
        if (endsRun)
            endRun();
    });
    if (!runs) {
        endWorker(context, {.showReady = false, .runDone = endsRun});
        return 0;
    }

    int result = 0;
    bool scheduled = false;
    PingProbe probe(context);
    if (probe.openHandle()) {
        if (m_run.sent == 0)
            probe.sendHeader();
        probe.run(m_run, {ResultKind::Plain, true, RecordOperation::ContinuousPing});
        if (context.options.isOn(OptionId::Beep))
            link.Beep();
        probe.closeHandle();
        const bool contPing = context.options.isOn(OptionId::ContPing);
        m_dispatcher.send([&] {
            m_control.drainWorkerQueue(); // the cycle's rows come before the countdown
            m_cycleEnding = true;
            scheduled = scheduleNextCycle(contPing);
            if (!scheduled)
                endRun();
        });
    } else {
        // Without an echo handle no cycle can run: the run ends as after its last cycle.
        m_control.recordOutcome(OperationOutcome::NotRun);
        result = 1;
        m_dispatcher.send([&] {
            m_control.drainWorkerQueue();
            m_cycleEnding = true;
            endRun();
        });
    }
    endWorker(context, {.showReady = false, .runDone = !scheduled});
    return result;
}

} // namespace vantrel::ops
