#pragma once

#include "rows/ShownRow.h"

namespace vantrel::output {

// Where appended rows are shown: the GUI's Results window, the command line's printer, a recorder in
// tests. Each takes the form of the row it needs (its document, or its RTF without "{\rtf1 ").
class ResultView {
public:
    virtual ~ResultView() = default;
    virtual void showResult(const ShownRow& row) = 0;
};

} // namespace vantrel::output
