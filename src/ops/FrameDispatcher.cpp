#include "ops/FrameDispatcher.h"

#include <QThread>

namespace vantrel::ops {

FrameDispatcher::FrameDispatcher(QObject* parent)
    : QObject(parent) {}

void FrameDispatcher::send(const std::function<void()>& handler) {
    if (QThread::currentThread() == thread()) {
        handler();
        return;
    }
    QMetaObject::invokeMethod(
        this, [&handler] { handler(); }, Qt::BlockingQueuedConnection);
}

void FrameDispatcher::post(std::function<void()> handler) {
    if (QThread::currentThread() == thread()) {
        handler();
        return;
    }
    QMetaObject::invokeMethod(this, std::move(handler), Qt::QueuedConnection);
}

} // namespace vantrel::ops
