#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace vantrel::ops {

// The ordered hand-over from workers to the GUI thread. A worker pushes each message as a value and goes
// on at once; the GUI thread takes everything queued once a frame and handles it in the order pushed.
// The queue is bounded: a worker waits only when the GUI thread is a whole queue behind, so a fast run
// cannot grow memory without end. A frame handles messages for a few milliseconds at most and comes
// back at once for the rest, so the window keeps answering however fast rows come.
template <typename Message> class WorkerQueue;

// The part that needs no message type: the frame's timing, on the GUI thread.
class WorkerFrames : public QObject {
    Q_OBJECT
public:
    static constexpr int kFrameMs = 16;
    static constexpr int kSliceMs = 1; // the longest a frame handles messages before it lets events in

    // Lives on the thread that creates it, which must be the GUI thread. `frame` takes messages until
    // the deadline and answers whether any are left; `afterFrame` runs at the end of every frame.
    WorkerFrames(std::function<bool(const QElapsedTimer& slice)> frame, std::function<void()> afterFrame);

    // Any thread: a frame is due (something was pushed, or the status changed). Posts at most one request
    // until the frame runs.
    void requestFrame();

signals:
    void frameRequested();

private:
    void scheduled();
    void runFrame();

    std::function<bool(const QElapsedTimer&)> m_frame;
    std::function<void()> m_afterFrame;
    std::atomic<bool> m_requested{false};
    QTimer m_timer;
    QElapsedTimer m_sinceFrame;
};

template <typename Message> class WorkerQueue {
public:
    using Handler = std::function<void(Message&)>;

    explicit WorkerQueue(Handler handler, std::function<void()> afterFrame = {}, std::size_t capacity = 4096)
        : m_handler(std::move(handler))
        , m_capacity(capacity)
        , m_frames([this](const QElapsedTimer& slice) { return handleUntil(&slice); },
                   std::move(afterFrame)) {}

    // Any thread but the GUI thread, which handles its own message at once (after what is queued). Waits
    // while the queue is full, unless it was closed; a message pushed after the close is dropped.
    void push(Message message) {
        if (QThread::currentThread() == m_frames.thread()) {
            drain();
            m_handler(message);
            return;
        }
        {
            std::unique_lock lock(m_mutex);
            m_space.wait(lock, [this] { return m_closed || m_messages.size() < m_capacity; });
            if (m_closed)
                return;
            m_messages.push_back(std::move(message));
        }
        m_frames.requestFrame();
    }
    // Any thread: something the frame reads (the status text) changed.
    void requestFrame() { m_frames.requestFrame(); }

    // GUI thread: handles everything queued now, before what the GUI thread does next (an append of its
    // own, the end of an operation). Nothing happens while a message is being handled: the messages after
    // it were pushed after it and wait their turn.
    void drain() {
        std::size_t queued = 0;
        {
            std::lock_guard lock(m_mutex);
            queued = m_messages.size();
        }
        handleUntil(nullptr, queued);
    }

    // Whether nothing waits to be handled.
    bool empty() const {
        std::lock_guard lock(m_mutex);
        return m_messages.empty();
    }

    // No worker waits for room from now on; what is pushed later is dropped (the program is going away).
    void close() {
        {
            std::lock_guard lock(m_mutex);
            m_closed = true;
        }
        m_space.notify_all();
    }

private:
    // Handles up to `limit` messages, until none is left or the slice is over; answers whether any are
    // left.
    bool handleUntil(const QElapsedTimer* slice, std::size_t limit = SIZE_MAX) {
        if (m_handling) {
            // Asked again while a message is handled: what waits is taken once that is over.
            m_missed = true;
            return false;
        }
        m_handling = true;
        m_missed = false;
        bool left = false;
        while (limit > 0) {
            std::vector<Message> batch;
            {
                std::lock_guard lock(m_mutex);
                const std::size_t count = std::min({m_messages.size(), kBatch, limit});
                batch.reserve(count);
                for (std::size_t i = 0; i < count; ++i) {
                    batch.push_back(std::move(m_messages.front()));
                    m_messages.pop_front();
                }
                left = !m_messages.empty();
                limit -= count;
            }
            m_space.notify_all();
            for (Message& message : batch)
                m_handler(message);
            if (!left || (slice && slice->elapsed() >= WorkerFrames::kSliceMs))
                break;
        }
        m_handling = false;
        if (m_missed || (left && !slice)) {
            // Whatever came meanwhile, or is left after a drain, gets a frame of its own.
            m_missed = false;
            m_frames.requestFrame();
        }
        return left;
    }

    static constexpr std::size_t kBatch = 16;

    Handler m_handler;
    std::size_t m_capacity;
    mutable std::mutex m_mutex;
    std::condition_variable m_space;
    std::deque<Message> m_messages;
    bool m_closed = false;
    bool m_handling = false; // GUI thread
    bool m_missed = false;   // GUI thread: a drain or a frame came while a message was handled
    WorkerFrames m_frames;
};

} // namespace vantrel::ops
