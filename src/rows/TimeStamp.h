#pragma once

#include <QDateTime>
#include <QString>

namespace vantrel::output {

// The program's time stamp "%b %d, %Y  %H:%M:%S" (English month abbreviation whatever the locale, two
// blanks before the time): 5 March 2008 at 14:07:09 gives "Mar 05, 2008  14:07:09".
QString formatTimeStamp(const QDateTime& time);

} // namespace vantrel::output
