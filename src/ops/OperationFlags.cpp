#include "ops/OperationFlags.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace vantrel::ops {

FlagChanges::FlagChanges() {
    // Queued, so that the GUI thread looks once the transition (and the handler that made it) is over. A
    // signal without arguments carries nothing from the thread that emits it.
    connect(this, &FlagChanges::announced, this, &FlagChanges::changed, Qt::QueuedConnection);
}

OperationFlags::OperationFlags() = default;

void OperationFlags::announce() {
    emit m_changes.announced();
}

void OperationFlags::clear(Flag& flag) {
    flag.set(false);
    announce();
}

void OperationFlags::startOperation(Operation operation) {
    switch (operation) {
    case Operation::Ping:
        m_bCancel.set(false);
        m_bPing.set(true);
        m_bContPingActive.set(false);
        break;
    case Operation::ContinuousPing:
        m_bCancel.set(false);
        m_bContPingActive.set(true);
        break;
    case Operation::Trace:
        m_bCancel.set(false);
        m_bTrace.set(true);
        break;
    case Operation::Lookup:
        m_bSeqScan.set(false);
        m_bTrace.set(false);
        m_bPing.set(false);
        m_bLookup.set(true);
        break;
    case Operation::SeqScan:
        m_bCancel.set(false);
        m_bSeqScan.set(true);
        break;
    case Operation::ListScan:
        m_bCancel.set(false);
        m_bListScan.set(true);
        break;
    case Operation::PathMonitor:
        m_bCancel.set(false);
        m_bPathMonitor.set(true);
        break;
    }
    announce();
}

void OperationFlags::requestCancel() {
    m_bCancel.set(true);
    announce();
}

namespace {

// The thread flag of a worker, of the flags as they are given (to change or only to read).
template <typename Flags> auto& threadFlagOf(Flags& flags, Worker worker) {
    switch (worker) {
    case Worker::Ping:
        return flags.m_bPingThread;
    case Worker::ContinuousPing:
        return flags.m_bContPingThread;
    case Worker::Trace:
        return flags.m_bTraceThread;
    case Worker::ListScan:
        return flags.m_bListScanThread;
    case Worker::SeqScan:
        return flags.m_bSeqScanThread;
    case Worker::PathMonitor:
        return flags.m_bPathMonitorThread;
    case Worker::ISPinger:
        break;
    }
    return flags.m_bISPingerThread;
}

} // namespace

Flag& OperationFlags::threadFlag(Worker worker) {
    return threadFlagOf(*this, worker);
}

bool OperationFlags::workerAlive(Worker worker) const {
    return threadFlagOf(*this, worker);
}

void OperationFlags::workerEndedOperations(Worker worker) {
    if (worker != Worker::Trace)
        m_bListScan.set(false);
    m_bSeqScan.set(false);
    m_bLookup.set(false);
    m_bTrace.set(false);
    m_bPathMonitor.set(false);
    if (worker != Worker::ContinuousPing)
        m_bPing.set(false);
    announce();
}

void OperationFlags::workerFinished(Worker worker) {
    clear(threadFlag(worker));
}

void OperationFlags::workerNotStarted() {
    m_bContPingActive.set(false);
    lookupCancelledByCommand();
}

void OperationFlags::hostEmpty() {
    m_bContPingActive.set(false);
    m_bListScan.set(false);
    m_bSeqScan.set(false);
    hostTooLong();
}

void OperationFlags::hostTooLong() {
    m_bPathMonitor.set(false);
    m_bLookup.set(false);
    m_bTrace.set(false);
    m_bPing.set(false);
    announce();
}

void OperationFlags::lookupEnded() {
    m_bContPingActive.set(false);
    hostTooLong();
}

void OperationFlags::lookupCancelledByCommand() {
    m_bListScan.set(false);
    m_bSeqScan.set(false);
    hostTooLong();
}

void OperationFlags::lookupReported() {
    hostTooLong();
}

bool OperationFlags::anyBusy() const {
    return m_bPing || m_bPingThread || m_bTrace || m_bTraceThread || m_bLookup || m_bSeqScan || m_bListScan ||
           m_bContPingThread || m_bListScanThread || m_bISPingerThread || m_bSeqScanThread ||
           m_bPathMonitor || m_bPathMonitorThread;
}

FlagSnapshot OperationFlags::snapshot() const {
    return {m_bPing,         m_bPingThread,     m_bContPingActive, m_bContPingThread, m_bTrace,
            m_bTraceThread,  m_bLookup,         m_bSeqScan,        m_bListScan,       m_bCancel,
            m_bShuttingDown, m_bISPingerThread, m_bSeqScanThread,  m_bPathMonitor};
}

bool waitForFlags(const OperationFlags& flags, const std::function<bool()>& done) {
    if (done())
        return true;
    QEventLoop loop;
    const QMetaObject::Connection connection =
        QObject::connect(&flags.changes(), &FlagChanges::changed, &loop, [&] {
            if (done())
                loop.quit();
        });
    // A quit asked for before the loop started would be lost: the loop checks once it runs.
    QMetaObject::invokeMethod(
        &loop,
        [&] {
            if (done())
                loop.quit();
        },
        Qt::QueuedConnection);
    loop.exec();
    QObject::disconnect(connection);
    return done();
}

} // namespace vantrel::ops
