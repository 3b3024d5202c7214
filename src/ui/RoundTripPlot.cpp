#include "ui/RoundTripPlot.h"

#include "text/MessageTexts.h"

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

// A round upper end for the axis: 1, 2 or 5 times a power of ten, at least `value`.
double niceCeiling(double value) {
    if (value <= 1.0)
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {1.0, 2.0, 5.0, 10.0})
        if (step * power >= value)
            return step * power;
    return 10.0 * power;
}

QString number(double value) {
    return QString::number(value, 'f', value == std::floor(value) ? 0 : 1);
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

void RoundTripPlot::scheduleRepaint() {
    if (!m_repaint.isActive() && isVisible())
        m_repaint.start();
}

QString RoundTripPlot::summaryText() const {
    QString text;
    if (const std::optional<double> average = this->average())
        text = output::fill(output::res::kPlotTimes, number(*minimum()), QString::number(*average, 'f', 1),
                            number(*maximum()));
    return text + output::fill(output::res::kPlotLost, unsigned(lostCount()), unsigned(sampleCount()));
}

void RoundTripPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
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
    const double top = std::max(1.0, maximum().value_or(0.0)) * 1.1;
    const double yMax = niceCeiling(top);
    const double xMax = std::max(m_axis == Axis::Packet ? 10.0 : 60.0, m_history.lastX());
    const QString yLabel = number(yMax);
    const int left = kMargin + metrics.horizontalAdvance(yLabel) + 4;
    const QRectF area(left, kMargin + summaryHeight + 4, width() - left - kMargin,
                      height() - summaryHeight - 2 * line - kMargin - 4);
    if (area.width() < 10 || area.height() < 10)
        return;

    // Axes, the top value and the x range.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area);
    painter.setPen(text);
    painter.drawText(QRectF(kMargin, area.top() - line / 2.0, left - kMargin - 4, line), Qt::AlignRight,
                     yLabel);
    painter.drawText(QRectF(kMargin, area.bottom() - line / 2.0, left - kMargin - 4, line), Qt::AlignRight,
                     QStringLiteral("0"));
    painter.drawText(QRectF(area.left(), area.bottom() + 2, area.width(), line), Qt::AlignRight,
                     number(xMax));
    painter.drawText(
        QRectF(area.left(), area.bottom() + 2 + line, area.width(), line), Qt::AlignHCenter,
        output::text(m_axis == Axis::Packet ? output::res::kPlotPacketAxis : output::res::kPlotSecondsAxis));

    const auto at = [&](double x, double rtt) {
        return QPointF(area.left() + area.width() * (x / xMax), area.bottom() - area.height() * (rtt / yMax));
    };
    // The running average.
    if (const std::optional<double> average = this->average()) {
        painter.setPen(QPen(QColor(0, 160, 0), 1, Qt::DashLine));
        const double y = at(0, *average).y();
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    const Trace trace = traceOf(m_history, at);
    // A short run is drawn with a 1.5 px line and a dot per request. Beyond that a stroked line would cost
    // tens of milliseconds on a dense trace, where a cosmetic one-pixel line costs well under one.
    const bool few = sampleCount() <= std::size_t(area.width() / 4) && m_history.requestsPerBucket() == 1;
    QPen linePen(QColor(0, 0, 255), few ? 1.5 : 1.0);
    linePen.setCosmetic(!few);
    painter.setPen(linePen);
    painter.drawLines(trace.line.data(), int(trace.line.size()));
    if (few) {
        // Filled without an outline, as large as a 1.5 px outline made them: half the cost.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 255));
        for (const RoundTripHistory::Bucket& bucket : m_history.buckets())
            if (bucket.answered)
                painter.drawEllipse(at(bucket.firstX, bucket.firstRtt), 2.75, 2.75);
    }
    painter.setPen(QPen(QColor(255, 0, 0), 2));
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
