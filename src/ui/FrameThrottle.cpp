#include "ui/FrameThrottle.h"

namespace vantrel::ui {

FrameThrottle::FrameThrottle(std::function<void()> run, QObject* parent)
    : QObject(parent)
    , m_run(std::move(run)) {
    m_endOfFrame.setSingleShot(true);
    connect(&m_endOfFrame, &QTimer::timeout, this, &FrameThrottle::runNow);
}

void FrameThrottle::request() {
    if (m_endOfFrame.isActive())
        return;
    if (!m_sinceRun.isValid() || m_sinceRun.elapsed() >= kFrameMs)
        runNow();
    else
        m_endOfFrame.start(int(kFrameMs - m_sinceRun.elapsed()));
}

void FrameThrottle::runNow() {
    m_endOfFrame.stop();
    m_sinceRun.start();
    m_run();
}

} // namespace vantrel::ui
