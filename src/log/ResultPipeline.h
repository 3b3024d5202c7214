#pragma once

#include "rows/ResultRow.h"
#include "rows/TimeStamp.h"
#include "rtf/ResultKind.h"
#include "rtf/RtfText.h"
#include "text/StringResource.h"

#include <QDateTime>
#include <QString>
#include <functional>

namespace vantrel::output {

class ResultLog;
class ResultView;

// The one way a row reaches the user, for both front ends: its time stamp filled in, written to the log
// when logging is on, then shown by the view. Call it on the thread that owns the view and the log (the
// GUI thread); workers hand their rows over to that thread.
class ResultPipeline {
public:
    // log may be null (no log, as in tests of a view).
    ResultPipeline(ResultLog* log, ResultView& view, Clock clock = &QDateTime::currentDateTime);

    void AppendRow(ResultRow row);
    // RTF from outside the program: when argument is not empty it fills the one "%s" of text,
    // RTF-escaped; with an empty argument text is used as it is, percent signs included. The fragment is
    // balanced before it is written.
    void AppendResult(const QString& text, const QString& argument, ResultKind kind);

    // Runs before every append, so that rows other threads handed over earlier come first (a front end
    // that takes rows from workers sets it).
    void setBeforeAppend(std::function<void()> hook) { m_beforeAppend = std::move(hook); }

    // Fills a time-stamped row's stamp with the moment now, once: a row stamped keeps its stamp. Any
    // thread: a worker stamps its rows as it hands them over.
    void stamp(ResultRow& row) const;

private:
    void append(const class ShownRow& row);

    ResultLog* m_log;
    ResultView& m_view;
    TimeStamper m_stamper;
    std::function<void()> m_beforeAppend;
};

} // namespace vantrel::output
