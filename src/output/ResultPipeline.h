#pragma once

#include "output/ResultKind.h"
#include "output/RtfText.h"
#include "output/StringResource.h"

#include <QDateTime>
#include <QString>
#include <functional>

namespace vantrel::output {

class ResultLog;
class ResultView;

// The one way a fragment reaches the user, for both front ends: format it with its argument, write it to
// the log when logging is on, then hand it to the view with its kind. Call it on the thread that owns the
// view and the log (the GUI thread); workers reach it through their result messages.
class ResultPipeline {
public:
    using Clock = std::function<QDateTime()>;

    // log may be null (no log, as in tests of a view).
    ResultPipeline(ResultLog* log, ResultView& view, Clock clock = &QDateTime::currentDateTime);

    // text is a fragment of the program; when argument is not empty it fills the one "%s" of text,
    // RTF-escaped (the argument is a host, a name or an error text). With an empty argument text is used
    // as it is, percent signs included.
    void AppendResult(const QString& text, const QString& argument, ResultKind kind);
    // A fragment already filled from a template.
    void AppendResult(const RtfText& fragment, ResultKind kind);

    // line holds the host already and ends in "%s", which receives the current time; the line becomes
    // " \par {" + line + "} \par }" and is appended in bold. Nothing else in it is read as a format.
    void AppendStartLine(const QString& line);
    // The current time as the start and end lines show it.
    QString timeStamp() const;

private:
    ResultLog* m_log;
    ResultView& m_view;
    Clock m_clock;
};

// A start line ready for AppendStartLine: the template's first "%s" filled with the escaped host, its
// last left for the time.
QString startLine(const RtfTemplate<RtfText, RtfText>& line, QStringView host);
QString startLine(const RtfTemplate<RtfText>& line, QStringView host);

} // namespace vantrel::output
