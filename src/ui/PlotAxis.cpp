#include "ui/PlotAxis.h"

#include <algorithm>
#include <cmath>

namespace vantrel::ui {

namespace {

// The least of 1, 2 or 5 times a power of ten that is at least `value` (> 0).
double roundUp(double value) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * power >= value * (1 - 1e-9))
            return factor * power;
    return 10.0 * power;
}

} // namespace

PlotAxis PlotAxis::covering(double largest, int intervals, double smallestStep) {
    const double span = std::max({largest, smallestStep, 1e-9});
    PlotAxis axis;
    axis.step = std::max(roundUp(span / std::max(1, intervals)), smallestStep);
    axis.end = std::max(1.0, std::ceil(span / axis.step - 1e-9)) * axis.step;
    return axis;
}

std::vector<double> PlotAxis::ticks() const {
    std::vector<double> ticks;
    const int count = int(std::lround(end / step));
    for (int i = 0; i <= count; ++i)
        ticks.push_back(step * i);
    return ticks;
}

QString PlotAxis::label(double value) const {
    const int decimals = std::clamp(int(std::ceil(-std::log10(step) - 1e-9)), 0, 6);
    return QString::number(value, 'f', decimals);
}

} // namespace vantrel::ui
