#pragma once

#include "net/IcmpRecords.h"
#include "ops/OperationFlags.h"
#include "ops/SharedStatus.h"

#include <QString>
#include <atomic>
#include <mutex>

namespace vantrel::ops {

// The state that operation control and its workers share: the flags, the status text, the host and its
// addresses, and the echo handle of the host-directed operations and scans.
struct OperationState {
    OperationFlags flags;
    SharedStatus status;

    // The destination of every echo request of Ping, continuous ping and Trace (network byte order).
    std::atomic<net::IPAddr> m_dwTargetAddr{0};
    // The first address of the last name lookup, then the address of the last reply.
    std::atomic<net::IPAddr> m_dwShownAddr{0};
    // 1 when the target came from a name lookup; chooses the workers' status text.
    std::atomic<int> m_bHostResolved{0};
    std::atomic<net::IcmpHandle> m_hICMPHandle{net::INVALID_HANDLE_VALUE};

    QString host() const {
        std::lock_guard lock(m_hostMutex);
        return m_strHost;
    }
    void setHost(const QString& host) {
        std::lock_guard lock(m_hostMutex);
        m_strHost = host;
    }

private:
    mutable std::mutex m_hostMutex;
    QString m_strHost; // the host text of the last StartOperation, trimmed
};

} // namespace vantrel::ops
