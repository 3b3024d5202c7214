#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

namespace vantrel::output {

// The program's time stamp "%b %d, %Y  %H:%M:%S" (English month abbreviation whatever the locale, two
// blanks before the time): 5 March 2008 at 14:07:09 gives "Mar 05, 2008  14:07:09".
QString formatTimeStamp(const QDateTime& time);

// Where the time stamps read the time: the local time, or a fixed moment in tests.
using Clock = std::function<QDateTime()>;

// The one way a moment is stamped, for the rows' stamps and the log's time lines alike.
class TimeStamper {
public:
    explicit TimeStamper(Clock clock = &QDateTime::currentDateTime)
        : m_clock(std::move(clock)) {}

    // The clock's moment now, in the program's format.
    QString now() const { return formatTimeStamp(m_clock()); }

private:
    Clock m_clock;
};

} // namespace vantrel::output
