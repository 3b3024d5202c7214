#include "ops/OperationControl.h"

#include "log/ResultPipeline.h"
#include "net/WinsockErrors.h"
#include "ops/AddressPolicy.h"
#include "ops/ContinuousRun.h"
#include "ops/EchoRequestData.h"
#include "ops/FrameWorkerLink.h"
#include "ops/GuiThread.h"
#include "ops/HostText.h"
#include "ops/ListScanThread.h"
#include "ops/LookupReport.h"
#include "ops/OperationFrontEnd.h"
#include "ops/PathMonitorThread.h"
#include "ops/PathReport.h"
#include "ops/PingThread.h"
#include "ops/SeqScanChecks.h"
#include "ops/SeqScanRangeCheck.h"
#include "ops/SeqScanThread.h"
#include "ops/TraceThread.h"
#include "ops/WorkerEchoHandle.h"
#include "settings/LiveOptions.h"
#include "text/MessageTexts.h"
#include "text/PathMonitorTexts.h"
#include "text/ResultTexts.h"

#include <variant>

namespace vantrel::ops {

namespace {

using output::ResultKind;
using settings::OptionId;

namespace res = output::res;
using output::fill;

QString errorText(int code) {
    return net::WinsockErrorText(code);
}

} // namespace

OperationControl::OperationControl(Services services)
    : m_services(std::move(services))
    , m_state(m_services.state)
    , m_pathFeed(m_services.sockets) {
    m_queue = std::make_unique<WorkerQueue<WorkerPost>>([this](WorkerPost& post) { handle(post); },
                                                        [this] { m_services.frontEnd.showStatus(); });
    m_link = std::make_unique<FrameWorkerLink>(*this, *m_queue, m_services.options, m_state.flags);
    m_services.results.setBeforeAppend([this] { drainWorkerQueue(); });
    // A worker's end comes after its messages. What it left in the queue goes on being shown a slice
    // a frame, so the end of a fast run does not hold the window; whatever writes a line of its own
    // (the next ping among them) takes the rest of the queue first.
    QObject::connect(&m_state.flags.changes(), &FlagChanges::changed, &m_dispatcher,
                     [this] { startPendingPingAgain(); });
}

OperationControl::~OperationControl() {
    // Workers still running stop at their next test; the state outlives them, as its owner made sure.
    m_state.flags.beginShutdown();
    for (const net::AsyncLookupHandle pending : {m_hAsyncLookup, m_hLocalHostLookup})
        if (pending != 0)
            m_services.sockets.WSACancelAsyncRequest(pending);
    // No worker waits for room any more: what they hand over now is not shown.
    m_queue->close();
    m_workers.joinAll();
    m_services.results.setBeforeAppend({});
}

void OperationControl::drainWorkerQueue() {
    assertGuiThread();
    m_queue->drain();
}

bool OperationControl::workerMessagesShown() const {
    return m_queue->empty();
}

void OperationControl::handle(WorkerPost& post) {
    std::visit(
        [this](auto& message) {
            using T = std::decay_t<decltype(message)>;
            if constexpr (std::is_same_v<T, output::ResultRow>) {
                m_services.results.AppendRow(std::move(message));
            } else if constexpr (std::is_same_v<T, ResultRecord>) {
                appendRecord(message);
            } else if constexpr (std::is_same_v<T, ContPingDone>) {
                if (m_continuous)
                    m_continuous->OnContPingDone();
            } else if constexpr (std::is_same_v<T, PingAgain>) {
                pingAgainOnceGone();
            } else if constexpr (std::is_same_v<T, BeepRequest>) {
                m_services.frontEnd.beep();
            } else if constexpr (std::is_same_v<T, PathSnapshot>) {
                const PathSnapshot shown = m_pathFeed.take(std::move(message));
                if (shown.final)
                    PathReport(shown, m_services.results, m_recordSink);
            } else {
                reportNoEchoHandle(m_services.frontEnd, m_services.results, *message.workerText,
                                   output::text(res::kProductName), MessageIcon::Exclamation);
            }
        },
        post.message);
}

void OperationControl::setStatus(const QString& text) {
    m_state.status.set(text);
}

void OperationControl::refuseToRun() {
    m_lastOutcome = OperationOutcome::NotRun;
    if (m_state.flags.m_bContPingActive && m_continuous)
        m_continuous->OnRunInterrupted();
}

WorkerContext OperationControl::workerContext(Worker worker) {
    const settings::LiveOptions& options = m_services.options;
    WorkerStart start{m_strHost,
                      m_dwTargetAddr.value_or(net::IpAddress()),
                      m_state.m_dwShownAddr,
                      m_bHostResolved,
                      echoRequestData(pingDataText(options.text(OptionId::PingString))),
                      options.isOn(OptionId::Fragment),
                      settings::addressFamilyOf(options.number(OptionId::AddressFamily))};
    return {std::move(start),
            WorkerFlags(m_state.flags, worker),
            m_state.status,
            m_state.m_dwShownAddr,
            m_state.m_hICMPHandle,
            m_state.m_hICMP6Handle,
            options,
            m_services.icmp,
            *m_link,
            &m_services.sockets,
            &m_lastOutcome};
}

bool OperationControl::idle() const {
    const OperationFlags& f = m_state.flags;
    return !f.anyBusy() && !f.m_bContPingActive && m_hAsyncLookup == 0;
}

bool OperationControl::waitUntilIdle() {
    const bool idleNow = waitForFlags(m_state.flags, [this] { return idle(); });
    drainWorkerQueue();
    return idleNow;
}

CommandUi OperationControl::commandUi(CommandId command, bool seqScanAddressEmpty,
                                      bool listScanListEmpty) const {
    return operationCommandUi(command, {m_state.flags.snapshot(), seqScanAddressEmpty, listScanListEmpty});
}

void OperationControl::setRecordSink(RecordSink sink) {
    assertGuiThread();
    m_recordSink = std::move(sink);
    m_takesRecords = bool(m_recordSink);
}

void OperationControl::appendRecord(const ResultRecord& record) {
    assertGuiThread();
    drainWorkerQueue(); // the workers' records handed over before it come first
    if (m_recordSink)
        m_recordSink(record);
}

bool OperationControl::startWorker(const WorkerBody& body, Worker worker, const QString& failureText) {
    assertGuiThread();
    OperationFlags& flags = m_state.flags;
    if (flags.m_bShuttingDown) {
        // Nothing starts while the program exits (a lookup that completes during the close).
        refuseToRun();
        flags.workerNotStarted();
        return false;
    }
    if (flags.workerAlive(worker)) {
        // One worker of a kind at a time: the one alive goes on, and this command does not run.
        refuseToRun();
        flags.workerNotStarted();
        return false;
    }
    // Alive from before its first step: the close sequence waits for it from the start.
    flags.workerStarted(worker);
    if (!body || !m_workers.start([body, context = workerContext(worker)] { body(context); })) {
        flags.workerFinished(worker);
        refuseToRun();
        m_services.frontEnd.showMessageBox(output::text(res::kProductName), failureText,
                                           MessageIcon::Exclamation);
        // Nothing runs: the flags end as after a worker's end, so the commands work again.
        m_state.flags.workerNotStarted();
        setStatus(output::text(res::kReady));
        m_services.frontEnd.RefreshCommandUI();
        return false;
    }
    return true;
}

void OperationControl::startPingWorker() {
    startWorker([](const WorkerContext& context) { PingThread(context); }, Worker::Ping,
                output::text(res::kPingThreadFailed));
}

void OperationControl::cancelPendingLookupForCommand() {
    if (m_hAsyncLookup == 0)
        return;
    CancelLookup();
    m_state.flags.lookupCancelledByCommand();
    m_services.frontEnd.RefreshCommandUI();
}

void OperationControl::pingAgainOnceGone() {
    assertGuiThread();
    m_pingAgainPending = !m_state.flags.m_bShuttingDown;
    startPendingPingAgain();
}

void OperationControl::startPendingPingAgain() {
    // The ping worker that asked may still be clearing its flag: the flags' next change tries again.
    if (!m_pingAgainPending || workerLeaving())
        return;
    m_pingAgainPending = false;
    OnPing();
}

void OperationControl::beginClose() {
    assertGuiThread();
    m_state.flags.beginShutdown();
    m_pingAgainPending = false;
    m_pathFeed.stop();
    // A pending lookup is forgotten rather than waited for: a slow name service cannot hold the close.
    if (m_hAsyncLookup != 0) {
        m_services.sockets.WSACancelAsyncRequest(m_hAsyncLookup);
        m_hAsyncLookup = 0;
        m_state.flags.lookupEnded();
    }
}

void OperationControl::OnPing(bool direct) {
    assertGuiThread();
    OperationFlags& f = m_state.flags;
    if (f.m_bShuttingDown)
        return; // the program exits: no command starts, and the workers are stopping anyway
    if (direct && !commandUi(CommandId::PingButton).enabled)
        return; // another operation runs: never a second worker beside it
    if (f.m_bPing) {
        f.requestCancel();
        if (m_hAsyncLookup != 0) {
            // The ping never started: the lookup's cancel is all there is to report, and it leaves "Ready".
            cancelPendingLookupForCommand();
            return;
        }
        setStatus(output::text(res::kCancelingPing));
        f.requestCancel();
        m_services.frontEnd.RefreshCommandUI();
        m_services.results.AppendRow(output::makeRow(ResultKind::Red, res::kCancelingPingLine));
        return;
    }
    if (f.m_bContPingActive) {
        if (m_continuous)
            m_continuous->CancelContinuousPing();
        return;
    }
    if (workerLeaving())
        return;
    closeEchoHandleInFlight();
    m_bHostResolved = false;
    m_lastOutcome = OperationOutcome::None;
    if (m_services.options.isOn(OptionId::ContPing) && m_continuous)
        m_continuous->StartContinuousPing(); // it starts Operation::ContinuousPing
    else
        f.startOperation(Operation::Ping);
    StartOperation();
}

void OperationControl::OnTrace() {
    assertGuiThread();
    OperationFlags& f = m_state.flags;
    if (f.m_bShuttingDown)
        return;
    if (!f.m_bTrace) {
        if (workerLeaving())
            return;
        m_bHostResolved = false;
        m_lastOutcome = OperationOutcome::None;
        f.startOperation(Operation::Trace);
        closeEchoHandleInFlight();
        StartOperation();
        return;
    }
    f.requestCancel();
    if (m_hAsyncLookup != 0) {
        cancelPendingLookupForCommand(); // the trace never started
        return;
    }
    m_services.results.AppendRow(output::makeRow(ResultKind::Red, res::kCancelingTraceLine));
    setStatus(output::text(res::kCancellingTrace));
    m_services.frontEnd.RefreshCommandUI();
}

void OperationControl::OnLookup() {
    assertGuiThread();
    OperationFlags& f = m_state.flags;
    if (f.m_bShuttingDown)
        return;
    if (f.m_bLookup) {
        cancelPendingLookupForCommand();
        f.requestCancel();
        return;
    }
    f.startOperation(Operation::Lookup);
    m_lastOutcome = OperationOutcome::None;
    StartOperation();
}

void OperationControl::OnListScan(const QStringList& hosts) {
    assertGuiThread();
    OperationFlags& f = m_state.flags;
    if (f.m_bShuttingDown)
        return;
    if (f.m_bListScan) {
        cancelListScan();
        return;
    }
    // Refused while the menu item is disabled (another operation runs; the list is not looked at), and
    // while the last ListScan worker is still on its way out.
    if (!commandUi(CommandId::ListScanMenu).enabled || workerLeaving())
        return;
    closeEchoHandleInFlight();
    m_lastOutcome = OperationOutcome::None;
    m_bHostResolved = false;
    f.startOperation(Operation::ListScan);
    m_services.results.AppendRow(
        output::makeStampedRow(ResultKind::Bold, res::kListScanStartLine, QString()));
    // The worker scans the list as it is now; changes to it from here on are for the next scan.
    const WorkerBody scan = [hosts](const WorkerContext& context) { ListScanThread(context, hosts); };
    startWorker(scan, Worker::ListScan, output::text(res::kListScanThreadFailed));
}

void OperationControl::cancelListScan() {
    cancelPendingLookupForCommand();
    m_state.flags.requestCancel();
    // The request in flight runs to its reply or timeout; the worker stops at its next test.
    setStatus(output::text(res::kCancellingListScan));
    m_services.frontEnd.RefreshCommandUI();
}

bool OperationControl::CheckSeqScanAddresses() {
    assertGuiThread();
    return checkSeqScanRange(m_services.options, m_state.status, m_services.frontEnd);
}

void OperationControl::OnSeqScan() {
    assertGuiThread();
    OperationFlags& f = m_state.flags;
    // Refused while the menu item is disabled: another operation runs (the octets are checked below).
    if (f.m_bShuttingDown || !commandUi(CommandId::SeqScanMenu).enabled)
        return;
    if (f.m_bSeqScan) {
        setStatus(output::text(res::kCancellingSeqScan));
        m_services.frontEnd.RefreshCommandUI();
        cancelPendingLookupForCommand();
        f.requestCancel(); // the worker stops after its current request
        return;
    }
    if (workerLeaving())
        return;
    if (!CheckSeqScanAddresses()) {
        refuseToRun();
        return;
    }
    SeqScanJob job{correctedOctets(settings::SeqScanOctets::fromOptions(m_services.options)),
                   m_services.options.number(OptionId::SeqScanPackets),
                   m_services.options.number(OptionId::SeqScanTimeout20),
                   m_services.options.isOn(OptionId::SeqScanShowFail),
                   m_services.options.number(OptionId::ParallelProbes)};
    f.startOperation(Operation::SeqScan);
    m_bHostResolved = false;
    m_lastOutcome = OperationOutcome::None;
    closeEchoHandleInFlight();
    m_services.results.AppendRow(output::makeStampedRow(ResultKind::Bold, res::kSeqScanStartLine, QString()));
    startWorker([job](const WorkerContext& context) { SeqScanThread(context, job); }, Worker::SeqScan,
                output::text(res::kSeqScanThreadFailed));
}

void OperationControl::OnPathMonitor(unsigned rounds) {
    assertGuiThread();
    OperationFlags& f = m_state.flags;
    if (f.m_bShuttingDown)
        return;
    if (f.m_bPathMonitor) {
        f.requestCancel(); // the worker stops at its next look, with its report
        if (m_hAsyncLookup != 0) {
            cancelPendingLookupForCommand(); // the monitor never started
            return;
        }
        setStatus(output::text(res::kStoppingPathMonitor));
        m_services.frontEnd.RefreshCommandUI();
        return;
    }
    if (!commandUi(CommandId::PathMonitorMenu).enabled || workerLeaving())
        return;
    m_pathRounds = rounds;
    m_bHostResolved = false;
    m_lastOutcome = OperationOutcome::None;
    f.startOperation(Operation::PathMonitor);
    closeEchoHandleInFlight();
    StartOperation();
}

bool OperationControl::workerLeaving() const {
    const OperationFlags& f = m_state.flags;
    return f.m_bPingThread || f.m_bTraceThread || f.m_bContPingThread || f.m_bListScanThread ||
           f.m_bSeqScanThread || f.m_bPathMonitorThread;
}

void OperationControl::closeEchoHandleInFlight() {
    assertGuiThread();
    closeEchoHandlesInFlight(m_services.icmp, m_state);
}

void OperationControl::rejectEmptyHost() {
    refuseToRun();
    m_state.flags.hostEmpty();
    OperationFrontEnd& frontEnd = m_services.frontEnd;
    const QString inputError = output::text(res::kInputErrorCaption);
    const QString enterHost = output::text(res::kEnterHostFirst);
    if (!frontEnd.balloonTipsEnabled())
        frontEnd.showMessageBox(output::text(res::kWarningCaption), enterHost, MessageIcon::Error);
    else if (!frontEnd.showHostBalloonTip(inputError, enterHost))
        frontEnd.showMessageBox(inputError, enterHost, MessageIcon::Error);
}

void OperationControl::StartOperation() {
    assertGuiThread();
    if (m_state.flags.m_bShuttingDown)
        return;
    m_strHost.clear();
    const HostText typed = cleanHostText(m_services.frontEnd.hostBoxText());
    if (typed.problem == HostText::Problem::Empty) {
        rejectEmptyHost();
        return;
    }
    m_strHost = typed.host;
    if (typed.problem != HostText::Problem::None) {
        m_services.frontEnd.showMessageBox(output::text(res::kInputErrorCaption),
                                           output::text(typed.problem == HostText::Problem::TooLong
                                                            ? res::kHostTooLong
                                                            : res::kHostControlCharacter),
                                           MessageIcon::Error);
        m_state.flags.hostTooLong();
        m_lastOutcome = OperationOutcome::NotRun;
        return;
    }
    m_services.frontEnd.addHostToHistory(m_strHost, m_services.options.isOn(OptionId::Sort));

    m_dwTargetAddr = net::IpAddress::parse(m_strHost.toLocal8Bit().toStdString());
    const int refusal =
        m_dwTargetAddr ? net::literalRefusal(*m_dwTargetAddr, resolvePolicy(m_services.options)) : 0;
    if (refusal != 0) {
        // An address of the family the option leaves out fails as a name without such an address.
        m_dwTargetAddr.reset();
        announceNameLookup(m_strHost);
        OnLookupDone(0, refusal, net::HostEntry{});
    } else if (!m_dwTargetAddr) {
        requestNameLookup(m_strHost);
    } else {
        startResolvedOperation(m_strHost);
    }
    m_services.frontEnd.returnFocusToHostBox();
}

void OperationControl::announceNameLookup(const QString& host) {
    if (m_state.flags.m_bLookup) {
        setStatus(fill(res::kPerformingLookup, host));
        m_services.results.AppendRow(output::startRow(res::kLookupStartLine, host));
    } else {
        setStatus(fill(res::kLookingUpAddressQuoted, host));
        if (!m_services.options.isOn(OptionId::ContPing))
            m_services.results.AppendRow(output::makeRow(ResultKind::Plain, res::kLookingUpLine, host));
    }
    m_services.frontEnd.RefreshCommandUI();
}

void OperationControl::requestNameLookup(const QString& host) {
    announceNameLookup(host);
    m_hAsyncLookup = m_services.sockets.WSAAsyncGetHostByName(
        host.toLocal8Bit().toStdString(),
        [this](net::AsyncLookupHandle request, int error, const net::HostEntry& entry) {
            OnLookupDone(request, error, entry);
        },
        resolvePolicy(m_services.options));
    if (m_hAsyncLookup == 0) {
        const int error = net::WSAGetLastError();
        refuseToRun();
        m_services.results.AppendRow(
            output::makeRow(ResultKind::Red, res::kLookupRequestFailedLine, errorText(error)));
        m_state.flags.lookupEnded();
    }
}

bool OperationControl::startSelectedWorker(const QString& host) {
    if (m_state.flags.m_bPing) {
        m_services.results.AppendRow(output::startRow(res::kPingStartLine, host));
        startPingWorker();
        return true;
    }
    if (m_state.flags.m_bTrace) {
        m_services.results.AppendRow(output::startRow(res::kTraceStartLine, host));
        startWorker([](const WorkerContext& context) { TraceThread(context); }, Worker::Trace,
                    output::text(res::kTraceThreadFailed));
        return true;
    }
    if (m_state.flags.m_bPathMonitor) {
        const settings::LiveOptions& options = m_services.options;
        const PathMonitorJob job{
            options.number(OptionId::Hops), std::uint32_t(options.number(OptionId::Timeout)) * 1000u,
            std::chrono::milliseconds(options.number(OptionId::PathMonitorInterval) * 100), m_pathRounds};
        m_services.results.AppendRow(output::startRow(res::kPathMonitorStartLine, host));
        m_pathFeed.begin();
        startWorker([job](const WorkerContext& context) { PathMonitorThread(context, job); },
                    Worker::PathMonitor, output::text(res::kPathMonitorThreadFailed));
        return true;
    }
    return false;
}

void OperationControl::startContinuousPingWorkerIfOn() {
    if (m_services.options.isOn(OptionId::ContPing) || m_state.flags.m_bContPingActive)
        startWorker(m_continuous ? WorkerBody([run = m_continuous](const WorkerContext& context) {
                        run->ContPingThread(context);
                    })
                                 : WorkerBody(),
                    Worker::ContinuousPing, output::text(res::kPingThreadFailed));
}

void OperationControl::startResolvedOperation(const QString& host) {
    if (startSelectedWorker(host))
        return;
    if (m_state.flags.m_bLookup) {
        m_services.results.AppendRow(output::startRow(res::kLookupStartLine, host));
        m_hAsyncLookup = m_services.sockets.WSAAsyncGetHostByAddr(
            *m_dwTargetAddr, [this](net::AsyncLookupHandle request, int error, const net::HostEntry& entry) {
                OnLookupDone(request, error, entry);
            });
        if (m_hAsyncLookup == 0) {
            m_services.results.AppendRow(output::makeRow(
                ResultKind::Red, res::kReverseLookupRequestFailedLine, errorText(net::WSAGetLastError())));
            m_state.flags.lookupEnded();
            m_lastOutcome = OperationOutcome::NotRun;
        }
    } else {
        startContinuousPingWorkerIfOn();
    }
}

void OperationControl::OnLookupDone(net::AsyncLookupHandle, int error, const net::HostEntry& entry) {
    assertGuiThread();
    OperationFlags& f = m_state.flags;
    // A host entry without an address is of no use to any operation: it fails like a name without data.
    if (error == 0 && entry.h_addr_list.empty())
        error = net::WSANO_DATA;
    if (error != 0) {
        // A name that does not resolve leaves nothing to run; an address without a name is a lookup
        // that ran and found nothing.
        const bool reverse = f.m_bLookup && m_dwTargetAddr.has_value();
        refuseToRun();
        if (reverse)
            m_lastOutcome = OperationOutcome::Failed;
        setStatus(output::text(res::kReady));
        m_services.results.AppendRow(
            output::makeRow(ResultKind::Red, res::kLookupFailedLine, errorText(error)));
        m_services.frontEnd.returnFocusToHostBox();
        f.lookupEnded();
    } else {
        m_state.m_dwShownAddr = entry.h_addr_list.front();
        m_dwTargetAddr = entry.h_addr_list.front();
        m_bHostResolved = true;
        if (!startSelectedWorker(m_strHost)) {
            if (f.m_bLookup)
                reportLookup(entry);
            else
                startContinuousPingWorkerIfOn();
        }
    }
    m_hAsyncLookup = 0;
    f.lookupCompleted();
    m_services.frontEnd.RefreshCommandUI();
}

void OperationControl::reportLookup(const net::HostEntry& entry) {
    LookupReport(entry, m_state, m_services.results, m_recordSink);
    m_lastOutcome = OperationOutcome::Succeeded;
    setStatus(output::text(res::kReady));
    m_services.frontEnd.returnFocusToHostBox();
    m_state.flags.lookupReported();
}

void OperationControl::CancelLookup() {
    assertGuiThread();
    if (m_hAsyncLookup == 0) {
        m_services.results.AppendRow(output::makeRow(ResultKind::Red, res::kNoLookupInProgressLine));
    } else if (m_services.sockets.WSACancelAsyncRequest(m_hAsyncLookup) != 0) {
        m_services.results.AppendRow(output::makeRow(ResultKind::Red, res::kCancelLookupFailedLine,
                                                     errorText(net::WSAGetLastError())));
    } else {
        m_services.results.AppendRow(output::makeRow(ResultKind::Red, res::kLookupCanceledLine));
    }
    m_hAsyncLookup = 0;
    m_lastOutcome = OperationOutcome::Failed;
    m_state.flags.lookupEnded();
    m_services.frontEnd.returnFocusToHostBox();
    setStatus(output::text(res::kReady));
}

void OperationControl::StartLocalHostLookup(const QString& localName) {
    assertGuiThread();
    // A refused request is not reported: the program simply goes without the local host's title.
    m_hLocalHostLookup = m_services.sockets.WSAAsyncGetHostByName(
        localName.toLocal8Bit().toStdString(),
        [this](net::AsyncLookupHandle, int error, const net::HostEntry& entry) {
            OnLocalHostLookupDone(error, entry);
        },
        resolvePolicy(m_services.options));
}

void OperationControl::OnLocalHostLookupDone(int error, const net::HostEntry& entry) {
    m_hLocalHostLookup = 0;
    if (error == 0 && entry.h_addr_list.empty())
        error = net::WSANO_DATA;
    if (error != 0) {
        m_services.results.AppendRow(
            output::makeRow(ResultKind::Red, res::kLocalLookupFailedLine, errorText(error)));
    } else {
        m_state.m_dwShownAddr = entry.h_addr_list.front();
        m_services.frontEnd.reportLocalHost(entry);
    }
    if (!m_state.flags.anyBusy() && m_hAsyncLookup == 0)
        setStatus(output::text(res::kReady));
    m_services.frontEnd.RefreshCommandUI();
}

} // namespace vantrel::ops
