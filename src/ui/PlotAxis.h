#pragma once

#include <QString>
#include <vector>

namespace vantrel::ui {

// A plot's axis from 0 to a round end: ticks at every multiple of a round step (1, 2 or 5 times a power of
// ten), so that the labels read as people write numbers.
struct PlotAxis {
    double end = 1.0;
    double step = 1.0;

    // The axis that covers `largest` in at most `intervals` steps, none smaller than `smallestStep`.
    static PlotAxis covering(double largest, int intervals, double smallestStep = 0.0);

    std::vector<double> ticks() const;
    // A tick's label, with as many decimals as the step needs.
    QString label(double value) const;
};

} // namespace vantrel::ui
