#include "cli/CliWatchFrontEnd.h"

#include "ops/WatchRows.h"
#include "rows/ShownRow.h"

namespace vantrel::cli {

CliWatchFrontEnd::CliWatchFrontEnd(output::ResultView& view, ops::WatchMetrics& metrics)
    : m_view(view)
    , m_metrics(metrics) {}

void CliWatchFrontEnd::watchProbed(const ops::WatchHostView& host) {
    m_metrics.update(host);
}

void CliWatchFrontEnd::watchStateChanged(const history::StateChange& change, const ops::WatchHostView& host) {
    const output::ResultRow row = ops::watchChangeRow(change, host.name);
    QMetaObject::invokeMethod(
        this, [this, row] { m_view.showResult(output::ShownRow(row)); }, Qt::QueuedConnection);
}

} // namespace vantrel::cli
