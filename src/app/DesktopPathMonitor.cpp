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
    // The pane comes to the front, where the user can watch the run: right after the command, apart from
    // it and from the first table, so the window pauses three times briefly rather than once for long.
    m_running = true;
    QTimer::singleShot(0, this, [this] {
        if (QDockWidget* dock = m_frame.pane(cmd::kPathMonitorPane)) {
            dock->show();
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
