#pragma once

#include "ops/PathSnapshot.h"
#include "ops/ResultRecord.h"

#include <optional>

namespace vantrel::ops {
class OperationControl;
class ISPinger;
} // namespace vantrel::ops
namespace vantrel::ui {
class RoundTripPlot;
}

namespace vantrel::app {

// Feeds the round-trip plot from the records of ping, continuous ping and ISPinger: each run that starts
// takes the plot over, and only its own requests are drawn until the next one starts (ISPinger runs
// beside the others and would otherwise mix its requests into theirs). A hop of the path monitor chosen by
// the user takes the plot over the same way: its probes are drawn from then on, one per probe number.
class RoundTripPlotFeed {
public:
    RoundTripPlotFeed(ui::RoundTripPlot& plot, ops::OperationControl& control, ops::ISPinger& ispinger);
    ~RoundTripPlotFeed();
    RoundTripPlotFeed(const RoundTripPlotFeed&) = delete;
    RoundTripPlotFeed& operator=(const RoundTripPlotFeed&) = delete;

    void take(const ops::ResultRecord& record);
    // Follows `hop` of the path monitor from the table `current` on (0: stops following).
    void followHop(unsigned hop, const ops::PathSnapshot& current);
    // The path monitor's table again: the followed hop's new probes are drawn.
    void takePath(const ops::PathSnapshot& snapshot);

private:
    ui::RoundTripPlot& m_plot;
    ops::OperationControl& m_control;
    ops::ISPinger& m_ispinger;
    std::optional<ops::RecordOperation> m_shown; // the run the plot follows
    // The path monitor's hop followed, and its probes already drawn.
    unsigned m_hop = 0;
    unsigned m_hopSent = 0;
    unsigned m_hopReceived = 0;
};

} // namespace vantrel::app
