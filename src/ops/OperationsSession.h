#pragma once

#include "net/IcmpApi.h"
#include "net/SocketLibrary.h"
#include "ops/ContinuousPing.h"
#include "ops/ISPinger.h"
#include "ops/OperationControl.h"
#include "ops/OperationState.h"
#include "settings/LiveOptions.h"

#include <functional>
#include <memory>

namespace vantrel::ops {

// The network the operations use: the system's echo service and name service, unless a test binds
// scripted ones.
struct SessionNetwork {
    net::IcmpApi icmp = net::IcmpApi::builtIn();
    std::shared_ptr<net::HostDatabase> names; // the system's when empty
};

// A program's operations, made the same way by the desktop and the command line: the options in force,
// the state the workers share with the GUI thread, the network, operation control with continuous ping,
// and ISPinger. The front end is made first, on the session's options and state (the window's panes
// show them), and the operations then report to it. Lives on the GUI thread.
class OperationsSession {
public:
    // What the operations report to.
    struct FrontEnd {
        OperationFrontEnd& operations;
        output::ResultPipeline& results; // the one append pipeline
    };
    // Makes the front end on the session's options and state; the constructor calls it once.
    using FrontEndMaker = std::function<FrontEnd(settings::LiveOptions&, OperationState&)>;

    explicit OperationsSession(const FrontEndMaker& makeFrontEnd, SessionNetwork network = {});
    OperationsSession(const OperationsSession&) = delete;
    OperationsSession& operator=(const OperationsSession&) = delete;

    settings::LiveOptions& options() { return m_options; }
    OperationState& state() { return m_state; }
    const net::IcmpApi& icmp() const { return m_icmp; }
    // The name service every lookup of the session goes through.
    const std::shared_ptr<net::HostDatabase>& names() const { return m_names; }
    OperationControl& control() { return m_control; }
    ContinuousPing& continuousPing() { return m_continuousPing; }
    ISPinger& ispinger() { return m_ispinger; }

private:
    settings::LiveOptions m_options;
    OperationState m_state;
    FrontEnd m_frontEnd;
    net::IcmpApi m_icmp;
    std::shared_ptr<net::HostDatabase> m_names;
    net::SocketLibrary m_sockets;
    OperationControl m_control;
    ContinuousPing m_continuousPing; // plugs into the control: made after it, gone before it
    ISPinger m_ispinger;
};

} // namespace vantrel::ops
