#include "log/ResultPipeline.h"

#include "log/ResultLog.h"
#include "rows/ResultView.h"
#include "rtf/RtfFragment.h"

namespace vantrel::output {

ResultPipeline::ResultPipeline(ResultLog* log, ResultView& view, Clock clock)
    : m_log(log)
    , m_view(view)
    , m_stamper(std::move(clock)) {}

void ResultPipeline::AppendRow(ResultRow row) {
    if (m_beforeAppend)
        m_beforeAppend();
    stamp(row);
    append(ShownRow(row));
}

void ResultPipeline::AppendResult(const QString& text, const QString& argument, ResultKind kind) {
    if (m_beforeAppend)
        m_beforeAppend();
    QString working = text;
    if (!argument.isEmpty()) {
        const std::string format = text.toStdString();
        working = detail::sprintf(format, detail::fmtArg(RtfText::escape(argument)));
    }
    append(ShownRow(balancedFragment(working), kind));
}

void ResultPipeline::append(const ShownRow& row) {
    if (m_log && m_log->isLogging())
        m_log->WriteLogFragment(row.rtf());
    m_view.showResult(row);
}

void ResultPipeline::stamp(ResultRow& row) const {
    if (!row.timeStamped)
        return;
    if (row.line && row.line->valueCount() > 0)
        row.values[row.line->valueCount() - 1] = m_stamper.now();
    row.timeStamped = false;
}

} // namespace vantrel::output
