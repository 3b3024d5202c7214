#pragma once

#include "output/ResultKind.h"

#include <QString>

namespace vantrel::output {

// Where appended fragments are shown: the GUI's Results window, the command line's printer, a recorder
// in tests. It receives each fragment as formatted and balanced (without "{\rtf1 "), with its kind.
class ResultView {
public:
    virtual ~ResultView() = default;
    virtual void showResult(const QString& fragment, ResultKind kind) = 0;
};

} // namespace vantrel::output
