#include "ops/WatchResolver.h"

#include "net/HostDatabase.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

namespace vantrel::ops {

// What the resolver's threads share with it; the last of them to end lets it go.
struct WatchResolver::Shared {
    std::shared_ptr<net::HostDatabase> names;
    net::ResolvePolicy policy;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::pair<std::size_t, QString>> requests;
    std::vector<Answer> answers;
    int threads = 0;
    int idle = 0;
    bool stopping = false;

    void serve() {
        std::unique_lock lock(mutex);
        for (;;) {
            ++idle;
            wake.wait(lock, [this] { return stopping || !requests.empty(); });
            --idle;
            if (stopping)
                break;
            const auto [host, name] = requests.front();
            requests.pop_front();
            lock.unlock();
            const net::HostLookupResult found = names->hostByName(name.toLocal8Bit().toStdString(), policy);
            std::optional<net::IpAddress> address;
            if (found.succeeded() && !found.entry.h_addr_list.empty())
                address = found.entry.h_addr_list.front();
            lock.lock();
            answers.push_back({host, address});
        }
        --threads;
    }
};

WatchResolver::WatchResolver(std::shared_ptr<net::HostDatabase> names, net::ResolvePolicy policy)
    : m_shared(std::make_shared<Shared>()) {
    m_shared->names = std::move(names);
    m_shared->policy = policy;
}

WatchResolver::~WatchResolver() {
    std::lock_guard lock(m_shared->mutex);
    m_shared->stopping = true;
    m_shared->wake.notify_all();
}

void WatchResolver::request(std::size_t host, const QString& name) {
    std::lock_guard lock(m_shared->mutex);
    m_shared->requests.emplace_back(host, name);
    if (m_shared->idle == 0 && m_shared->threads < kThreads) {
        ++m_shared->threads;
        // Detached: a lookup that never returns must not hold up the end of the watch.
        std::thread([shared = m_shared] { shared->serve(); }).detach();
    }
    m_shared->wake.notify_one();
}

std::vector<WatchResolver::Answer> WatchResolver::take() {
    std::lock_guard lock(m_shared->mutex);
    return std::exchange(m_shared->answers, {});
}

} // namespace vantrel::ops
