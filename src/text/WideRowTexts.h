#pragma once

// The wide twins of the row templates, for rows that show an IPv6 address: the same RTF with the address
// cell wide enough for a full address (41 characters with an interface) and the cells after it moved
// right. The widest table still ends at 10,300 twips, inside an A4 page's printable width. Each twin's
// resource ID is its original's plus 100. IPv4 rows keep the originals; SeqScan, IPv4 only, has none.

#include "text/ResultTexts.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace vantrel::output {

// A cell edge (`\cellxN`, twips) of a narrow table and where the wide twin puts it; other edges stay.
struct CellEdgeMove {
    int from;
    int to;
};

namespace detail {

template <std::size_t Capacity> struct WideText {
    std::array<char, Capacity> chars{};
    std::size_t length = 0;
};

template <std::size_t Capacity, std::size_t Moves>
constexpr WideText<Capacity> widenCells(std::string_view narrow,
                                        const std::array<CellEdgeMove, Moves>& moves) {
    constexpr std::string_view kCellx = "\\cellx";
    WideText<Capacity> wide;
    const auto put = [&wide](char c) {
        if (wide.length == Capacity)
            throw "a wide row outgrew its room"; // a compile-time error: twins are made at compile time
        wide.chars[wide.length++] = c;
    };
    for (std::size_t i = 0; i < narrow.size();) {
        if (narrow.substr(i, kCellx.size()) != kCellx) {
            put(narrow[i++]);
            continue;
        }
        for (char c : kCellx)
            put(c);
        i += kCellx.size();
        int edge = 0;
        while (i < narrow.size() && narrow[i] >= '0' && narrow[i] <= '9')
            edge = edge * 10 + (narrow[i++] - '0');
        for (const CellEdgeMove& move : moves) {
            if (move.from == edge) {
                edge = move.to;
                break;
            }
        }
        std::array<char, 8> digits{};
        std::size_t count = 0;
        do {
            digits[count++] = char('0' + edge % 10);
            edge /= 10;
        } while (edge != 0);
        while (count != 0)
            put(digits[--count]);
    }
    return wide;
}

// Every edge can grow by a digit; no table has more than eight.
template <const auto& Narrow, const auto& Moves>
inline constexpr auto kWideText = widenCells<Narrow.text.size() + 8>(Narrow.text, Moves);

} // namespace detail

// The twin of `Narrow` with its edges moved, under its own resource ID and name.
template <const auto& Narrow, const auto& Moves> constexpr auto widened(int id, std::string_view name) {
    auto wide = Narrow;
    wide.id = id;
    wide.name = name;
    wide.text = std::string_view(detail::kWideText<Narrow, Moves>.chars.data(),
                                 detail::kWideText<Narrow, Moves>.length);
    return wide;
}

namespace res {

// Where each table's edges go: the address cell gains 2,000 twips (lookup: 1,000), the cells after it follow.
inline constexpr std::array kPingEdges{CellEdgeMove{3000, 5000}, CellEdgeMove{4000, 6000},
                                       CellEdgeMove{5000, 7000}, CellEdgeMove{7000, 9000}};
inline constexpr std::array kTraceEdges{CellEdgeMove{3000, 5000}, CellEdgeMove{4000, 6000},
                                        CellEdgeMove{9000, 10300}};
inline constexpr std::array kScanEdges{CellEdgeMove{2000, 4000}, CellEdgeMove{3000, 5000},
                                       CellEdgeMove{8000, 10000}};
inline constexpr std::array kLookupEdges{CellEdgeMove{5000, 6000}};

inline constexpr auto kPingHeaderRowWide = widened<kPingHeaderRow, kPingEdges>(5600, "PingHeaderRowWide");
inline constexpr auto kPingReplyRowWide = widened<kPingReplyRow, kPingEdges>(5101, "PingReplyRowWide");
inline constexpr auto kPingReturnedDataRowWide =
    widened<kPingReturnedDataRow, kPingEdges>(5102, "PingReturnedDataRowWide");
inline constexpr auto kPingErrorRowWide = widened<kPingErrorRow, kPingEdges>(5112, "PingErrorRowWide");

inline constexpr auto kTraceHeaderRowWide = widened<kTraceHeaderRow, kTraceEdges>(5105, "TraceHeaderRowWide");
inline constexpr auto kTraceDnsHeaderRowWide =
    widened<kTraceDnsHeaderRow, kTraceEdges>(5106, "TraceDnsHeaderRowWide");
inline constexpr auto kTraceNoNameRowWide = widened<kTraceNoNameRow, kTraceEdges>(5107, "TraceNoNameRowWide");
inline constexpr auto kTraceNameRowWide = widened<kTraceNameRow, kTraceEdges>(5108, "TraceNameRowWide");
inline constexpr auto kTraceHopRowWide = widened<kTraceHopRow, kTraceEdges>(5109, "TraceHopRowWide");
inline constexpr auto kTraceErrorRowWide = widened<kTraceErrorRow, kTraceEdges>(5110, "TraceErrorRowWide");
inline constexpr auto kTraceDnsErrorRowWide =
    widened<kTraceDnsErrorRow, kTraceEdges>(5111, "TraceDnsErrorRowWide");

inline constexpr auto kScanDnsHeaderRowWide =
    widened<kScanDnsHeaderRow, kScanEdges>(5115, "ScanDnsHeaderRowWide");
inline constexpr auto kScanAnsweredNameRowWide =
    widened<kScanAnsweredNameRow, kScanEdges>(5116, "ScanAnsweredNameRowWide");
inline constexpr auto kScanNoAnswerNameRowWide =
    widened<kScanNoAnswerNameRow, kScanEdges>(5118, "ScanNoAnswerNameRowWide");

inline constexpr auto kLookupAddressRowWide =
    widened<kLookupAddressRow, kLookupEdges>(5121, "LookupAddressRowWide");
inline constexpr auto kLookupMoreAddressRowWide =
    widened<kLookupMoreAddressRow, kLookupEdges>(5122, "LookupMoreAddressRowWide");
inline constexpr auto kLookupMoreAddressOpenRowWide =
    widened<kLookupMoreAddressOpenRow, kLookupEdges>(5123, "LookupMoreAddressOpenRowWide");
inline constexpr auto kLookupNameRowWide = widened<kLookupNameRow, kLookupEdges>(5125, "LookupNameRowWide");

} // namespace res

// The row template for an address: the wide twin for IPv6, the original otherwise.
template <typename Template>
constexpr const Template& rowFor(bool ipv6, const Template& narrow, const Template& wide) {
    return ipv6 ? wide : narrow;
}

} // namespace vantrel::output
