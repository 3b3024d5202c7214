#pragma once

#include <QString>

namespace vantrel::output {

// A monitored hop's figures as its tables show them: loss in percent with one decimal, times in
// milliseconds with three decimals (empty before an answer).
struct HopCells {
    QString loss;
    QString sent;
    QString last;
    QString average;
    QString best;
    QString worst;
    QString deviation;
    QString jitter;
};

} // namespace vantrel::output
