#include "ui/RoundTripPlot.h"

#include "output/MessageTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
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
    m_samples.clear();
    m_lost = 0;
    m_sum = m_min = m_max = m_lastX = 0.0;
    update();
}

void RoundTripPlot::addSample(double x, std::optional<double> rttMs) {
    const double rtt = rttMs ? std::max(0.0, *rttMs) : -1.0;
    m_samples.push_back({x, rtt});
    m_lastX = std::max(m_lastX, x);
    if (!rttMs) {
        ++m_lost;
    } else {
        const bool first = m_samples.size() - m_lost == 1;
        m_sum += rtt;
        m_min = first ? rtt : std::min(m_min, rtt);
        m_max = first ? rtt : std::max(m_max, rtt);
    }
    scheduleRepaint();
}

void RoundTripPlot::scheduleRepaint() {
    if (!m_repaint.isActive() && isVisible())
        m_repaint.start();
}

std::optional<double> RoundTripPlot::minimum() const {
    return m_samples.size() > m_lost ? std::optional(m_min) : std::nullopt;
}

std::optional<double> RoundTripPlot::average() const {
    const std::size_t answered = m_samples.size() - m_lost;
    return answered != 0 ? std::optional(m_sum / double(answered)) : std::nullopt;
}

std::optional<double> RoundTripPlot::maximum() const {
    return m_samples.size() > m_lost ? std::optional(m_max) : std::nullopt;
}

QString RoundTripPlot::summaryText() const {
    QString text;
    if (const std::optional<double> average = this->average())
        text = output::fill(output::res::kPlotTimes, number(m_min), QString::number(*average, 'f', 1),
                            number(m_max));
    return text + output::fill(output::res::kPlotLost, unsigned(m_lost), unsigned(m_samples.size()));
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
    const double top = std::max(1.0, m_max) * 1.1;
    const double yMax = niceCeiling(top);
    const double xMax = std::max(m_axis == Axis::Packet ? 10.0 : 60.0, m_lastX);
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
    // The answered requests joined in order; a lost one breaks the line and is a red mark on the axis.
    QPainterPath path;
    bool open = false;
    std::vector<QPointF> lost;
    for (const Sample& sample : m_samples) {
        if (sample.rtt < 0) {
            lost.push_back(at(sample.x, 0));
            open = false;
            continue;
        }
        const QPointF point = at(sample.x, sample.rtt);
        if (open)
            path.lineTo(point);
        else
            path.moveTo(point);
        open = true;
    }
    painter.setPen(QPen(QColor(0, 0, 255), 1.5));
    painter.drawPath(path);
    if (m_samples.size() <= std::size_t(area.width() / 4)) {
        painter.setBrush(QColor(0, 0, 255));
        for (const Sample& sample : m_samples)
            if (sample.rtt >= 0)
                painter.drawEllipse(at(sample.x, sample.rtt), 2.0, 2.0);
    }
    painter.setPen(QPen(QColor(255, 0, 0), 2));
    for (const QPointF& point : lost)
        painter.drawLine(point + QPointF(0, -6), point);
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
