#pragma once

#include <QString>

namespace vantrel::ops {

// The host as typed into the host box, made ready for an operation: blanks trimmed at both ends, every
// "http://" and "https://" removed whatever their case, and a pasted web address cut at its first "/"
// (its path names no host). A text of blanks alone names no host, nor does one that is only a web
// prefix; one of 100 characters or more is too long, and one with a control character inside (a pasted
// line break) names no host either.
struct HostText {
    enum class Problem { None, Empty, TooLong, ControlCharacter };

    QString host;
    Problem problem = Problem::None;
};

HostText cleanHostText(const QString& typed);

} // namespace vantrel::ops
