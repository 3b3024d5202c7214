#pragma once

#include "app/DesktopISPinger.h"
#include "app/RoundTripPlotFeed.h"
#include "net/CWinsock.h"
#include "net/IcmpApi.h"
#include "net/SocketLibrary.h"
#include "ops/ContinuousPing.h"
#include "ops/OperationControl.h"

#include <optional>

namespace vantrel::app {

class CMainFrame;

// The network behind the desktop's operations: the system's echo service and name service, unless a
// test binds scripted ones.
struct DesktopNetwork {
    net::IcmpApi icmp = net::IcmpApi::builtIn();
    std::shared_ptr<net::HostDatabase> names; // the system's when empty
};

// The desktop's operations: the socket services with their start-up report and the local host's
// lookup, and operation control behind the frame's operation commands. Made once the frame exists;
// the frame's close sequence stops the socket services and releases the echo handle through it.
class DesktopOperations {
public:
    explicit DesktopOperations(CMainFrame& frame, DesktopNetwork network = {});
    ~DesktopOperations();
    DesktopOperations(const DesktopOperations&) = delete;
    DesktopOperations& operator=(const DesktopOperations&) = delete;

    // The start-up report and the local-host lookup.
    void start();
    ops::OperationControl& control() { return m_control; }
    ops::ISPinger& ispinger() { return m_ispinger.ispinger(); }

private:
    void runCommand(ops::CommandId command);
    void reportLocalHost(const net::HostEntry& entry);
    void shutDown();
    void appendLine(const output::ResultRow& line);
    std::optional<int> shownInterval() const;

    CMainFrame& m_frame;
    net::IcmpApi m_icmp;
    net::CWinsock m_winsock;
    net::SocketLibrary m_sockets;
    ops::OperationControl m_control;
    ops::ContinuousPing m_continuousPing; // after the control, whose hooks it sets
    DesktopISPinger m_ispinger;
    RoundTripPlotFeed m_plotFeed; // after the control and ISPinger, whose records it takes
    bool m_started = false;
};

} // namespace vantrel::app
