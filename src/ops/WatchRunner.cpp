#include "ops/WatchRunner.h"

#include <QDateTime>

namespace vantrel::ops {

namespace {

// How long a step waits for answers at most, so that names looked up meanwhile are taken up soon.
constexpr std::chrono::milliseconds kLongestWait{250};

} // namespace

WatchRunner::WatchRunner(const ProberMaker& makeProber)
    : m_startMs(QDateTime::currentMSecsSinceEpoch())
    , m_started(std::chrono::steady_clock::now())
    , m_prober(makeProber(m_startMs)) {
    m_thread = std::thread([this] {
        while (!m_stopping.load())
            m_prober->step(nowMs(), kLongestWait);
    });
}

WatchRunner::~WatchRunner() {
    m_stopping = true;
    m_prober->interrupt();
    m_thread.join();
}

std::int64_t WatchRunner::nowMs() const {
    return m_startMs +
           std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_started)
               .count();
}

} // namespace vantrel::ops
