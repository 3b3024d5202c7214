#include "app/DesktopOperations.h"

#include "app/CMainFrame.h"
#include "log/ResultPipeline.h"
#include "net/AddressText.h"
#include "net/IcmpApi.h"
#include "net/SystemHostDatabase.h"
#include "net/WinsockErrors.h"
#include "ops/WinsockReports.h"
#include "text/MessageTexts.h"
#include "ui/CNxPingOptionsPaneDialog.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>

namespace vantrel::app {

DesktopOperations::DesktopOperations(CMainFrame& frame, DesktopNetwork network)
    : m_frame(frame)
    , m_icmp(std::move(network.icmp))
    , m_sockets(network.names ? std::move(network.names) : std::make_shared<net::SystemHostDatabase>())
    , m_control({frame.operationState(), frame.options(), m_icmp, m_sockets, frame, frame.resultPipeline()})
    , m_continuousPing(m_control, frame, frame.resultPipeline(), frame.options())
    , m_ispinger(frame, {frame.flags(), frame.options(), m_icmp, m_sockets, frame, frame.resultPipeline()})
    , m_plotFeed(frame.roundTripPlot(), m_control, m_ispinger.ispinger()) {
    m_continuousPing.setIntervalSource([this] { return shownInterval(); });
    m_control.hooks().localHostReport = [this](const net::HostEntry& entry) { reportLocalHost(entry); };
    m_frame.setOperationHandler([this](ops::CommandId command) { runCommand(command); });
    m_frame.setClosingHook([this] { m_control.beginClose(); });
    m_frame.setShutdownHook([this] { shutDown(); });
    m_frame.setRangeCheck([this] { return m_control.CheckSeqScanAddresses(); });
    m_frame.setAboutWinsock([this] {
        for (const output::ResultRow& line : ops::aboutWinsockReport(m_winsock.data()))
            appendLine(line);
    });
}

DesktopOperations::~DesktopOperations() {
    m_frame.setOperationHandler({});
    m_frame.setClosingHook({});
    m_frame.setShutdownHook({});
    m_frame.setRangeCheck({});
    m_frame.setAboutWinsock({});
}

std::optional<int> DesktopOperations::shownInterval() const {
    return m_frame.pingOptionsPane()->continuousPingInterval();
}

void DesktopOperations::appendLine(const output::ResultRow& line) {
    m_frame.resultPipeline().AppendRow(line);
}

void DesktopOperations::start() {
    if (!m_winsock.Start()) {
        appendLine(ops::winsockStartupFailedLine(m_winsock.startResult()));
        return;
    }
    m_started = true;
    if (!m_winsock.hasExpectedVersion())
        QMessageBox::warning(&m_frame, output::text(output::res::kProductName),
                             output::text(output::res::kWrongWinsockVersion));
    m_frame.status().set(ops::winsockStartedStatus(m_winsock.data()));
    appendLine(ops::winsockStartedLine(m_winsock.data()));

    const std::optional<std::string> name = net::gethostname();
    if (!name) {
        const int error = net::WSAGetLastError();
        appendLine(ops::localHostNameFailedLine(error));
        m_frame.status().set(ops::localHostNameFailedStatus(error));
    }
    m_control.StartLocalHostLookup(QString::fromLocal8Bit(name.value_or(std::string())));
    m_frame.RefreshCommandUI();
}

namespace {

enum class Operation { Ping, Lookup, Trace, SeqScan, ListScan };

// The operation a command runs.
std::optional<Operation> operationOf(ops::CommandId command) {
    switch (command) {
    case ops::CommandId::PingButton:
    case ops::CommandId::PingMenu:
        return Operation::Ping;
    case ops::CommandId::LookupButton:
    case ops::CommandId::LookupMenu:
        return Operation::Lookup;
    case ops::CommandId::TraceButton:
    case ops::CommandId::TraceMenu:
        return Operation::Trace;
    case ops::CommandId::SeqScanButton:
    case ops::CommandId::SeqScanMenu:
        return Operation::SeqScan;
    case ops::CommandId::ListScanButton:
    case ops::CommandId::ListScanMenu:
        return Operation::ListScan;
    default:
        return std::nullopt;
    }
}

} // namespace

void DesktopOperations::runCommand(ops::CommandId command) {
    const std::optional<Operation> operation = operationOf(command);
    if (!operation)
        return;
    switch (*operation) {
    case Operation::Ping:
        // Also the Enter key's way in: like the button, it does nothing beside another operation.
        m_control.OnPing(true);
        break;
    case Operation::Lookup:
        m_control.OnLookup();
        break;
    case Operation::Trace:
        m_control.OnTrace();
        break;
    case Operation::SeqScan:
        m_control.OnSeqScan();
        break;
    case Operation::ListScan:
        m_control.OnListScan(m_frame.listScanAddresses());
        break;
    }
}

void DesktopOperations::reportLocalHost(const net::HostEntry& entry) {
    m_frame.setWindowTitle(ops::localHostTitle(entry));
    for (std::size_t i = 1; i < entry.h_addr_list.size(); ++i)
        m_frame.operationState().m_dwShownAddr = entry.h_addr_list[i];
    for (const output::ResultRow& line : ops::additionalLocalAddressLines(entry))
        appendLine(line);
}

void DesktopOperations::shutDown() {
    m_control.joinWorkers();
    // What the workers handed over on their way out is shown and logged before the log closes.
    m_control.drainWorkerQueue();
    const net::IcmpHandle handle = m_frame.operationState().m_hICMPHandle.exchange(net::INVALID_HANDLE_VALUE);
    if (handle != net::INVALID_HANDLE_VALUE)
        m_icmp.IcmpCloseHandle(handle);
    if (m_started && !m_winsock.Stop()) {
        const QString text = ops::winsockCleanupFailureText(net::WSAGetLastError());
        m_frame.status().set(text);
        m_frame.showMessageBox(output::text(output::res::kShutdownErrorCaption), text,
                               ops::MessageIcon::Error);
    }
    m_started = false;
}

} // namespace vantrel::app
