#include "ops/WatchRows.h"

#include "rows/TimeStamp.h"
#include "text/ResultTexts.h"

#include <QDateTime>

namespace vantrel::ops {

QString watchedHostText(const QString& host, const QString& name) {
    return name.isEmpty() ? host : QStringLiteral("%1 (%2)").arg(host, name);
}

output::ResultRow watchChangeRow(const history::StateChange& change, const QString& name) {
    const bool down = change.to == QLatin1String("down");
    return output::makeRow(down ? output::ResultKind::Red : output::ResultKind::Plain,
                           output::res::kWatchChangeLine, watchedHostText(change.host, name), change.to,
                           output::formatTimeStamp(QDateTime::fromMSecsSinceEpoch(change.timeMs)));
}

} // namespace vantrel::ops
