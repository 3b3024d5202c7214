#include "app/DesktopPathMonitor.h"

#include "app/CMainFrame.h"
#include "app/RoundTripPlotFeed.h"
#include "commands/CommandIds.h"
#include "ops/PathReport.h"
#include "text/PathMonitorTexts.h"
#include "ui/PathMonitorPane.h"

#include <QDockWidget>
#include <QTimer>

namespace vantrel::app {

namespace {

std::vector<ui::PathHopFigures> figures(const ops::PathSnapshot& snapshot) {
    std::vector<ui::PathHopFigures> hops;
    hops.reserve(snapshot.hops.size());
    for (const ops::PathHop& hop : snapshot.hops) {
        ui::PathHopFigures shown{hop.hop, {}, {}, ops::hopCells(hop.statistics)};
        for (const ops::HopAddress& address : hop.addresses) {
            shown.addresses.append(QString::fromStdString(address.address.text()));
            shown.names.append(address.name);
        }
        hops.push_back(std::move(shown));
    }
    return hops;
}

} // namespace

DesktopPathMonitor::DesktopPathMonitor(CMainFrame& frame, RoundTripPlotFeed& plotFeed)
    : m_frame(frame)
    , m_pane(frame.pathMonitorPane())
    , m_plotFeed(plotFeed) {
    connect(&m_pane, &ui::PathMonitorPane::hopSelected, this,
            [this](unsigned hop) { m_plotFeed.followHop(hop, m_shown); });
}

void DesktopPathMonitor::pathMonitorStarting() {
    m_running = true;
    // The pane comes to the front where the user can watch the run, each step on a turn of the event loop
    // of its own after the command's, so that the window pauses a few times briefly rather than once for
    // long: its tab first when the user had closed it, then its page. A 1 ms timer, as a 0 ms one would
    // run with the command's own posted events.
    QTimer::singleShot(1, this, [this] {
        QDockWidget* dock = m_frame.pane(cmd::kPathMonitorPane);
        if (!dock)
            return;
        if (dock->isHidden()) {
            dock->show();
            QTimer::singleShot(1, dock, &QDockWidget::raise);
        } else {
            dock->raise();
        }
    });
}

void DesktopPathMonitor::showPathSnapshot(const ops::PathSnapshot& snapshot) {
    if (!m_running)
        pathMonitorStarting();
    m_shown = snapshot;
    m_running = !snapshot.final;
    namespace res = output::res;
    m_pane.showHeading(
        output::fill(snapshot.final ? res::kPathMonitorPaneStopped : res::kPathMonitorPaneRunning,
                     snapshot.host, snapshot.rounds));
    m_pane.showHops(figures(snapshot));
    m_plotFeed.takePath(snapshot);
}

} // namespace vantrel::app
