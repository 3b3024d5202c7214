#pragma once

#include <cstdint>
#include <string_view>

namespace vantrel::output {

// The largest number a control word carries; larger ones are clamped to it.
inline constexpr int kMaxRtfNumber = 1'000'000'000;

// The control words the reader knows. Those that stand for one character carry it as their value.
enum class RtfWord : std::uint32_t {
    Other,
    Par,
    Line,
    Tab,
    Bold,
    Underline,
    UnderlineNone,
    ColorFore,
    Plain,
    Trowd,
    Cellx,
    CellBackground,
    BorderLeft,
    BorderTop,
    BorderRight,
    BorderBottom,
    BorderWidth,
    BorderNone,
    InTable,
    Pard,
    Cell,
    Row,
    Field,
    Fldinst,
    Fldrslt,
    ColorTable,
    Red,
    Green,
    Blue,
    Unicode,
    FallbackCount,
    Binary,
    SkippedDestination,
    EmDash = 0x2014,
    EnDash = 0x2013,
    Bullet = 0x2022,
    LeftQuote = 0x2018,
    RightQuote = 0x2019,
    LeftDoubleQuote = 0x201C,
    RightDoubleQuote = 0x201D,
};

// The control word of a name ("par", "cellx"); Other for those the reader ignores.
RtfWord rtfWordOf(std::string_view name);

} // namespace vantrel::output
