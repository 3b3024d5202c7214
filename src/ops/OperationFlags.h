#pragma once

#include <atomic>

namespace vantrel::ops {

// The flags' values at one moment, for rules that decide on all of them together.
struct FlagSnapshot {
    bool ping = false;
    bool pingThread = false;
    bool contPingActive = false;
    bool contPingThread = false;
    bool trace = false;
    bool traceThread = false;
    bool lookup = false;
    bool seqScan = false;
    bool listScan = false;
    bool cancel = false;
    bool shuttingDown = false;
    bool ispingerThread = false;
};

// The operation flags that the GUI thread and the workers share. Each is set and tested whole, without
// a lock; workers test m_bCancel and m_bShuttingDown once per probe.
struct OperationFlags {
    std::atomic<bool> m_bPing{false};
    std::atomic<bool> m_bPingThread{false};
    std::atomic<bool> m_bContPingActive{false};
    std::atomic<bool> m_bContPingThread{false};
    std::atomic<bool> m_bTrace{false};
    std::atomic<bool> m_bTraceThread{false};
    std::atomic<bool> m_bLookup{false};
    std::atomic<bool> m_bSeqScan{false};
    std::atomic<bool> m_bListScan{false};
    std::atomic<bool> m_bCancel{false};
    std::atomic<bool> m_bShuttingDown{false};
    std::atomic<bool> m_bISPingerThread{false};

    // What every worker clears at its end: the host-directed operations and the scans.
    void clearOperations() {
        m_bPing = false;
        m_bTrace = false;
        m_bLookup = false;
        m_bSeqScan = false;
        m_bListScan = false;
    }

    // Whether a worker should stop at its next test.
    bool stopRequested() const { return m_bCancel || m_bShuttingDown; }

    // Whether the close sequence must still wait: an operation selected or a worker alive.
    bool anyBusy() const {
        return m_bPing || m_bPingThread || m_bTrace || m_bTraceThread || m_bLookup || m_bSeqScan ||
               m_bListScan || m_bContPingThread || m_bISPingerThread;
    }

    FlagSnapshot snapshot() const {
        return {m_bPing,     m_bPingThread,  m_bContPingActive, m_bContPingThread,
                m_bTrace,    m_bTraceThread, m_bLookup,         m_bSeqScan,
                m_bListScan, m_bCancel,      m_bShuttingDown,   m_bISPingerThread};
    }
};

} // namespace vantrel::ops
