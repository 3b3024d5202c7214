#pragma once

#include "ops/PathSnapshot.h"

namespace vantrel::ops {

// What shows the path monitor's table as it runs: the desktop's pane, the command line's live table, a
// test's recorder. Every call comes on the GUI thread with the table as a value, the names known so far
// filled in; a name that arrives later brings the same table again with it.
class PathMonitorView {
public:
    virtual ~PathMonitorView() = default;
    // A run starts: its first table comes when the first round's answers do.
    virtual void pathMonitorStarting() {}
    virtual void showPathSnapshot(const PathSnapshot& snapshot) = 0;
};

} // namespace vantrel::ops
