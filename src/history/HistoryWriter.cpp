#include "history/HistoryWriter.h"

#include <QDateTime>

namespace vantrel::history {

HistoryWriter::HistoryWriter(std::unique_ptr<HistoryDatabase> database, Timing timing)
    : m_database(std::move(database))
    , m_timing(std::move(timing))
    , m_retention(m_timing.retention) {
    m_thread = std::thread([this] { run(); });
}

HistoryWriter::~HistoryWriter() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void HistoryWriter::add(ProbeSample sample) {
    std::lock_guard lock(m_mutex);
    if (m_samples.size() == kMaxWaiting) {
        m_samples.erase(m_samples.begin(), m_samples.begin() + kMaxWaiting / 10);
        if (!m_failure)
            m_failure = QStringLiteral("the oldest waiting probes were dropped");
    }
    m_samples.push_back(std::move(sample));
}

void HistoryWriter::add(StateChange change) {
    std::lock_guard lock(m_mutex);
    m_changes.push_back(std::move(change));
}

void HistoryWriter::setRetention(std::chrono::hours retention) {
    std::lock_guard lock(m_mutex);
    m_retention = retention;
}

bool HistoryWriter::flush() {
    std::unique_lock lock(m_mutex);
    const std::uint64_t ticket = ++m_flushAsked;
    m_wake.notify_one();
    m_written.wait(lock, [&] { return m_flushDone >= ticket; });
    return m_lastFlushWritten;
}

std::optional<QString> HistoryWriter::takeFailure() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_failure, std::nullopt);
}

bool HistoryWriter::writeWaiting(std::unique_lock<std::mutex>& lock) {
    if (m_samples.empty() && m_changes.empty())
        return true;
    std::vector<ProbeSample> samples = std::move(m_samples);
    std::vector<StateChange> changes = std::move(m_changes);
    m_samples.clear();
    m_changes.clear();
    lock.unlock();
    const bool written = m_database->write(samples, changes);
    const QString error = written ? QString() : m_database->lastError();
    lock.lock();
    if (!written) {
        // Tried again with the next batch, ahead of what came meanwhile.
        samples.insert(samples.end(), std::make_move_iterator(m_samples.begin()),
                       std::make_move_iterator(m_samples.end()));
        m_samples = std::move(samples);
        if (m_samples.size() > kMaxWaiting)
            m_samples.erase(m_samples.begin(), m_samples.end() - kMaxWaiting);
        changes.insert(changes.end(), std::make_move_iterator(m_changes.begin()),
                       std::make_move_iterator(m_changes.end()));
        m_changes = std::move(changes);
        m_failure = error;
    }
    return written;
}

void HistoryWriter::run() {
    const auto now = [this] { return m_timing.now ? m_timing.now() : QDateTime::currentMSecsSinceEpoch(); };
    const auto steadyNow = [this] {
        return m_timing.steadyNow ? m_timing.steadyNow() : std::chrono::steady_clock::now();
    };
    auto nextCompact = steadyNow();
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait_for(lock, m_timing.batchEvery,
                        [this] { return m_stopping || m_flushAsked > m_flushDone; });
        const std::uint64_t asked = m_flushAsked;
        const bool stopping = m_stopping;
        const bool written = writeWaiting(lock);
        if (asked > m_flushDone) {
            m_flushDone = asked;
            m_lastFlushWritten = written;
            m_written.notify_all();
        }
        if (stopping)
            return;
        if (steadyNow() >= nextCompact) {
            nextCompact = steadyNow() + m_timing.compactEvery;
            const std::chrono::hours retention = m_retention;
            lock.unlock();
            const bool compacted = m_database->compact(now(), retention);
            const QString error = compacted ? QString() : m_database->lastError();
            lock.lock();
            if (!compacted)
                m_failure = error;
        }
    }
}

} // namespace vantrel::history
