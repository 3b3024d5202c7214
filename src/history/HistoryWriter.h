#pragma once

#include "history/HistoryDatabase.h"

#include <QString>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace vantrel::history {

// Takes probe results and changes of state from the probing threads without making them wait, and writes
// them to the history in batches on a thread of its own, compacting the history now and then. A batch
// the file did not take is tried again with the next; what waits is bounded, the oldest probes giving way.
class HistoryWriter {
public:
    struct Timing {
        std::chrono::milliseconds batchEvery{2000};
        std::chrono::milliseconds compactEvery{std::chrono::hours(1)};
        std::chrono::hours retention{24 * 30};
        // Milliseconds since the epoch; the system clock unless a test gives its own.
        std::function<std::int64_t()> now;
        // What the compactions are timed by; the steady clock unless a test gives its own.
        std::function<std::chrono::steady_clock::time_point()> steadyNow{};
    };
    // Probes kept while the file takes none (a day of 500 hosts every 10 s is 4.3 million).
    static constexpr std::size_t kMaxWaiting = 200'000;

    HistoryWriter(std::unique_ptr<HistoryDatabase> database, Timing timing);
    // Writes what waits, then ends its thread.
    ~HistoryWriter();
    HistoryWriter(const HistoryWriter&) = delete;
    HistoryWriter& operator=(const HistoryWriter&) = delete;

    void add(ProbeSample sample);
    void add(StateChange change);
    // The days of history the next compaction keeps (the option changed).
    void setRetention(std::chrono::hours retention);
    // Writes what waits now and tells whether it reached the file.
    bool flush();
    // Why the history was not written since the last call (a full disk, a lost file), if it was not.
    std::optional<QString> takeFailure();

private:
    void run();
    // Writes the waiting batch; called on the writer's thread with the lock held, which it lets go meanwhile.
    bool writeWaiting(std::unique_lock<std::mutex>& lock);

    const std::unique_ptr<HistoryDatabase> m_database;
    const Timing m_timing;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_written;
    std::vector<ProbeSample> m_samples;
    std::vector<StateChange> m_changes;
    std::optional<QString> m_failure;
    std::chrono::hours m_retention;
    std::uint64_t m_flushAsked = 0;
    std::uint64_t m_flushDone = 0;
    bool m_lastFlushWritten = true;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace vantrel::history
