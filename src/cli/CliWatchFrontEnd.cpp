#include "cli/CliWatchFrontEnd.h"

#include "ops/WatchRows.h"
#include "rows/ShownRow.h"

namespace vantrel::cli {

CliWatchFrontEnd::CliWatchFrontEnd(output::ResultView& view)
    : m_view(view) {}

void CliWatchFrontEnd::watchProbed(const ops::WatchHostView&) {}

void CliWatchFrontEnd::watchStateChanged(const history::StateChange& change, const ops::WatchHostView& host) {
    const output::ResultRow row = ops::watchChangeRow(change, host.name);
    QMetaObject::invokeMethod(
        this, [this, row] { m_view.showResult(output::ShownRow(row)); }, Qt::QueuedConnection);
}

} // namespace vantrel::cli
