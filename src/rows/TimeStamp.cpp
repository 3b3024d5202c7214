#include "rows/TimeStamp.h"

#include <array>

namespace vantrel::output {

QString formatTimeStamp(const QDateTime& time) {
    static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate date = time.date();
    const QTime clock = time.time();
    if (!date.isValid() || !clock.isValid())
        return QString();
    return QStringLiteral("%1 %2, %3  %4:%5:%6")
        .arg(QLatin1String(kMonths[std::size_t(date.month() - 1)]))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(clock.hour(), 2, 10, QLatin1Char('0'))
        .arg(clock.minute(), 2, 10, QLatin1Char('0'))
        .arg(clock.second(), 2, 10, QLatin1Char('0'));
}

} // namespace vantrel::output
