#pragma once

#include "ops/WatchFrontEnd.h"
#include "rows/ResultView.h"

#include <QObject>

namespace vantrel::cli {

// `watch run`'s front end: each change of state becomes a line of the program's on the terminal, handed
// from the runner's thread to this object's.
class CliWatchFrontEnd final : public QObject, public ops::WatchFrontEnd {
    Q_OBJECT
public:
    explicit CliWatchFrontEnd(output::ResultView& view);

    void watchProbed(const ops::WatchHostView& host) override;
    void watchStateChanged(const history::StateChange& change, const ops::WatchHostView& host) override;

private:
    output::ResultView& m_view;
};

} // namespace vantrel::cli
