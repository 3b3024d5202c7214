#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace vantrel::ui {

// Runs a refresh of the screen at most once a frame however often it is asked for: at once when the
// last run is a frame or more ago, otherwise once at the end of the frame. A stream of requests (a
// row from a worker each few microseconds) costs one run a frame; a single request is served at once.
class FrameThrottle : public QObject {
    Q_OBJECT
public:
    static constexpr int kFrameMs = 16;

    FrameThrottle(std::function<void()> run, QObject* parent);

    void request();
    // Runs at once, and drops a request that waits for the end of the frame.
    void runNow();

private:
    std::function<void()> m_run;
    QElapsedTimer m_sinceRun;
    QTimer m_endOfFrame;
};

} // namespace vantrel::ui
