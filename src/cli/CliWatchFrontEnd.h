#pragma once

#include "ops/WatchFrontEnd.h"
#include "ops/WatchMetrics.h"
#include "rows/ResultView.h"

#include <QObject>

namespace vantrel::cli {

// `watch run`'s front end: each change of state becomes a line of the program's on the terminal, handed
// from the runner's thread to this object's; every probe updates the figures a scraper reads.
class CliWatchFrontEnd final : public QObject, public ops::WatchFrontEnd {
    Q_OBJECT
public:
    CliWatchFrontEnd(output::ResultView& view, ops::WatchMetrics& metrics);

    void watchProbed(const ops::WatchHostView& host) override;
    void watchStateChanged(const history::StateChange& change, const ops::WatchHostView& host) override;

private:
    output::ResultView& m_view;
    ops::WatchMetrics& m_metrics;
};

} // namespace vantrel::cli
