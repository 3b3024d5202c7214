#include "rows/KindPresenter.h"

namespace vantrel::output {

std::optional<CharFormat> KindPresenter::tableFormat(ResultKind kind) {
    using namespace colors;
    switch (kind) {
    case ResultKind::Red:
        return CharFormat{kRed, false, kWhite};
    case ResultKind::Bold:
        return CharFormat{kBlack, true, kWhite};
    case ResultKind::RedBold:
        return CharFormat{kRed, true, kWhite};
    case ResultKind::Blue:
        return CharFormat{kBlue, false, kWhite};
    case ResultKind::HeaderRow:
        return CharFormat{kBlack, true, kHeaderGrey};
    case ResultKind::ErrorRow:
        return CharFormat{kWhite, false, kRed};
    case ResultKind::Plain:
        break;
    }
    return std::nullopt;
}

CharFormat KindPresenter::formatFor(ResultKind kind) {
    if (kind == ResultKind::Plain)
        return CharFormat{};
    CharFormat format;
    if (auto fixed = tableFormat(kind)) {
        format = *fixed;
    } else {
        format = CharFormat{m_previous.text, m_previous.bold, colors::kWhite};
        // White text inherited from an error row would vanish on the white background.
        if (format.text == colors::kWhite)
            format.text = colors::kBlack;
    }
    m_previous = format;
    return format;
}

} // namespace vantrel::output
