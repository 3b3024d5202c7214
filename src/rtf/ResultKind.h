#pragma once

#include <cstdint>

namespace vantrel::output {

// How the Results window presents a fragment. The values are part of the worker messages; callers only use
// the named ones, but any other value can arrive and is presented by KindPresenter.
enum class ResultKind : std::int32_t {
    Plain = 0,
    Red = 1,
    Bold = 2,
    RedBold = 3,
    Blue = 4,
    HeaderRow = 5,
    ErrorRow = 9,
};

// A colour as red, green and blue, without a dependency on Qt GUI.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

namespace colors {
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kTomato{255, 99, 71};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kHeaderGrey{160, 160, 160};
inline constexpr Rgb kLogSizeText{18, 0, 0};
} // namespace colors

} // namespace vantrel::output
