#pragma once

#include <cstdint>
#include <optional>

namespace vantrel::output {

// The Windows-1252 code page, the 8-bit form RTF's \'hh escapes use.

// The byte of a UTF-16 code unit, or nothing where the code page has no such character (controls of the
// range 0x80-0x9F included, and the bytes 0x00-0x7F, which stay 7-bit ASCII).
std::optional<std::uint8_t> toWindows1252(char16_t unit);

// The character of a byte. The five bytes the code page leaves undefined map to themselves.
char16_t fromWindows1252(std::uint8_t byte);

} // namespace vantrel::output
