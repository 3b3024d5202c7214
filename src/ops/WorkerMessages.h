#pragma once

#include <cstdint>

namespace vantrel::ops {

// The messages workers send to the frame, by their historical numbers (WM_APP is 0x8000, WM_USER 0x400).
enum WorkerMessage : std::uint32_t {
    WM_APP_RESULT = 0x8000 + 0x10,        // a result row: the frame appends it
    WM_APP_STATUS = 0x8000 + 0x11,        // the status text changed: the frame shows it
    WM_APP_ICMP_ERROR = 0x8000 + 0x12,    // an IcmpErrorReport: the frame writes the echo-failure row
    WM_APP_CONTPING_DONE = 0x8000 + 0x13, // continuous ping ended: the frame writes its summary
    WM_APP_PING_AGAIN = 0x8000 + 0x14,    // the ping worker ended with ContPing on: the frame pings again
    WM_USER_LOOKUP_DONE = 0x400 + 1,
    WM_USER_ISPINGER_LOOKUP_DONE = 0x400 + 2,
};

// The results table an echo-failure row belongs to.
enum class ErrorLayout : std::uint32_t { PingTable = 6, TraceTable = 7, TraceDnsTable = 8 };

// A failed echo request, for the echo-failure row.
struct IcmpErrorReport {
    std::uint32_t status = 0; // the reply's Status, 0 when the service wrote none
    std::uint32_t packet = 0; // packet number, counted from 1 (ping table)
    std::uint32_t hop = 0;    // hop number (trace tables)
    ErrorLayout layout = ErrorLayout::PingTable;
    bool wide = false; // the table's wide twin, for an IPv6 target
};

} // namespace vantrel::ops
