#include "ops/FrameDispatcher.h"

#include <QThread>

namespace vantrel::ops {

FrameDispatcher::FrameDispatcher(QObject* parent)
    : QObject(parent) {
    connect(this, &FrameDispatcher::handed, this, &FrameDispatcher::runHanded, Qt::QueuedConnection);
}

void FrameDispatcher::send(const std::function<void()>& handler) {
    if (QThread::currentThread() == thread()) {
        handler();
        return;
    }
    bool done = false;
    std::unique_lock lock(m_mutex);
    m_calls.push_back({handler, &done});
    lock.unlock();
    emit handed();
    lock.lock();
    m_ran.wait(lock, [&done] { return done; });
}

void FrameDispatcher::post(std::function<void()> handler) {
    if (QThread::currentThread() == thread()) {
        handler();
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_calls.push_back({std::move(handler), nullptr});
    }
    emit handed();
}

void FrameDispatcher::runHanded() {
    for (;;) {
        Call call;
        {
            std::lock_guard lock(m_mutex);
            if (m_calls.empty())
                return;
            call = std::move(m_calls.front());
            m_calls.pop_front();
        }
        call.handler();
        if (call.done) {
            std::lock_guard lock(m_mutex);
            *call.done = true;
            m_ran.notify_all();
        }
    }
}

} // namespace vantrel::ops
