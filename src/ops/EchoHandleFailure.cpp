#include "ops/EchoHandleFailure.h"

#include "log/ResultPipeline.h"
#include "ops/OperationFrontEnd.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vantrel::ops {

QString runningProgramPath() {
    const QString real = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!real.isEmpty())
        return real;
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

QString icmpAccessGuidance(const QString& programPath, bool offerCapability) {
    QString guidance = output::fill(output::res::kIcmpAccessHint, programPath);
    if (offerCapability)
        guidance += QLatin1Char('\n') + output::fill(output::res::kIcmpCapabilityHint, programPath);
    return guidance;
}

void reportNoEchoHandle(OperationFrontEnd& frontEnd, output::ResultPipeline& results,
                        const output::TextTemplate<>& workerText, const QString& caption, MessageIcon icon) {
    const QString text = output::text(workerText);
    results.AppendRow(output::makeRow(output::ResultKind::Red, output::res::kNoEchoHandleLine, text));
    // No permission gives a system without IPv6 any: no guidance then.
    const bool noIpv6 = workerText.name == output::res::kIpv6Unavailable.name;
    frontEnd.showMessageBox(caption, noIpv6 ? text : text + QLatin1Char('\n') + frontEnd.icmpAccessGuidance(),
                            icon);
}

} // namespace vantrel::ops
