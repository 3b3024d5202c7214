#pragma once

#include "net/IcmpRecords.h"
#include "ops/OperationFlags.h"
#include "ops/SharedAddress.h"
#include "ops/SharedStatus.h"

#include <atomic>

namespace vantrel::ops {

// What the GUI thread and the workers share while a run goes on: the flags, the status text, the address
// shown (the last lookup's, then the last reply's) and the echo handle of the host-directed operations
// and scans. Everything else a worker needs comes in its start block.
struct OperationState {
    OperationFlags flags;
    SharedStatus status;
    // The first address of the last name lookup, then the address of the last reply.
    SharedAddress m_dwShownAddr;
    std::atomic<net::IcmpHandle> m_hICMPHandle{net::INVALID_HANDLE_VALUE};
    std::atomic<net::IcmpHandle> m_hICMP6Handle{net::INVALID_HANDLE_VALUE};
};

} // namespace vantrel::ops
