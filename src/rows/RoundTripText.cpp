#include "rows/RoundTripText.h"

#include <algorithm>

namespace vantrel::output {

QString preciseMilliseconds(std::chrono::microseconds roundTrip) {
    const long long micros = roundTrip.count();
    const QString sign = micros < 0 ? QStringLiteral("-") : QString();
    const long long magnitude = micros < 0 ? -micros : micros;
    return sign + QString::number(magnitude / 1000) + QLatin1Char('.') +
           QStringLiteral("%1").arg(magnitude % 1000, 3, 10, QLatin1Char('0'));
}

unsigned wholeMilliseconds(std::chrono::microseconds roundTrip) {
    return unsigned(std::max<long long>(0, roundTrip.count() / 1000));
}

void showRoundTrip(ResultRow& row, std::size_t slot, std::chrono::microseconds roundTrip, bool precise) {
    if (precise && slot < row.values.size())
        row.values[slot] = preciseMilliseconds(roundTrip);
}

} // namespace vantrel::output
