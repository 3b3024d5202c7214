#pragma once

#include "net/HostEntry.h"
#include "net/IcmpApi.h"
#include "net/SocketLibrary.h"
#include "ops/CommandRules.h"
#include "ops/FrameDispatcher.h"
#include "ops/OperationOutcome.h"
#include "ops/OperationState.h"
#include "ops/PathMonitorFeed.h"
#include "ops/WorkerContext.h"
#include "ops/WorkerLink.h"
#include "ops/WorkerQueue.h"
#include "ops/WorkerThreads.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace vantrel::settings {
class LiveOptions;
}
namespace vantrel::output {
class ResultPipeline;
}

namespace vantrel::ops {

class ContinuousRun;
class OperationFrontEnd;
struct WorkerPost;

// The frame's control of the host-directed operations: the Ping, Trace and Lookup commands with their
// start and cancel branches, the reading, checking and resolving of the host (StartOperation), the
// lookup's completion and cancel, and the worker messages. Lives on the GUI thread; its workers hand
// their messages over through a queue that the GUI thread takes once a frame.
class OperationControl {
public:
    struct Services {
        OperationState& state; // owned by the front end, which shows it
        settings::LiveOptions& options;
        net::IcmpApi icmp;
        net::SocketLibrary& sockets;
        OperationFrontEnd& frontEnd;
        output::ResultPipeline& results;
    };

    using WorkerBody = std::function<void(const WorkerContext&)>;

    explicit OperationControl(Services services);
    ~OperationControl(); // joins the workers; the close sequence has let them end
    OperationControl(const OperationControl&) = delete;
    OperationControl& operator=(const OperationControl&) = delete;

    OperationState& state() { return m_state; }
    const OperationState& state() const { return m_state; }
    // Continuous ping plugs itself in while it exists, and out (null) as it goes.
    void plugIn(ContinuousRun* run) { m_continuous = run; }
    output::ResultPipeline& results() { return m_services.results; }
    // The context a worker of this kind gets when it starts now: the run's inputs as values.
    WorkerContext workerContext(Worker worker);
    // The target of the last StartOperation, and whether it came from a name lookup (GUI thread).
    bool hostResolved() const { return m_bHostResolved; }

    // The close sequence begins: the program is marked as exiting, so no command starts from now on, and
    // a pending lookup is forgotten; what runs stops at its next test.
    void beginClose();
    // WM_APP_PING_AGAIN, posted by a ping worker on its way out: the Ping command once that worker is
    // gone, unless the program exits.
    void pingAgainOnceGone();

    // The Ping command: start, or cancel what runs. `direct` marks the paths that bypass the command
    // state (the Enter key, list double-clicks): they do nothing while the Ping button is disabled.
    void OnPing(bool direct = false);
    void OnTrace();
    void OnLookup();
    // The ListScan command: starts a scan of `hosts` (the address list as it is now, in its order), or
    // cancels the scan that runs.
    void OnListScan(const QStringList& hosts);
    // The SeqScan command: checks the octet fields (the options SeqScanStart1 to SeqScanEnd4) and starts
    // a sweep of their range, or cancels the running one.
    void OnSeqScan();
    // The path monitor command: starts monitoring the path to the host in the host box (for `rounds`
    // rounds, 0 until stopped), or stops the monitor that runs; its final table becomes the report.
    void OnPathMonitor(unsigned rounds = 0);
    // Where the path monitor's tables go while it runs (none: only the report).
    void setPathMonitorView(PathMonitorView* view) { m_pathFeed.setView(view); }
    // CheckSeqScanAddresses on the options' octets: reports the first problem on its field.
    bool CheckSeqScanAddresses();

    // Ends the echo request in flight at once by closing the echo handle under it, for a front end that
    // must stop now (the command line's Ctrl+C); the worker then meets the cancel at its next test.
    void closeEchoHandleInFlight();
    // Whether the worker of the last host-directed operation is still on its way out: a new one cannot
    // share the echo handle with it yet (ISPinger has its own).
    bool workerLeaving() const;

    void StartOperation();
    void OnLookupDone(net::AsyncLookupHandle request, int error, const net::HostEntry& entry);
    void CancelLookup();
    // The local-host lookup made at start-up. It is no operation: the commands neither wait for it nor
    // cancel it, and its completion touches no operation's flags.
    void StartLocalHostLookup(const QString& localName);
    void OnLocalHostLookupDone(int error, const net::HostEntry& entry);

    bool lookupPending() const { return m_hAsyncLookup != 0; }
    // What the last operation came to (None while none has ended since the last start).
    OperationOutcome lastOutcome() const { return m_lastOutcome; }
    // An operation plugged in from outside (continuous ping) tells what its run came to.
    void recordOutcome(OperationOutcome outcome) { m_lastOutcome = outcome; }
    CommandUi commandUi(CommandId command, bool seqScanAddressEmpty = false,
                        bool listScanListEmpty = false) const;

    // Starts a worker on its own thread, its flag set first; false (with the flags as after its end) when
    // the system refuses or the program exits, and false without a change while one of its kind is alive.
    bool startWorker(const WorkerBody& body, Worker worker, const QString& failureText);
    // Whether no operation is selected, resolving or running, and no continuous run is active.
    bool idle() const;
    // Runs the GUI thread's events until idle(); false when the application was told to quit first.
    bool waitUntilIdle();
    // Joins every worker; for the end of the close sequence, once the flags are clear.
    void joinWorkers() { m_workers.joinAll(); }

    // Handles what the workers handed over and the GUI thread has not yet taken, in order: before the GUI
    // thread shows something of its own.
    void drainWorkerQueue();
    // Whether everything the workers handed over has been handled.
    bool workerMessagesShown() const;
    // Where the operations' typed results go (the desktop's plot, the command line's data formats); an
    // empty sink takes none, and then workers do not send them.
    void setRecordSink(RecordSink sink);
    const RecordSink& recordSink() const { return m_recordSink; }
    bool takesRecords() const { return m_takesRecords; }
    void appendRecord(const ResultRecord& record);

private:
    void rejectEmptyHost();
    // The status text and the line that say a name is being looked up.
    void announceNameLookup(const QString& host);
    void requestNameLookup(const QString& host);
    void startResolvedOperation(const QString& host);
    // Starts the ping or trace worker when one is selected, with its start line.
    bool startSelectedWorker(const QString& host);
    void startContinuousPingWorkerIfOn();
    void reportLookup(const net::HostEntry& entry);
    void startPingWorker();
    void cancelListScan();
    void cancelPendingLookupForCommand();
    void setStatus(const QString& text);
    void startPendingPingAgain();
    // The operation cannot run: records it, and ends a continuous-ping run with its summary first.
    void refuseToRun();
    void handle(WorkerPost& post);

    Services m_services;
    ContinuousRun* m_continuous = nullptr;
    OperationState& m_state;
    FrameDispatcher m_dispatcher;
    std::unique_ptr<WorkerQueue<WorkerPost>> m_queue;
    std::unique_ptr<WorkerLink> m_link;
    // The host of the last StartOperation and its address (GUI thread; workers get them as values).
    QString m_strHost;
    // The typed address, then the first address of the name lookup; none while a name is looked up.
    std::optional<net::IpAddress> m_dwTargetAddr;
    bool m_bHostResolved = false;
    bool m_pingAgainPending = false; // a ping worker asked for the Ping command on its way out
    unsigned m_pathRounds = 0;       // the rounds of the path monitor being started
    PathMonitorFeed m_pathFeed;
    net::AsyncLookupHandle m_hAsyncLookup = 0;
    net::AsyncLookupHandle m_hLocalHostLookup = 0;
    std::atomic<OperationOutcome> m_lastOutcome{OperationOutcome::None};
    RecordSink m_recordSink;                 // GUI thread
    std::atomic<bool> m_takesRecords{false}; // read by workers before they send a record
    WorkerThreads m_workers; // declared last: joined before everything its workers use goes away
};

} // namespace vantrel::ops
