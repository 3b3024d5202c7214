#include "net/SocketLibrary.h"

#include "net/WinsockErrors.h"

#include <QMetaObject>

namespace vantrel::net {

namespace {

std::optional<HostEntry> entryOrError(const HostLookupResult& result) {
    if (result.succeeded())
        return result.entry;
    WSASetLastError(result.error);
    return std::nullopt;
}

} // namespace

SocketLibrary::SocketLibrary(std::shared_ptr<HostDatabase> database, QObject* parent)
    : QObject(parent)
    , m_database(std::move(database)) {
    // Lookups block on the network; a few at once is all the program ever has (an operation, ISPinger).
    m_pool.setMaxThreadCount(4);
    connect(this, &SocketLibrary::answerArrived, this, &SocketLibrary::deliverAnswers, Qt::QueuedConnection);
}

SocketLibrary::~SocketLibrary() {
    {
        // Every lookup's last step is under this lock, so nothing of this object is touched after it.
        std::unique_lock lock(m_mutex);
        m_pending.clear();
        m_lookupsDone.wait(lock, [this] { return m_lookupsRunning == 0; });
    }
    m_pool.waitForDone();
    // Answers no one will take are dropped under the lock the pool threads wrote them with.
    std::lock_guard lock(m_mutex);
    m_answers.clear();
}

std::optional<HostEntry> SocketLibrary::gethostbyname(const std::string& name, ResolvePolicy policy) const {
    return entryOrError(m_database->hostByName(name, policy));
}

std::optional<HostEntry> SocketLibrary::gethostbyaddr(const IpAddress& address) const {
    return entryOrError(m_database->hostByAddress(address));
}

AsyncLookupHandle SocketLibrary::WSAAsyncGetHostByName(const std::string& name, LookupCompletion done,
                                                       ResolvePolicy policy) {
    if (const int refused = m_database->refusal(); refused != 0) {
        WSASetLastError(refused);
        return 0;
    }
    return request([name, policy](HostDatabase& database) { return database.hostByName(name, policy); },
                   std::move(done));
}

AsyncLookupHandle SocketLibrary::WSAAsyncGetHostByAddr(const IpAddress& address, LookupCompletion done) {
    if (const int refused = m_database->refusal(); refused != 0) {
        WSASetLastError(refused);
        return 0;
    }
    return request([address](HostDatabase& database) { return database.hostByAddress(address); },
                   std::move(done));
}

AsyncLookupHandle SocketLibrary::request(Lookup lookup, LookupCompletion done) {
    AsyncLookupHandle handle;
    {
        std::lock_guard lock(m_mutex);
        do
            handle = ++m_lastHandle;
        while (handle == 0 || m_pending.count(handle) != 0);
        m_pending.emplace(handle, std::move(done));
        m_lookups.emplace_back(handle, std::move(lookup));
        ++m_lookupsRunning;
    }
    m_pool.start([this] { lookUpNext(); });
    return handle;
}

// On a pool thread: each start takes one lookup, in the order they were requested.
void SocketLibrary::lookUpNext() {
    std::pair<AsyncLookupHandle, Lookup> next;
    {
        std::lock_guard lock(m_mutex);
        next = std::move(m_lookups.front());
        m_lookups.pop_front();
    }
    HostLookupResult result = next.second(*m_database);
    {
        std::lock_guard lock(m_mutex);
        m_answers.emplace_back(next.first, std::move(result));
    }
    emit answerArrived();
    std::lock_guard lock(m_mutex);
    --m_lookupsRunning;
    m_lookupsDone.notify_all();
}

void SocketLibrary::deliverAnswers() {
    for (;;) {
        std::pair<AsyncLookupHandle, HostLookupResult> answer;
        {
            std::lock_guard lock(m_mutex);
            if (m_answers.empty())
                return;
            answer = std::move(m_answers.front());
            m_answers.pop_front();
        }
        deliver(answer.first, answer.second);
    }
}

void SocketLibrary::deliver(AsyncLookupHandle request, const HostLookupResult& result) {
    LookupCompletion done;
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_pending.find(request);
        if (found == m_pending.end())
            return; // cancelled
        done = std::move(found->second);
        m_pending.erase(found);
    }
    // Called without the lock: a completion may well request the next lookup.
    if (done)
        done(request, result.error, result.entry);
}

int SocketLibrary::WSACancelAsyncRequest(AsyncLookupHandle request) {
    std::lock_guard lock(m_mutex);
    if (m_pending.erase(request) == 0) {
        WSASetLastError(WSAEINVAL);
        return SOCKET_ERROR;
    }
    return 0;
}

std::size_t SocketLibrary::pendingLookups() const {
    std::lock_guard lock(m_mutex);
    return m_pending.size();
}

} // namespace vantrel::net
