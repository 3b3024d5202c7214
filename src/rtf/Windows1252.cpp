#include "rtf/Windows1252.h"

#include <array>

namespace vantrel::output {
namespace {

// The characters of the bytes 0x80 to 0x9F; undefined bytes hold themselves.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

std::optional<std::uint8_t> toWindows1252(char16_t unit) {
    if (unit >= 0xA0 && unit <= 0xFF)
        return std::uint8_t(unit);
    if (unit < 0x100)
        return std::nullopt; // ASCII is not escaped, and 0x80-0x9F are controls in Unicode
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == unit)
            return std::uint8_t(0x80 + i);
    }
    return std::nullopt;
}

char16_t fromWindows1252(std::uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return char16_t(byte);
}

} // namespace vantrel::output
