#include "app/RoundTripPlotFeed.h"

#include "ops/ISPinger.h"
#include "ops/OperationControl.h"
#include "ui/RoundTripPlot.h"

namespace vantrel::app {

namespace {

using ops::RecordOperation;
using ops::ResultRecord;

bool plotted(RecordOperation operation) {
    return operation == RecordOperation::Ping || operation == RecordOperation::ContinuousPing ||
           operation == RecordOperation::ISPinger;
}

} // namespace

RoundTripPlotFeed::RoundTripPlotFeed(ui::RoundTripPlot& plot, ops::OperationControl& control,
                                     ops::ISPinger& ispinger)
    : m_plot(plot)
    , m_control(control)
    , m_ispinger(ispinger) {
    const ops::RecordSink sink = [this](const ResultRecord& record) { take(record); };
    m_control.setRecordSink(sink);
    m_ispinger.setRecordSink(sink);
}

RoundTripPlotFeed::~RoundTripPlotFeed() {
    m_control.setRecordSink({});
    m_ispinger.setRecordSink({});
}

void RoundTripPlotFeed::take(const ResultRecord& record) {
    if (!plotted(record.operation))
        return;
    if (record.kind == ResultRecord::Kind::Start) {
        m_shown = record.operation;
        m_plot.startRun(record.operation == RecordOperation::ISPinger ? ui::RoundTripPlot::Axis::Seconds
                                                                      : ui::RoundTripPlot::Axis::Packet);
        return;
    }
    if (record.kind != ResultRecord::Kind::Row || record.operation != m_shown || !record.packet)
        return;
    const double x = record.elapsedMs ? double(*record.elapsedMs) / 1000.0 : double(*record.packet);
    m_plot.addSample(x, record.roundTrip ? std::optional(double(record.roundTrip->count()) / 1000.0)
                                         : std::nullopt);
}

} // namespace vantrel::app
