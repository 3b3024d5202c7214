#include "output/ResultPipeline.h"

#include "output/ResultLog.h"
#include "output/ResultView.h"
#include "output/RtfFragment.h"
#include "output/TimeStamp.h"

namespace vantrel::output {

ResultPipeline::ResultPipeline(ResultLog* log, ResultView& view, Clock clock)
    : m_log(log)
    , m_view(view)
    , m_clock(std::move(clock)) {}

void ResultPipeline::AppendResult(const QString& text, const QString& argument, ResultKind kind) {
    QString working = text;
    if (!argument.isEmpty()) {
        const std::string format = text.toStdString();
        working = detail::sprintf(format, detail::fmtArg(RtfText::escape(argument)));
    }
    const QString fragment = balancedFragment(working);
    if (m_log)
        m_log->WriteLogFragment(fragment);
    m_view.showResult(fragment, kind);
}

void ResultPipeline::AppendResult(const RtfText& fragment, ResultKind kind) {
    AppendResult(fragment.rtf(), QString(), kind);
}

void ResultPipeline::AppendStartLine(const QString& line) {
    QString filled = line;
    const qsizetype at = filled.lastIndexOf(QLatin1String("%s"));
    const QString stamp = RtfText::escape(formatTimeStamp(m_clock())).rtf();
    if (at >= 0)
        filled.replace(at, 2, stamp);
    AppendResult(QStringLiteral(" \\par {") + filled + QStringLiteral("} \\par }"), QString(),
                 ResultKind::Bold);
}

QString ResultPipeline::timeStamp() const {
    return formatTimeStamp(m_clock());
}

QString startLine(const RtfTemplate<RtfText, RtfText>& line, QStringView host) {
    return fill(line, RtfText::escape(host), RtfText::markup(QStringLiteral("%s"))).rtf();
}

QString startLine(const RtfTemplate<RtfText>& line, QStringView host) {
    return fill(line, RtfText::escape(host)).rtf() + QStringLiteral("%s");
}

} // namespace vantrel::output
