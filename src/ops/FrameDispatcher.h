#pragma once

#include <QObject>
#include <functional>

namespace vantrel::ops {

// Carries a worker's message to the GUI thread and waits until it has been handled there, as a
// synchronous window message would: the worker's records stay valid meanwhile and the messages of one
// worker are handled in the order sent. A call made on the GUI thread itself runs at once.
// The GUI thread must keep its event loop running while workers are alive.
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
};

} // namespace vantrel::ops
