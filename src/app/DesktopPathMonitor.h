#pragma once

#include "ops/PathMonitorView.h"

#include <QObject>

namespace vantrel::ui {
class PathMonitorPane;
}

namespace vantrel::app {

class CMainFrame;
class RoundTripPlotFeed;

// The path monitor in the window: its table in the Path Monitor pane, shown and raised when a run
// starts, updated in place with each table the monitor sends; the hop the user selects there is drawn in
// the round-trip plot.
class DesktopPathMonitor final : public QObject, public ops::PathMonitorView {
    Q_OBJECT
public:
    DesktopPathMonitor(CMainFrame& frame, RoundTripPlotFeed& plotFeed);

    void pathMonitorStarting() override;
    void showPathSnapshot(const ops::PathSnapshot& snapshot) override;

private:
    CMainFrame& m_frame;
    ui::PathMonitorPane& m_pane;
    RoundTripPlotFeed& m_plotFeed;
    ops::PathSnapshot m_shown;
    bool m_running = false;
};

} // namespace vantrel::app
