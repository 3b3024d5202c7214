#pragma once

#include <QString>
#include <functional>
#include <list>
#include <mutex>
#include <thread>

namespace vantrel::ops {

// Owns the operations' worker threads. Whether an operation is running is told by its flags; this
// only makes sure every thread is joined, finished ones as new ones start and the rest at teardown.
class WorkerThreads {
public:
    WorkerThreads() = default;
    ~WorkerThreads();
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;

    // Starts a worker; false when the system refuses a new thread.
    bool start(std::function<void()> body);
    // Joins every worker; the caller has made sure they are ending (their flags are clear).
    void joinAll();
    int running() const;

private:
    struct Worker {
        std::thread thread;
        bool finished = false;
    };
    void joinFinished();

    mutable std::mutex m_mutex;
    std::list<Worker> m_workers;
};

} // namespace vantrel::ops
