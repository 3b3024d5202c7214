#pragma once

#include "ops/PathMonitorView.h"

#include <optional>

namespace vantrel::cli {

class RecordPrinter;
class TerminalOutput;

// The path monitor on the command line while it runs. `live`: the table redrawn in place with plain ANSI
// (cursor up, erase line) at every snapshot, and erased at the end, where the report follows. `stream`:
// one JSON line for every round, the table as it stood when the next round began (the last one at the
// end).
class TerminalPathView final : public ops::PathMonitorView {
public:
    TerminalPathView(TerminalOutput& output, bool live, RecordPrinter* stream)
        : m_output(output)
        , m_live(live)
        , m_stream(stream) {}

    void showPathSnapshot(const ops::PathSnapshot& snapshot) override;

private:
    void draw(const ops::PathSnapshot& snapshot);
    void erase();
    void streamRound(const ops::PathSnapshot& snapshot);

    TerminalOutput& m_output;
    bool m_live;
    RecordPrinter* m_stream;
    int m_drawnLines = 0;
    std::optional<ops::PathSnapshot> m_round; // the latest table of the round not yet streamed
};

} // namespace vantrel::cli
