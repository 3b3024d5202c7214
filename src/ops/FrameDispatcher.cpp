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

} // namespace vantrel::ops
