#pragma once

#include <QObject>
#include <atomic>
#include <functional>

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
    bool seqScanThread = false;
    bool pathMonitor = false;
};

// The operations that a command starts. One of them is active at a time; ISPinger runs beside any.
enum class Operation { Ping, ContinuousPing, Trace, Lookup, SeqScan, ListScan, PathMonitor };
// The workers that have a flag of their own while their thread lives.
enum class Worker { Ping, ContinuousPing, Trace, ListScan, ISPinger, SeqScan, PathMonitor };

// One flag: anyone reads it, only OperationFlags writes it. Reads and writes are whole (atomic).
class Flag {
public:
    operator bool() const { return m_value.load(); }

private:
    friend class OperationFlags;
    void set(bool value) { m_value.store(value); }
    std::atomic<bool> m_value{false};
};

// Tells the GUI thread that the flags changed (queued there from any thread), so that a wait for the
// operations to end needs no polling.
class FlagChanges : public QObject {
    Q_OBJECT
public:
    FlagChanges();

signals:
    void changed();
    // Any thread: a transition happened; changed() follows on the GUI thread once the event loop is back.
    void announced();
};

// The operation flags that the GUI thread and the workers share. The named transitions below are their
// only writers; each says what it ends or starts, so an operation plugs in by naming itself in them.
// Every transition that starts, cancels or ends something is announced through changes(), so the commands
// follow the flags without being asked. Workers test m_bCancel and
// m_bShuttingDown once per probe.
class OperationFlags {
public:
    // Lives on the thread that creates it, which must be the GUI thread.
    OperationFlags();
    OperationFlags(const OperationFlags&) = delete;
    OperationFlags& operator=(const OperationFlags&) = delete;

    Flag m_bPing;              // Ping selected or running
    Flag m_bPingThread;        // the ping worker is alive
    Flag m_bContPingActive;    // a continuous-ping run is active (its cycles and the countdowns between them)
    Flag m_bContPingThread;    // a continuous-ping cycle's worker is alive
    Flag m_bTrace;             // Trace selected or running
    Flag m_bTraceThread;       // the trace worker is alive
    Flag m_bLookup;            // Lookup selected or running
    Flag m_bSeqScan;           // SeqScan running
    Flag m_bListScan;          // ListScan running
    Flag m_bListScanThread;    // the ListScan worker is alive
    Flag m_bCancel;            // cancel requested; every worker tests it once per probe
    Flag m_bShuttingDown;      // the program is exiting; never cleared
    Flag m_bISPingerThread;    // an ISPinger request's worker is alive
    Flag m_bSeqScanThread;     // the SeqScan worker is alive
    Flag m_bPathMonitor;       // the path monitor selected or running
    Flag m_bPathMonitorThread; // the path monitor's worker is alive

    // A command starts its operation: Ping, Trace, SeqScan and ListScan also clear a cancel left over;
    // Ping ends a continuous run's flag and Lookup deselects Ping, Trace and SeqScan.
    void startOperation(Operation operation);
    void requestCancel();
    void beginShutdown() { m_bShuttingDown.set(true); }

    // A worker's thread is about to start: its flag is set before it runs, so that the close sequence
    // waits for it from the first moment.
    void workerStarted(Worker worker) { threadFlag(worker).set(true); }
    bool workerAlive(Worker worker) const;
    // A worker's end: the host-directed operations and scans it ends (the continuous-ping cycle leaves
    // m_bPing alone, the trace worker m_bListScan), then, as its very last step, its own flag.
    void workerEndedOperations(Worker worker);
    void workerFinished(Worker worker);
    // A worker that could not start, or ended before it ran: nothing runs any more.
    void workerNotStarted();

    // The host could not be used: empty (every operation deselected) or too long (the host-directed ones;
    // a continuous run stays active until it is cancelled).
    void hostEmpty();
    void hostTooLong();
    // A lookup failed, was refused or was cancelled: Ping, Trace, Lookup and a continuous run end.
    void lookupEnded();
    // A command's cancel took back a pending lookup: every host-directed operation and scan ends.
    void lookupCancelledByCommand();
    // The Lookup operation has reported (with its hosts) or its completion was handled.
    void lookupReported();
    void lookupCompleted() { clear(m_bLookup); }
    // A continuous-ping run is over.
    void continuousRunEnded() { clear(m_bContPingActive); }

    // Whether a worker should stop at its next test.
    bool stopRequested() const { return m_bCancel || m_bShuttingDown; }
    // Whether the close sequence must still wait: an operation selected or a worker alive.
    bool anyBusy() const;
    FlagSnapshot snapshot() const;

    // Announces, on the GUI thread, every transition that started, cancelled or ended something.
    const FlagChanges& changes() const { return m_changes; }

private:
    Flag& threadFlag(Worker worker);
    void clear(Flag& flag);
    void announce();

    FlagChanges m_changes;
};

// Runs the GUI thread's events until `done` answers true, looking again whenever the flags announce a
// change (workers hand their messages to the GUI thread, so it must keep dispatching meanwhile). Answers
// `done()` at the end: the wait also ends when the application is told to quit.
bool waitForFlags(const OperationFlags& flags, const std::function<bool()>& done);

} // namespace vantrel::ops
