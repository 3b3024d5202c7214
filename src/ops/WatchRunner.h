#pragma once

#include "ops/WatchProber.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

namespace vantrel::ops {

// Runs the watch list's prober on a thread of its own, on a clock that reads the wall clock at the start
// and then only moves forward, until it is let go.
class WatchRunner {
public:
    using ProberMaker = std::function<std::unique_ptr<WatchProber>(std::int64_t startMs)>;

    explicit WatchRunner(const ProberMaker& makeProber);
    // Ends the wait in progress and the thread; lookups still in flight are not waited for.
    ~WatchRunner();
    WatchRunner(const WatchRunner&) = delete;
    WatchRunner& operator=(const WatchRunner&) = delete;

private:
    std::int64_t nowMs() const;

    const std::int64_t m_startMs;
    const std::chrono::steady_clock::time_point m_started;
    const std::unique_ptr<WatchProber> m_prober;
    std::atomic<bool> m_stopping = false;
    std::thread m_thread;
};

} // namespace vantrel::ops
