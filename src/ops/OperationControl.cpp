#include "ops/OperationControl.h"

#include "net/AddressText.h"
#include "net/WinsockErrors.h"
#include "ops/EchoFailureRow.h"
#include "ops/LookupReport.h"
#include "ops/OperationFrontEnd.h"
#include "ops/PingThread.h"
#include "ops/TraceThread.h"
#include "output/MessageTexts.h"
#include "output/ResultPipeline.h"
#include "output/ResultTexts.h"
#include "settings/LiveOptions.h"

namespace vantrel::ops {

namespace {

using output::ResultKind;
using settings::OptionId;

namespace res = output::res;
using output::fill;
using output::RtfText;

constexpr qsizetype kLongestHost = 99;

RtfText errorText(int code) {
    return RtfText::escape(net::WinsockErrorText(code));
}

// The frame's link for its workers: every message is handled on the GUI thread while the worker waits.
class FrameWorkerLink final : public WorkerLink {
public:
    FrameWorkerLink(OperationControl& control, FrameDispatcher& dispatcher, OperationFrontEnd& frontEnd)
        : m_control(control)
        , m_dispatcher(dispatcher)
        , m_frontEnd(frontEnd) {}

    void SendResult(const ResultMessage& message) override {
        m_dispatcher.send([&] { m_control.appendResult(message); });
    }
    void SendStatus() override {
        m_dispatcher.send([&] { m_frontEnd.RefreshCommandUI(); });
    }
    void SendIcmpError(const IcmpErrorReport& report) override {
        m_dispatcher.send([&] { m_control.appendIcmpError(report); });
    }
    void SendContPingDone() override {
        m_dispatcher.send([&] {
            if (m_control.hooks().continuousPingDone)
                m_control.hooks().continuousPingDone();
        });
    }
    void SendPingAgain() override {
        m_dispatcher.send([&] { m_control.OnPing(); });
    }
    void ShowStandardMessage(const QString& text) override {
        m_dispatcher.send([&] {
            m_frontEnd.showMessageBox(output::text(res::kProductName), text, MessageIcon::Exclamation);
        });
    }
    void Beep() override {
        m_dispatcher.send([&] { m_frontEnd.beep(); });
    }

private:
    OperationControl& m_control;
    FrameDispatcher& m_dispatcher;
    OperationFrontEnd& m_frontEnd;
};

} // namespace

OperationControl::OperationControl(Services services)
    : m_services(std::move(services))
    , m_state(m_services.state) {
    m_link = std::make_unique<FrameWorkerLink>(*this, m_dispatcher, m_services.frontEnd);
    m_hooks.traceWorker = [this](const WorkerContext& context) { m_lastOutcome = TraceThread(context); };
    m_hooks.lookupReport = [this](const net::HostEntry& entry) {
        LookupReport(entry, m_state, m_services.results);
    };
}

OperationControl::~OperationControl() {
    // Workers still running stop at their next test; the state outlives them, as its owner made sure.
    m_state.flags.m_bShuttingDown = true;
    for (const net::AsyncLookupHandle pending : {m_hAsyncLookup, m_hLocalHostLookup})
        if (pending != 0)
            m_services.sockets.WSACancelAsyncRequest(pending);
    m_workers.joinAll();
}

void OperationControl::setStatus(const QString& text) {
    m_state.status.set(text);
}

void OperationControl::refuseToRun() {
    m_lastOutcome = OperationOutcome::NotRun;
    if (m_state.flags.m_bContPingActive && m_hooks.continuousPingInterrupted)
        m_hooks.continuousPingInterrupted();
}

void OperationControl::clearResolvingFlags() {
    OperationFlags& f = m_state.flags;
    f.m_bContPingActive = false;
    f.m_bLookup = false;
    f.m_bTrace = false;
    f.m_bPing = false;
}

CommandUi OperationControl::commandUi(CommandId command, bool seqScanAddressEmpty,
                                      bool listScanListEmpty) const {
    return operationCommandUi(command, {m_state.flags.snapshot(), seqScanAddressEmpty, listScanListEmpty});
}

void OperationControl::appendResult(const ResultMessage& message) {
    m_services.results.AppendResult(message.text, message.argument, message.kind);
}

void OperationControl::appendIcmpError(const IcmpErrorReport& report) {
    appendResult(echoFailureRow(report, m_services.options.isOn(OptionId::Fragment)));
}

bool OperationControl::startWorker(const std::function<void(const WorkerContext&)>& worker,
                                   const QString& failureText) {
    if (!worker || !m_workers.start([this, worker] { worker(workerContext()); })) {
        refuseToRun();
        m_services.frontEnd.showMessageBox(output::text(res::kProductName), failureText,
                                           MessageIcon::Exclamation);
        // Nothing runs: the flags end as after a worker's end, so the commands work again.
        m_state.flags.clearOperations();
        m_state.flags.m_bContPingActive = false;
        setStatus(output::text(res::kReady));
        m_services.frontEnd.RefreshCommandUI();
        return false;
    }
    return true;
}

void OperationControl::startPingWorker() {
    startWorker([this](const WorkerContext& context) { m_lastOutcome = PingThread(context); },
                output::text(res::kPingThreadFailed));
}

void OperationControl::cancelPendingLookupForCommand() {
    if (m_hAsyncLookup == 0)
        return;
    CancelLookup();
    m_state.flags.clearOperations();
    m_services.frontEnd.RefreshCommandUI();
}

void OperationControl::OnPing(bool direct) {
    OperationFlags& f = m_state.flags;
    if (direct && !commandUi(CommandId::PingButton).enabled)
        return; // another operation runs: never a second worker beside it
    if (f.m_bPing) {
        f.m_bCancel = true;
        if (m_hAsyncLookup != 0) {
            // The ping never started: the lookup's cancel is all there is to report, and it leaves "Ready".
            cancelPendingLookupForCommand();
            return;
        }
        setStatus(output::text(res::kCancelingPing));
        f.m_bCancel = true;
        m_services.frontEnd.RefreshCommandUI();
        m_services.results.AppendResult(fill(res::kCancelingPingLine), ResultKind::Red);
        return;
    }
    if (f.m_bContPingActive) {
        if (m_hooks.cancelContinuousPing)
            m_hooks.cancelContinuousPing();
        return;
    }
    if (f.m_bPingThread || f.m_bTraceThread || f.m_bContPingThread)
        return; // the last worker is still on its way out; it cannot share the echo handle
    // No worker uses the echo handle between operations; one the last worker failed to close is closed
    // here rather than left open.
    const net::IcmpHandle stale = m_state.m_hICMPHandle.exchange(net::INVALID_HANDLE_VALUE);
    if (stale != net::INVALID_HANDLE_VALUE)
        m_services.icmp.IcmpCloseHandle(stale);
    f.m_bCancel = false;
    m_state.m_bHostResolved = 0;
    m_lastOutcome = OperationOutcome::None;
    if (m_services.options.isOn(OptionId::ContPing) && m_hooks.startContinuousPing) {
        m_hooks.startContinuousPing();
    } else {
        f.m_bPing = true;
        f.m_bContPingActive = false;
    }
    StartOperation();
}

void OperationControl::OnTrace() {
    OperationFlags& f = m_state.flags;
    if (!f.m_bTrace) {
        if (f.m_bPingThread || f.m_bTraceThread || f.m_bContPingThread)
            return;
        f.m_bCancel = false;
        m_state.m_bHostResolved = 0;
        m_lastOutcome = OperationOutcome::None;
        f.m_bTrace = true;
        const net::IcmpHandle stale = m_state.m_hICMPHandle.exchange(net::INVALID_HANDLE_VALUE);
        if (stale != net::INVALID_HANDLE_VALUE)
            m_services.icmp.IcmpCloseHandle(stale);
        StartOperation();
        return;
    }
    f.m_bCancel = true;
    if (m_hAsyncLookup != 0) {
        cancelPendingLookupForCommand(); // the trace never started
        return;
    }
    m_services.results.AppendResult(fill(res::kCancelingTraceLine), ResultKind::Red);
    setStatus(output::text(res::kCancellingTrace));
    m_services.frontEnd.RefreshCommandUI();
}

void OperationControl::OnLookup() {
    OperationFlags& f = m_state.flags;
    if (f.m_bLookup) {
        cancelPendingLookupForCommand();
        f.m_bCancel = true;
        return;
    }
    f.m_bSeqScan = false;
    f.m_bTrace = false;
    f.m_bPing = false;
    f.m_bLookup = true;
    m_lastOutcome = OperationOutcome::None;
    StartOperation();
}

void OperationControl::closeEchoHandleInFlight() {
    const net::IcmpHandle handle = m_state.m_hICMPHandle.exchange(net::INVALID_HANDLE_VALUE);
    if (handle != net::INVALID_HANDLE_VALUE)
        m_services.icmp.IcmpCloseHandle(handle);
}

void OperationControl::rejectEmptyHost() {
    refuseToRun();
    OperationFlags& f = m_state.flags;
    f.m_bContPingActive = false;
    f.m_bListScan = false;
    f.m_bSeqScan = false;
    f.m_bLookup = false;
    f.m_bTrace = false;
    f.m_bPing = false;
    OperationFrontEnd& frontEnd = m_services.frontEnd;
    const QString inputError = output::text(res::kInputErrorCaption);
    const QString enterHost = output::text(res::kEnterHostFirst);
    if (!frontEnd.balloonTipsEnabled())
        frontEnd.showMessageBox(output::text(res::kWarningCaption), enterHost, MessageIcon::Error);
    else if (!frontEnd.showHostBalloonTip(inputError, enterHost))
        frontEnd.showMessageBox(inputError, enterHost, MessageIcon::Error);
}

void OperationControl::StartOperation() {
    m_state.setHost(QString());
    QString host = m_services.frontEnd.hostBoxText();
    // Blanks alone name no host either; they would only make a lookup of an empty name fail.
    if (host.trimmed().isEmpty()) {
        rejectEmptyHost();
        return;
    }
    host = host.trimmed();
    host.remove(QStringLiteral("http://"), Qt::CaseSensitive);
    m_state.setHost(host);
    if (host.size() > kLongestHost) {
        m_services.frontEnd.showMessageBox(output::text(res::kInputErrorCaption),
                                           output::text(res::kHostTooLong), MessageIcon::Error);
        m_state.flags.m_bLookup = false;
        m_state.flags.m_bTrace = false;
        m_state.flags.m_bPing = false;
        m_lastOutcome = OperationOutcome::NotRun;
        return;
    }
    m_services.frontEnd.addHostToHistory(host, m_services.options.isOn(OptionId::Sort));

    const net::IPAddr address = net::inet_addr(host.toLocal8Bit().toStdString());
    m_state.m_dwTargetAddr = address;
    if (address == net::kInaddrNone)
        requestNameLookup(host);
    else
        startResolvedOperation(host);
    m_services.frontEnd.returnFocusToHostBox();
}

void OperationControl::requestNameLookup(const QString& host) {
    if (m_state.flags.m_bLookup) {
        setStatus(fill(res::kPerformingLookup, host));
        m_services.results.AppendStartLine(output::startLine(res::kLookupStartLine, host));
    } else {
        setStatus(fill(res::kLookingUpAddressQuoted, host));
        if (!m_services.options.isOn(OptionId::ContPing))
            m_services.results.AppendResult(fill(res::kLookingUpLine, RtfText::escape(host)),
                                            ResultKind::Plain);
    }
    m_services.frontEnd.RefreshCommandUI();
    m_hAsyncLookup = m_services.sockets.WSAAsyncGetHostByName(
        host.toLocal8Bit().toStdString(),
        [this](net::AsyncLookupHandle request, int error, const net::HostEntry& entry) {
            OnLookupDone(request, error, entry);
        });
    if (m_hAsyncLookup == 0) {
        const int error = net::WSAGetLastError();
        refuseToRun();
        m_services.results.AppendResult(fill(res::kLookupRequestFailedLine, errorText(error)),
                                        ResultKind::Red);
        clearResolvingFlags();
    }
}

bool OperationControl::startSelectedWorker(const QString& host) {
    if (m_state.flags.m_bPing) {
        m_services.results.AppendStartLine(output::startLine(res::kPingStartLine, host));
        startPingWorker();
        return true;
    }
    if (m_state.flags.m_bTrace) {
        m_services.results.AppendStartLine(output::startLine(res::kTraceStartLine, host));
        startWorker(m_hooks.traceWorker, output::text(res::kTraceThreadFailed));
        return true;
    }
    return false;
}

void OperationControl::startContinuousPingWorkerIfOn() {
    if (m_services.options.isOn(OptionId::ContPing) || m_state.flags.m_bContPingActive)
        startWorker(m_hooks.continuousPingWorker, output::text(res::kPingThreadFailed));
}

void OperationControl::startResolvedOperation(const QString& host) {
    if (startSelectedWorker(host))
        return;
    if (m_state.flags.m_bLookup) {
        m_services.results.AppendStartLine(output::startLine(res::kLookupStartLine, host));
        m_hAsyncLookup = m_services.sockets.WSAAsyncGetHostByAddr(
            m_state.m_dwTargetAddr,
            [this](net::AsyncLookupHandle request, int error, const net::HostEntry& entry) {
                OnLookupDone(request, error, entry);
            });
        if (m_hAsyncLookup == 0) {
            m_services.results.AppendResult(
                fill(res::kReverseLookupRequestFailedLine, errorText(net::WSAGetLastError())),
                ResultKind::Red);
            clearResolvingFlags();
            m_lastOutcome = OperationOutcome::NotRun;
        }
    } else {
        startContinuousPingWorkerIfOn();
    }
}

void OperationControl::OnLookupDone(net::AsyncLookupHandle, int error, const net::HostEntry& entry) {
    OperationFlags& f = m_state.flags;
    // A host entry without an address is of no use to any operation: it fails like a name without data.
    if (error == 0 && entry.h_addr_list.empty())
        error = net::WSANO_DATA;
    if (error != 0) {
        // A name that does not resolve leaves nothing to run; an address without a name is a lookup
        // that ran and found nothing.
        const bool reverse = f.m_bLookup && m_state.m_dwTargetAddr != net::kInaddrNone;
        refuseToRun();
        if (reverse)
            m_lastOutcome = OperationOutcome::Failed;
        setStatus(output::text(res::kReady));
        m_services.results.AppendResult(fill(res::kLookupFailedLine, errorText(error)), ResultKind::Red);
        m_services.frontEnd.returnFocusToHostBox();
        clearResolvingFlags();
    } else {
        m_state.m_dwShownAddr = entry.h_addr_list.front();
        m_state.m_dwTargetAddr = entry.h_addr_list.front();
        m_state.m_bHostResolved = 1;
        if (!startSelectedWorker(m_state.host())) {
            if (f.m_bLookup)
                reportLookup(entry);
            else
                startContinuousPingWorkerIfOn();
        }
    }
    m_hAsyncLookup = 0;
    f.m_bLookup = false;
    m_services.frontEnd.RefreshCommandUI();
}

void OperationControl::reportLookup(const net::HostEntry& entry) {
    if (m_hooks.lookupReport)
        m_hooks.lookupReport(entry);
    m_lastOutcome = OperationOutcome::Succeeded;
    setStatus(output::text(res::kReady));
    m_services.frontEnd.returnFocusToHostBox();
    m_state.flags.m_bLookup = false;
    m_state.flags.m_bTrace = false;
    m_state.flags.m_bPing = false;
}

void OperationControl::CancelLookup() {
    if (m_hAsyncLookup == 0) {
        m_services.results.AppendResult(fill(res::kNoLookupInProgressLine), ResultKind::Red);
    } else if (m_services.sockets.WSACancelAsyncRequest(m_hAsyncLookup) != 0) {
        m_services.results.AppendResult(fill(res::kCancelLookupFailedLine, errorText(net::WSAGetLastError())),
                                        ResultKind::Red);
    } else {
        m_services.results.AppendResult(fill(res::kLookupCanceledLine), ResultKind::Red);
    }
    m_hAsyncLookup = 0;
    m_lastOutcome = OperationOutcome::Failed;
    clearResolvingFlags();
    m_services.frontEnd.returnFocusToHostBox();
    setStatus(output::text(res::kReady));
}

void OperationControl::StartLocalHostLookup(const QString& localName) {
    // A refused request is not reported: the program simply goes without the local host's title.
    m_hLocalHostLookup = m_services.sockets.WSAAsyncGetHostByName(
        localName.toLocal8Bit().toStdString(),
        [this](net::AsyncLookupHandle, int error, const net::HostEntry& entry) {
            OnLocalHostLookupDone(error, entry);
        });
}

void OperationControl::OnLocalHostLookupDone(int error, const net::HostEntry& entry) {
    m_hLocalHostLookup = 0;
    if (error == 0 && entry.h_addr_list.empty())
        error = net::WSANO_DATA;
    if (error != 0) {
        m_services.results.AppendResult(fill(res::kLocalLookupFailedLine, errorText(error)), ResultKind::Red);
    } else {
        m_state.m_dwShownAddr = entry.h_addr_list.front();
        if (m_hooks.localHostReport)
            m_hooks.localHostReport(entry);
    }
    if (!m_state.flags.anyBusy() && m_hAsyncLookup == 0)
        setStatus(output::text(res::kReady));
    m_services.frontEnd.RefreshCommandUI();
}

} // namespace vantrel::ops
