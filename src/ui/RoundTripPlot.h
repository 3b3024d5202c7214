#pragma once

#include <QTimer>
#include <QWidget>
#include <optional>
#include <vector>

namespace vantrel::ui {

// A painted plot of one run's round-trip times: each request's time in milliseconds against its number
// (or against the time since the run started), lost requests as red marks on the axis, and the running
// minimum, average and maximum. Samples are appended in O(1); the plot repaints at most a few times a
// second however fast they come, so it never slows the run that feeds it. Its context menu copies the
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

    std::size_t sampleCount() const { return m_samples.size(); }
    std::size_t lostCount() const { return m_lost; }
    std::optional<double> minimum() const;
    std::optional<double> average() const;
    std::optional<double> maximum() const;
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
    struct Sample {
        double x;
        double rtt; // negative when lost
    };
    void scheduleRepaint();

    Axis m_axis = Axis::Packet;
    std::vector<Sample> m_samples;
    std::size_t m_lost = 0;
    double m_sum = 0.0;
    double m_min = 0.0;
    double m_max = 0.0;
    double m_lastX = 0.0;
    QTimer m_repaint; // coalesces the repaints of many samples into one
};

} // namespace vantrel::ui
