#pragma once

#include "ui/RoundTripHistory.h"

#include <QTimer>
#include <QWidget>
#include <optional>

namespace vantrel::ui {

// A painted plot of one run's round-trip times: each request's time against its number (or against the
// time since the run started), on axes with ticks at round values (round trips in microseconds while they
// stay below a millisecond, else in milliseconds), lost requests as red marks on the axis, and the running
// minimum, average and maximum to the microsecond. Samples are appended in O(1) into a bounded history; the
// plot repaints at most a few times a second however fast they come, and a repaint draws at most a few points
// per pixel column however long the run, so it never slows the run that feeds it. Its context menu copies the
// plot to the clipboard as an image.
class RoundTripPlot : public QWidget {
    Q_OBJECT
public:
    enum class Axis { Packet, Seconds };

    explicit RoundTripPlot(QWidget* parent = nullptr);

    // A new run: the last one's samples go, and x is counted along `axis` from now on.
    void startRun(Axis axis);
    // One request at `x` (its number, or seconds since the start): its round-trip time, or lost.
    void addSample(double x, std::optional<double> rttMs);
    // Several requests summed at `x` (a minute of a history): their average, and a lost mark when any was.
    void addSummed(double x, std::optional<double> averageMs, std::size_t requests, std::size_t lost);

    const RoundTripHistory& history() const { return m_history; }
    std::size_t sampleCount() const { return m_history.count(); }
    std::size_t lostCount() const { return m_history.lostCount(); }
    std::optional<double> minimum() const { return m_history.minimum(); }
    std::optional<double> average() const { return m_history.average(); }
    std::optional<double> maximum() const { return m_history.maximum(); }
    // The legend line: the running times once something was answered, and the losses.
    QString summaryText() const;
    // The plot as an image of its current size.
    QImage image();
    // Puts image() on the clipboard.
    void copyImage();

    QSize sizeHint() const override { return {360, 220}; }
    QSize minimumSizeHint() const override { return {160, 100}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void scheduleRepaint();

    Axis m_axis = Axis::Packet;
    RoundTripHistory m_history;
    QTimer m_repaint; // coalesces the repaints of many samples into one
};

} // namespace vantrel::ui
