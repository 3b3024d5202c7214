#include "app/DesktopOperations.h"

#include "app/CMainFrame.h"
#include "log/ResultPipeline.h"
#include "net/AddressText.h"
#include "net/WinsockErrors.h"
#include "ops/WinsockReports.h"
#include "text/MessageTexts.h"

#include <QMessageBox>
#include <QScopeGuard>

namespace vantrel::app {

DesktopOperations::DesktopOperations(const FrameMaker& makeFrame, DesktopNetwork network)
    : m_session(
          [&](settings::LiveOptions& options, ops::OperationState& state) {
              m_frame = &makeFrame(options, state);
              return ops::OperationsSession::FrontEnd{*m_frame, m_frame->resultPipeline()};
          },
          std::move(network))
    , m_ispinger(*m_frame, m_session.ispinger())
    , m_plotFeed(m_frame->roundTripPlot(), m_session.control(), m_session.ispinger())
    , m_watch(*m_frame, m_frame->watchPane(), m_session.icmp(), m_session.names())
    , m_pathMonitor(*m_frame, m_plotFeed) {
    control().setPathMonitorView(&m_pathMonitor);
    QObject::connect(m_frame, &CMainFrame::operationCommand, &m_frameLinks,
                     [this](ops::CommandId command) { runCommand(command); });
    QObject::connect(m_frame, &CMainFrame::closing, &m_frameLinks, [this] { control().beginClose(); });
    QObject::connect(m_frame, &CMainFrame::shuttingDown, &m_frameLinks, [this] { shutDown(); });
    QObject::connect(m_frame, &CMainFrame::aboutWinsockRequested, &m_frameLinks, [this] {
        for (const output::ResultRow& line : ops::aboutWinsockReport(m_winsock.data()))
            appendLine(line);
    });
}

DesktopOperations::~DesktopOperations() {
    control().setPathMonitorView(nullptr);
}

void DesktopOperations::appendLine(const output::ResultRow& line) {
    m_frame->resultPipeline().AppendRow(line);
}

void DesktopOperations::start() {
    // The watch list comes after the start-up report, however that ends.
    const auto loadWatch = qScopeGuard([this] { m_watch.load(); });
    if (!m_winsock.Start()) {
        appendLine(ops::winsockStartupFailedLine(m_winsock.startResult()));
        return;
    }
    m_started = true;
    if (!m_winsock.hasExpectedVersion())
        QMessageBox::warning(m_frame, output::text(output::res::kProductName),
                             output::text(output::res::kWrongWinsockVersion));
    m_session.state().status.set(ops::winsockStartedStatus(m_winsock.data()));
    appendLine(ops::winsockStartedLine(m_winsock.data()));

    const std::optional<std::string> name = net::gethostname();
    if (!name) {
        const int error = net::WSAGetLastError();
        appendLine(ops::localHostNameFailedLine(error));
        m_session.state().status.set(ops::localHostNameFailedStatus(error));
    }
    control().StartLocalHostLookup(QString::fromLocal8Bit(name.value_or(std::string())));
    m_frame->RefreshCommandUI();
}

namespace {

enum class Operation { Ping, Lookup, Trace, SeqScan, ListScan, PathMonitor };

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
    case ops::CommandId::PathMonitorButton:
    case ops::CommandId::PathMonitorMenu:
        return Operation::PathMonitor;
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
        control().OnPing(true);
        break;
    case Operation::Lookup:
        control().OnLookup();
        break;
    case Operation::Trace:
        control().OnTrace();
        break;
    case Operation::SeqScan:
        control().OnSeqScan();
        break;
    case Operation::ListScan:
        control().OnListScan(m_frame->listScanAddresses());
        break;
    case Operation::PathMonitor:
        control().OnPathMonitor();
        break;
    }
}

void DesktopOperations::shutDown() {
    m_watch.stop();
    control().joinWorkers();
    // What the workers handed over on their way out is shown and logged before the log closes.
    control().drainWorkerQueue();
    control().closeEchoHandleInFlight();
    if (m_started && !m_winsock.Stop()) {
        const QString text = ops::winsockCleanupFailureText(net::WSAGetLastError());
        m_session.state().status.set(text);
        m_frame->showMessageBox(output::text(output::res::kShutdownErrorCaption), text,
                                ops::MessageIcon::Error);
    }
    m_started = false;
}

} // namespace vantrel::app
