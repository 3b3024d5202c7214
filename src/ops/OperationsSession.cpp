#include "ops/OperationsSession.h"

#include "net/SystemHostDatabase.h"

namespace vantrel::ops {

namespace {

std::shared_ptr<net::HostDatabase> namesOf(SessionNetwork& network) {
    if (network.names)
        return std::move(network.names);
    return std::make_shared<net::SystemHostDatabase>();
}

} // namespace

OperationsSession::OperationsSession(const FrontEndMaker& makeFrontEnd, SessionNetwork network)
    : m_frontEnd(makeFrontEnd(m_options, m_state))
    , m_icmp(std::move(network.icmp))
    , m_names(namesOf(network))
    , m_sockets(m_names)
    , m_control({m_state, m_options, m_icmp, m_sockets, m_frontEnd.operations, m_frontEnd.results})
    , m_continuousPing(m_control, m_frontEnd.operations, m_frontEnd.results, m_options)
    , m_ispinger({m_state.flags, m_options, m_icmp, m_sockets, m_frontEnd.operations, m_frontEnd.results}) {}

} // namespace vantrel::ops
