#include "ui/RoundTripPlot.h"

#include "text/MessageTexts.h"
#include "ui/PlotAxis.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vantrel::ui {

namespace {

// A repaint at most this often while samples arrive.
constexpr int kRepaintMs = 100;
constexpr int kMargin = 8;

// Room kept inside the frame on the right, so the last request's dot is drawn whole.
constexpr double kInset = 6.0;
// Below this the round trips are labelled in microseconds.
constexpr double kMicrosecondRange = 1.0;

// The trace's colours: blue, green and red that stand out from the plot's base, light or dark.
struct TraceColours {
    QColor line;
    QColor average;
    QColor lost;
};

TraceColours traceColours(const QColor& base) {
    if (base.lightnessF() < 0.5)
        return {QColor(110, 160, 255), QColor(90, 210, 90), QColor(255, 100, 90)};
    return {QColor(0, 0, 255), QColor(0, 160, 0), QColor(255, 0, 0)};
}

QString milliseconds(double value) {
    return QString::number(value, 'f', 3);
}

// What a repaint strokes: the line's segments and where requests were lost. Separate segments rather than
// one path: a wide pen strokes them several times faster, and they look the same.
struct Trace {
    std::vector<QLineF> line;
    std::vector<QLineF> lost; // a short upright mark on the axis each
};

// The answered requests joined in order, a lost one breaking the line and marked on the axis. The buckets
// that fall into one pixel column are drawn as one: a line to its first time and an upright one between its
// extremes, and at most one lost mark, so the cost follows the plot's width, not the run's length.
template <typename ToPoint> Trace traceOf(const RoundTripHistory& history, ToPoint at) {
    Trace trace;
    std::optional<QPointF> end; // where the line goes on from, unless a loss broke it
    const auto draw = [&](const RoundTripHistory::Bucket& column) {
        if (column.lostX) {
            const QPointF onAxis = at(*column.lostX, 0);
            trace.lost.emplace_back(onAxis + QPointF(0, -6), onAxis);
        }
        if (!column.answered) {
            end.reset();
            return;
        }
        const double x = at((column.firstX + column.lastX) / 2, 0).x();
        const QPointF first(x, at(0, column.firstRtt).y());
        if (end && column.startsAnswered && *end != first)
            trace.line.emplace_back(*end, first);
        if (column.minRtt != column.maxRtt)
            trace.line.emplace_back(QPointF(x, at(0, column.minRtt).y()),
                                    QPointF(x, at(0, column.maxRtt).y()));
        end = column.endsAnswered ? std::optional(QPointF(x, at(0, column.lastRtt).y())) : std::nullopt;
    };
    std::optional<RoundTripHistory::Bucket> column;
    int columnX = 0;
    for (const RoundTripHistory::Bucket& bucket : history.buckets()) {
        const int x = int(std::floor(at(bucket.firstX, 0).x()));
        if (column && x == columnX) {
            column->merge(bucket);
            continue;
        }
        if (column)
            draw(*column);
        column = bucket;
        columnX = x;
    }
    if (column)
        draw(*column);
    return trace;
}

} // namespace

RoundTripPlot::RoundTripPlot(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("RoundTripPlot"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_repaint.setSingleShot(true);
    m_repaint.setInterval(kRepaintMs);
    connect(&m_repaint, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void RoundTripPlot::startRun(Axis axis) {
    m_axis = axis;
    m_history.clear();
    update();
}

void RoundTripPlot::addSample(double x, std::optional<double> rttMs) {
    m_history.add(x, rttMs);
    scheduleRepaint();
}

void RoundTripPlot::addSummed(double x, std::optional<double> averageMs, std::size_t requests,
                              std::size_t lost) {
    m_history.addSummed(x, averageMs, requests, lost);
    scheduleRepaint();
}

void RoundTripPlot::scheduleRepaint() {
    if (!m_repaint.isActive() && isVisible())
        m_repaint.start();
}

QString RoundTripPlot::summaryText() const {
    QString text;
    if (const std::optional<double> average = this->average())
        text = output::fill(output::res::kPlotTimes, milliseconds(*minimum()), milliseconds(*average),
                            milliseconds(*maximum()));
    return text + output::fill(output::res::kPlotLost, unsigned(lostCount()), unsigned(sampleCount()));
}

void RoundTripPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const TraceColours colours = traceColours(palette().color(QPalette::Base));
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor text = palette().color(QPalette::Text);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();

    painter.setPen(text);
    // The summary wraps in a narrow pane rather than losing its end (the lost count).
    const QRect summary = metrics.boundingRect(QRect(kMargin, kMargin / 2, width() - 2 * kMargin, 0),
                                               Qt::AlignLeft | Qt::TextWordWrap, summaryText());
    painter.drawText(summary, Qt::AlignLeft | Qt::TextWordWrap, summaryText());
    const int summaryHeight = std::max(line, summary.height());

    // The round trips' axis, in microseconds while it ends below a millisecond; labels in its unit.
    const int rows = std::max(1, (height() - summaryHeight - 4 * line - kMargin) / (2 * line));
    const double top = maximum().value_or(0.0) * 1.1;
    const bool micro = top > 0 && PlotAxis::covering(top, std::min(rows, 5)).end < kMicrosecondRange;
    const double unit = micro ? 1000.0 : 1.0; // axis units per millisecond
    const PlotAxis yAxis =
        PlotAxis::covering(std::max(top * unit, micro ? 10.0 : 1.0), std::min(rows, 5), micro ? 1.0 : 0.0);
    int labelWidth = 0;
    for (const double tick : yAxis.ticks())
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(yAxis.label(tick)));
    const int left = kMargin + labelWidth + 4;
    // Below the summary: the round trips' unit, then the frame (its top label reaches half a line above
    // it), the packet or time labels and the axis' name.
    const int titleTop = kMargin / 2 + summaryHeight + 2;
    const double areaTop = titleTop + line * 1.5 + 2;
    const QRectF area(left, areaTop, width() - left - kMargin,
                      height() - areaTop - 2 * line - 4 - kMargin / 2.0);
    if (area.width() < 10 || area.height() < 10)
        return;
    const double lastX = std::max(m_axis == Axis::Packet ? 10.0 : 60.0, m_history.lastX());
    const int columns =
        std::max(1, int(area.width()) / (metrics.horizontalAdvance(QStringLiteral("00000")) + 8));
    const PlotAxis xAxis = PlotAxis::covering(lastX, std::min(columns, 10), 1.0);
    const double yMax = yAxis.end / unit;
    const double xMax = xAxis.end;

    const auto at = [&](double x, double rtt) {
        return QPointF(area.left() + (area.width() - kInset) * (x / xMax),
                       area.bottom() - area.height() * (rtt / yMax));
    };
    // The frame, a grid line at every tick, and the ticks' labels with the axes' names and units.
    painter.setPen(palette().color(QPalette::Midlight));
    for (const double tick : yAxis.ticks()) {
        const double y = at(0, tick / unit).y();
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    for (const double tick : xAxis.ticks()) {
        const double x = at(tick, 0).x();
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area);
    for (const double tick : xAxis.ticks()) {
        const double x = at(tick, 0).x();
        painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + 3));
    }
    painter.setPen(text);
    for (const double tick : yAxis.ticks())
        painter.drawText(QRectF(kMargin, at(0, tick / unit).y() - line / 2.0, left - kMargin - 4, line),
                         Qt::AlignRight, yAxis.label(tick));
    painter.drawText(
        QRectF(kMargin, titleTop, width() - 2 * kMargin, line), Qt::AlignLeft,
        output::text(micro ? output::res::kPlotMicrosecondsAxis : output::res::kPlotMillisecondsAxis));
    for (const double tick : xAxis.ticks()) {
        const double x = at(tick, 0).x();
        const QString label = xAxis.label(tick);
        const double half = metrics.horizontalAdvance(label) / 2.0 + 1;
        // Kept inside the widget: the first and last label lean inwards.
        const double from = std::clamp(x - half, 0.0, width() - 2 * half);
        painter.drawText(QRectF(from, area.bottom() + 4, 2 * half, line), Qt::AlignHCenter, label);
    }
    painter.drawText(
        QRectF(area.left(), area.bottom() + 4 + line, area.width(), line), Qt::AlignHCenter,
        output::text(m_axis == Axis::Packet ? output::res::kPlotPacketAxis : output::res::kPlotSecondsAxis));

    // The running average.
    if (const std::optional<double> average = this->average()) {
        painter.setPen(QPen(colours.average, 1, Qt::DashLine));
        const double y = at(0, *average).y();
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    const Trace trace = traceOf(m_history, at);
    // A short run is drawn with a 1.5 px line and a dot per request. Beyond that a stroked line would cost
    // tens of milliseconds on a dense trace, where a cosmetic one-pixel line costs well under one.
    const bool few = sampleCount() <= std::size_t(area.width() / 4) && m_history.requestsPerBucket() == 1;
    QPen linePen(colours.line, few ? 1.5 : 1.0);
    linePen.setCosmetic(!few);
    painter.setPen(linePen);
    painter.drawLines(trace.line.data(), int(trace.line.size()));
    if (few) {
        // Filled without an outline, as large as a 1.5 px outline made them: half the cost.
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours.line);
        for (const RoundTripHistory::Bucket& bucket : m_history.buckets())
            if (bucket.answered)
                painter.drawEllipse(at(bucket.firstX, bucket.firstRtt), 2.75, 2.75);
    }
    painter.setPen(QPen(colours.lost, 2));
    painter.drawLines(trace.lost.data(), int(trace.lost.size()));
}

QImage RoundTripPlot::image() {
    return grab().toImage();
}

void RoundTripPlot::copyImage() {
    QApplication::clipboard()->setImage(image());
}

void RoundTripPlot::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(output::text(output::res::kPlotCopy), this, &RoundTripPlot::copyImage);
    menu.exec(event->globalPos());
}

} // namespace vantrel::ui
