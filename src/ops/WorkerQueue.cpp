#include "ops/WorkerQueue.h"

namespace vantrel::ops {

WorkerFrames::WorkerFrames(std::function<bool(const QElapsedTimer&)> frame, std::function<void()> afterFrame)
    : m_frame(std::move(frame))
    , m_afterFrame(std::move(afterFrame)) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &WorkerFrames::runFrame);
    // The one way in from other threads: a signal that carries nothing, connected once.
    connect(this, &WorkerFrames::frameRequested, this, &WorkerFrames::scheduled, Qt::QueuedConnection);
    m_sinceFrame.start();
}

void WorkerFrames::requestFrame() {
    if (!m_requested.exchange(true))
        emit frameRequested();
}

void WorkerFrames::scheduled() {
    if (m_timer.isActive())
        return;
    m_timer.start(std::max<int>(0, kFrameMs - int(m_sinceFrame.elapsed())));
}

void WorkerFrames::runFrame() {
    // Cleared first: whatever is pushed from here on asks for the next frame.
    m_requested = false;
    m_sinceFrame.restart();
    QElapsedTimer slice;
    slice.start();
    const bool left = m_frame(slice);
    if (m_afterFrame)
        m_afterFrame();
    if (left) {
        // Behind: the rest right after the events that came meanwhile, whether or not a worker asked for a
        // frame during this one (that request would wait for the next frame's time).
        m_requested = true;
        m_timer.start(0);
    }
}

} // namespace vantrel::ops
