#include "app/RoundTripPlotFeed.h"

#include "ops/ISPinger.h"
#include "ops/OperationControl.h"
#include "ui/RoundTripPlot.h"

namespace vantrel::app {

namespace {

using ops::RecordOperation;
using ops::ResultRecord;

const ops::PathHop* hopOf(const ops::PathSnapshot& snapshot, unsigned hop) {
    for (const ops::PathHop& shown : snapshot.hops)
        if (shown.hop == hop)
            return &shown;
    return nullptr;
}

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
        m_hop = 0;
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

namespace vantrel::app {

void RoundTripPlotFeed::followHop(unsigned hop, const ops::PathSnapshot& current) {
    if (hop == 0) {
        if (m_shown == RecordOperation::PathMonitor)
            m_shown.reset();
        m_hop = 0;
        return;
    }
    m_shown = RecordOperation::PathMonitor;
    m_hop = hop;
    m_plot.startRun(ui::RoundTripPlot::Axis::Packet);
    const ops::PathHop* shown = hopOf(current, hop);
    m_hopSent = shown ? shown->statistics.sent() : 0;
    m_hopReceived = shown ? shown->statistics.received() : 0;
}

void RoundTripPlotFeed::takePath(const ops::PathSnapshot& snapshot) {
    if (m_shown != RecordOperation::PathMonitor || m_hop == 0)
        return;
    const ops::PathHop* hop = hopOf(snapshot, m_hop);
    if (!hop)
        return;
    const ops::HopStatistics& s = hop->statistics;
    // A new run of the monitor: the hop's probes count from 1 again.
    if (s.sent() < m_hopSent || s.received() < m_hopReceived) {
        m_plot.startRun(ui::RoundTripPlot::Axis::Packet);
        m_hopSent = 0;
        m_hopReceived = 0;
    }
    // The table comes about ten times a second: at short intervals more than one answer may have come
    // since the last, and only the last one's time is known. The losses are drawn first, then that time.
    const unsigned answered = s.received() - m_hopReceived;
    const unsigned lost = (s.sent() - m_hopSent) - answered;
    for (unsigned i = 0; i < lost; ++i)
        m_plot.addSample(double(++m_hopSent), std::nullopt);
    if (answered > 0 && s.last())
        m_plot.addSample(double(s.sent()), double(s.last()->count()) / 1000.0);
    m_hopSent = s.sent();
    m_hopReceived = s.received();
}

} // namespace vantrel::app
