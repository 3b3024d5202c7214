#pragma once

#include "net/IcmpRecords.h"
#include "ops/OperationFlags.h"
#include "ops/OperationOutcome.h"
#include "ops/SharedAddress.h"
#include "settings/AddressFamily.h"

#include <QString>
#include <atomic>
#include <cstddef>
#include <vector>

namespace vantrel::net {
struct IcmpApi;
class SocketLibrary;
} // namespace vantrel::net
namespace vantrel::settings {
class LiveOptions;
}

namespace vantrel::ops {

class SharedStatus;
class WorkerLink;

// A run's inputs, taken on the GUI thread when its worker starts and handed down as values.
struct WorkerStart {
    QString host;                    // the host as StartOperation took it (for the status texts)
    net::IpAddress target;           // where every echo request goes
    net::IpAddress shown;            // the address shown until a reply names another
    bool hostResolved = false;       // the target came from a name lookup (chooses the status texts)
    std::vector<std::byte> pingData; // the echo data of a ping, from Ping String
    bool dontFragment = false;       // Fragment: the don't-fragment flag of a ping's requests
    // AddressFamily: which addresses the names the worker resolves stand for (ListScan's hosts).
    settings::AddressFamily addressFamily = settings::AddressFamily::Ipv4ThenIpv6;
};

// A worker's view of the operation flags: it tests the cancel and exit flags and any other, and makes
// only its own end's transitions.
class WorkerFlags {
public:
    WorkerFlags(OperationFlags& flags, Worker worker)
        : m_flags(flags)
        , m_worker(worker) {}

    const OperationFlags& all() const { return m_flags; }
    bool stopRequested() const { return m_flags.stopRequested(); }
    bool cancelRequested() const { return m_flags.m_bCancel; }
    bool shuttingDown() const { return m_flags.m_bShuttingDown; }

    // The worker's own flag is set by whoever starts its thread, before it runs (endWorker clears it).
    void endOperations() { m_flags.workerEndedOperations(m_worker); }
    void finished() { m_flags.workerFinished(m_worker); }

private:
    OperationFlags& m_flags;
    Worker m_worker;
};

// Everything a worker may touch while it runs: its start block, the flags through its own view, the
// status text, the shown address and the shared echo handle, the options in force (numbers and flags
// read per probe), the bound echo service, its link to the frame, for the workers that name hosts the
// socket library's blocking lookups, and where its end records what the operation came to. All but the
// start block outlive the worker.
struct WorkerContext {
    WorkerStart start;
    WorkerFlags flags;
    SharedStatus& status;
    SharedAddress& shownAddress;
    std::atomic<net::IcmpHandle>& echoHandle;  // IPv4's
    std::atomic<net::IcmpHandle>& echo6Handle; // IPv6's
    const settings::LiveOptions& options;
    const net::IcmpApi& icmp;
    WorkerLink& link;
    const net::SocketLibrary* sockets = nullptr;
    std::atomic<OperationOutcome>* outcome = nullptr;

    std::atomic<net::IcmpHandle>& echoHandleFor(net::IpFamily family) const {
        return family == net::IpFamily::V4 ? echoHandle : echo6Handle;
    }
};

} // namespace vantrel::ops
