#pragma once

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
// beside the others and would otherwise mix its requests into theirs).
class RoundTripPlotFeed {
public:
    RoundTripPlotFeed(ui::RoundTripPlot& plot, ops::OperationControl& control, ops::ISPinger& ispinger);
    ~RoundTripPlotFeed();
    RoundTripPlotFeed(const RoundTripPlotFeed&) = delete;
    RoundTripPlotFeed& operator=(const RoundTripPlotFeed&) = delete;

    void take(const ops::ResultRecord& record);

private:
    ui::RoundTripPlot& m_plot;
    ops::OperationControl& m_control;
    ops::ISPinger& m_ispinger;
    std::optional<ops::RecordOperation> m_shown; // the run the plot follows
};

} // namespace vantrel::app
