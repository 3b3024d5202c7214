#pragma once

#include "net/IcmpRecords.h"

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::net {

// INADDR_NONE: the answer of inet_addr for a text that is no address (and for 255.255.255.255).
inline constexpr IPAddr kInaddrNone = 0xffffffffu;

// The IPv4 address of a dotted text (the C library's forms: a.b.c.d, a.b.c, a.b, a, each part decimal,
// octal or hexadecimal), in network byte order, or kInaddrNone. The text ends at its first NUL.
IPAddr inet_addr(std::string_view text);

// The dotted form of an address; a value, so no buffer is shared between calls or threads.
std::string inet_ntoa(IPAddr address);
// The same as a QString, written digit by digit (it is made for every request of a run).
QString dottedAddress(IPAddr address);

// The local host's name, or std::nullopt with WSAGetLastError set.
std::optional<std::string> gethostname();

} // namespace vantrel::net
