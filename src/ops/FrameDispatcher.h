#pragma once

#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace vantrel::ops {

// Runs a worker's handler on the GUI thread, in the order handed over: send() waits until it has run
// there (for the few steps whose answer the worker needs, such as whether a continuous-ping cycle may
// start), post() does not. A call made on the GUI thread itself runs at once. Handlers travel under this
// object's own lock and the GUI thread is woken by a signal that carries nothing, so every hand-over is
// one a race detector can follow. The GUI thread must keep its event loop running while workers are alive.
class FrameDispatcher : public QObject {
    Q_OBJECT
public:
    // Lives on the thread that creates it, which must be the GUI thread.
    explicit FrameDispatcher(QObject* parent = nullptr);

    void send(const std::function<void()>& handler);
    // Hands `handler` to the GUI thread without waiting for it: it runs after everything this thread
    // sent or posted before, and before everything it sends later. For messages that carry their data
    // by value, so that a worker does not wait for what it need not.
    void post(std::function<void()> handler);

signals:
    void handed();

private:
    struct Call {
        std::function<void()> handler;
        bool* done = nullptr; // set once it ran, for send()
    };

    void runHanded();

    std::mutex m_mutex;
    std::condition_variable m_ran;
    std::deque<Call> m_calls;
};

} // namespace vantrel::ops
