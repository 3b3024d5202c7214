#pragma once

#include <QString>
#include <cstddef>
#include <vector>

namespace vantrel::ops {

// The data of an echo request made from a text: one byte per character (the low 8 bits of each UTF-16
// unit), up to the first zero byte, followed by two zero bytes.
std::vector<std::byte> echoRequestData(const QString& text);

// The ping's data text: the Ping String, or "Yiv" when it is longer than 5000 characters.
QString pingDataText(const QString& pingString);

// Returned echo data as text: the bytes up to the first zero byte, read as Windows-1252.
QString returnedDataText(const std::byte* data, std::size_t size);

} // namespace vantrel::ops
