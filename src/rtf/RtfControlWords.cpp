#include "rtf/RtfControlWords.h"

#include <unordered_map>

namespace vantrel::output {

RtfWord rtfWordOf(std::string_view name) {
    static const std::unordered_map<std::string_view, RtfWord> kWords = {
        {"par", RtfWord::Par},
        {"line", RtfWord::Line},
        {"tab", RtfWord::Tab},
        {"b", RtfWord::Bold},
        {"ul", RtfWord::Underline},
        {"ulnone", RtfWord::UnderlineNone},
        {"cf", RtfWord::ColorFore},
        {"plain", RtfWord::Plain},
        {"trowd", RtfWord::Trowd},
        {"cellx", RtfWord::Cellx},
        {"clcbpat", RtfWord::CellBackground},
        {"clbrdrl", RtfWord::BorderLeft},
        {"clbrdrt", RtfWord::BorderTop},
        {"clbrdrr", RtfWord::BorderRight},
        {"clbrdrb", RtfWord::BorderBottom},
        {"brdrw", RtfWord::BorderWidth},
        {"brdrnone", RtfWord::BorderNone},
        {"intbl", RtfWord::InTable},
        {"pard", RtfWord::Pard},
        {"cell", RtfWord::Cell},
        {"row", RtfWord::Row},
        {"field", RtfWord::Field},
        {"fldinst", RtfWord::Fldinst},
        {"fldrslt", RtfWord::Fldrslt},
        {"colortbl", RtfWord::ColorTable},
        {"red", RtfWord::Red},
        {"green", RtfWord::Green},
        {"blue", RtfWord::Blue},
        {"u", RtfWord::Unicode},
        {"uc", RtfWord::FallbackCount},
        {"bin", RtfWord::Binary},
        {"fonttbl", RtfWord::SkippedDestination},
        {"stylesheet", RtfWord::SkippedDestination},
        {"info", RtfWord::SkippedDestination},
        {"pict", RtfWord::SkippedDestination},
        {"header", RtfWord::SkippedDestination},
        {"footer", RtfWord::SkippedDestination},
        {"object", RtfWord::SkippedDestination},
        {"filetbl", RtfWord::SkippedDestination},
        {"listtable", RtfWord::SkippedDestination},
        {"listoverridetable", RtfWord::SkippedDestination},
        {"revtbl", RtfWord::SkippedDestination},
        {"rsidtbl", RtfWord::SkippedDestination},
        {"generator", RtfWord::SkippedDestination},
        {"emdash", RtfWord::EmDash},
        {"endash", RtfWord::EnDash},
        {"bullet", RtfWord::Bullet},
        {"lquote", RtfWord::LeftQuote},
        {"rquote", RtfWord::RightQuote},
        {"ldblquote", RtfWord::LeftDoubleQuote},
        {"rdblquote", RtfWord::RightDoubleQuote},
    };
    const auto found = kWords.find(name);
    return found == kWords.end() ? RtfWord::Other : found->second;
}

} // namespace vantrel::output
