#pragma once

#include "net/HostDatabase.h"
#include "net/HostEntry.h"

#include <QObject>
#include <QThreadPool>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace vantrel::net {

// A request of an asynchronous lookup; 0 means the request was refused.
using AsyncLookupHandle = std::uint32_t;

// The completion of an asynchronous lookup: the request, 0 or a socket-library error code, and the host
// entry (empty after an error).
using LookupCompletion = std::function<void(AsyncLookupHandle request, int error, const HostEntry& entry)>;

// The socket library's host lookups, all through one HostDatabase.
//
// Blocking lookups may be called from any thread. Asynchronous lookups are requested and cancelled on the
// thread this object lives on (the GUI thread); each runs on a thread of its own pool and completes exactly
// once, on this object's thread, through the completion given with the request - unless it was cancelled
// first: after a successful WSACancelAsyncRequest no completion comes, even when the answer had already
// arrived and was waiting to be delivered.
class SocketLibrary : public QObject {
    Q_OBJECT

public:
    explicit SocketLibrary(std::shared_ptr<HostDatabase> database, QObject* parent = nullptr);
    ~SocketLibrary() override; // forgets pending requests and waits for lookups in flight

    // gethostbyname and gethostbyaddr: the entry, or std::nullopt with WSAGetLastError set on the calling
    // thread. Names resolve by the policy (HostDatabase::hostByName).
    std::optional<HostEntry> gethostbyname(const std::string& name,
                                           ResolvePolicy policy = ResolvePolicy::Ipv4Only) const;
    std::optional<HostEntry> gethostbyaddr(const IpAddress& address) const;

    // Requests a lookup; the handle (never 0), or 0 with WSAGetLastError set when the name service refuses.
    AsyncLookupHandle WSAAsyncGetHostByName(const std::string& name, LookupCompletion done,
                                            ResolvePolicy policy = ResolvePolicy::Ipv4Only);
    AsyncLookupHandle WSAAsyncGetHostByAddr(const IpAddress& address, LookupCompletion done);
    // 0 when the request was pending and will not complete; SOCKET_ERROR with WSAEINVAL when it is not
    // pending (unknown, already completed or already cancelled).
    int WSACancelAsyncRequest(AsyncLookupHandle request);

    std::size_t pendingLookups() const;

signals:
    void answerArrived(); // from a pool thread; queued to this object's thread

private:
    using Lookup = std::function<HostLookupResult(HostDatabase&)>;
    AsyncLookupHandle request(Lookup lookup, LookupCompletion done);
    void lookUpNext();
    void deliverAnswers();
    void deliver(AsyncLookupHandle request, const HostLookupResult& result);

    const std::shared_ptr<HostDatabase> m_database;
    mutable std::mutex m_mutex;
    std::condition_variable m_lookupsDone; // the last lookup in flight has ended
    int m_lookupsRunning = 0;              // lookups started and not yet ended (under m_mutex)
    std::map<AsyncLookupHandle, LookupCompletion> m_pending;
    // Lookups and answers travel between the threads under m_mutex, not inside Qt's queued calls: the
    // queued signal only wakes this object's thread, so every hand-over is one our own lock orders.
    std::deque<std::pair<AsyncLookupHandle, Lookup>> m_lookups;
    std::deque<std::pair<AsyncLookupHandle, HostLookupResult>> m_answers;
    AsyncLookupHandle m_lastHandle = 0;
    QThreadPool m_pool; // declared last: destroyed first, so no lookup outlives the members it uses
};

} // namespace vantrel::net
