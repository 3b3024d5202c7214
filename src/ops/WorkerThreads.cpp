#include "ops/WorkerThreads.h"

#include <system_error>

namespace vantrel::ops {

WorkerThreads::~WorkerThreads() {
    joinAll();
}

bool WorkerThreads::start(std::function<void()> body) {
    joinFinished();
    std::lock_guard lock(m_mutex);
    Worker& worker = m_workers.emplace_back();
    try {
        worker.thread = std::thread([this, &worker, body = std::move(body)] {
            body();
            std::lock_guard done(m_mutex);
            worker.finished = true;
        });
    } catch (const std::system_error&) {
        m_workers.pop_back();
        return false;
    }
    return true;
}

void WorkerThreads::joinFinished() {
    std::list<Worker> finished;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_workers.begin(); it != m_workers.end();) {
            auto next = std::next(it);
            if (it->finished)
                finished.splice(finished.end(), m_workers, it);
            it = next;
        }
    }
    for (Worker& worker : finished)
        worker.thread.join();
}

void WorkerThreads::joinAll() {
    std::list<Worker> all;
    {
        std::lock_guard lock(m_mutex);
        all.splice(all.end(), m_workers);
    }
    for (Worker& worker : all)
        if (worker.thread.joinable())
            worker.thread.join();
}

int WorkerThreads::running() const {
    std::lock_guard lock(m_mutex);
    int count = 0;
    for (const Worker& worker : m_workers)
        count += worker.finished ? 0 : 1;
    return count;
}

} // namespace vantrel::ops
