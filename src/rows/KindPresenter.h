#pragma once

#include "rtf/ResultKind.h"

#include <optional>

namespace vantrel::output {

// The character format set at the insertion point before a fragment is inserted.
struct CharFormat {
    Rgb text = colors::kBlack;
    bool bold = false;
    Rgb background = colors::kWhite;

    bool operator==(const CharFormat&) const = default;
};

// Turns a fragment's kind into the insertion format of the Results window. Plain is the default look:
// a plain row after an error row or a header is drawn black on white, not in the colours they left.
// A kind outside the table keeps the colour and boldness of the previous non-plain kind on white, so
// it needs the memory this class keeps (one per window).
class KindPresenter {
public:
    // The format to apply for kind.
    CharFormat formatFor(ResultKind kind);

    // The fixed format of a kind in the table; nothing for Plain and for values outside it.
    static std::optional<CharFormat> tableFormat(ResultKind kind);

private:
    CharFormat m_previous; // black, not bold, white until a non-plain kind arrives
};

} // namespace vantrel::output
