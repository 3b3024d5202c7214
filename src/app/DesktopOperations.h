#pragma once

#include "app/DesktopISPinger.h"
#include "app/DesktopPathMonitor.h"
#include "app/DesktopWatch.h"
#include "app/RoundTripPlotFeed.h"
#include "net/CWinsock.h"
#include "ops/OperationsSession.h"

#include <QObject>
#include <functional>
#include <optional>

namespace vantrel::app {

class CMainFrame;

// The network behind the desktop's operations: the system's echo service and name service, unless a
// test binds scripted ones.
using DesktopNetwork = ops::SessionNetwork;

// Thrown by a frame maker whose frame could not be built (the reason has been shown).
struct FrameNotCreated {};

// The desktop's operations: the operations session with the frame as its front end, the socket services
// with their start-up report and the local host's lookup, ISPinger in the window and the round-trip plot.
// The frame's operation commands and its close sequence reach the operations through its signals.
class DesktopOperations {
public:
    // Makes and builds the frame on the session's options and state; throws FrameNotCreated when it
    // could not.
    using FrameMaker = std::function<CMainFrame&(settings::LiveOptions&, ops::OperationState&)>;

    explicit DesktopOperations(const FrameMaker& makeFrame, DesktopNetwork network = {});
    ~DesktopOperations();
    DesktopOperations(const DesktopOperations&) = delete;
    DesktopOperations& operator=(const DesktopOperations&) = delete;

    // The start-up report and the local-host lookup.
    void start();
    ops::OperationControl& control() { return m_session.control(); }
    ops::ISPinger& ispinger() { return m_session.ispinger(); }

private:
    void runCommand(ops::CommandId command);
    void shutDown();
    void appendLine(const output::ResultRow& line);

    CMainFrame* m_frame = nullptr; // made by the session's front-end maker, owned by the caller
    net::CWinsock m_winsock;
    ops::OperationsSession m_session;
    DesktopISPinger m_ispinger;
    RoundTripPlotFeed m_plotFeed; // after the session, whose records it takes
    DesktopWatch m_watch;
    DesktopPathMonitor m_pathMonitor; // shown to the operations while both exist
    QObject m_frameLinks;             // the frame's signals to the operations, cut when these go
    bool m_started = false;
};

} // namespace vantrel::app
