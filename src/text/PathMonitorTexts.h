#pragma once

// The path monitor's report: a table of one row per hop (and one more row for every further address a
// hop answered from) between its start line and its end line, and the texts of its run. The fragments
// follow the rules of ResultTexts.h.

#include "text/StringResource.h"
#include "text/WideRowTexts.h"

namespace vantrel::output::res {

// Header (HeaderRow).
inline constexpr RtfTemplate<> kPathMonitorHeaderRow{
    5030, "PathMonitorHeaderRow",
    R"rtf({\colortbl;\red160\green160\blue160;}\trowd \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx500 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx2200 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx2900 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx3500 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx4300 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx5100 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx5900 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx6700 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx7500 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx8300 \clcbpat1\clbrdrt\brdrw15\brdrs \clbrdrl\brdrw15\brdrs \clbrdrb\brdrw15\brdrs \clbrdrr\brdrw15\brdrs\cellx10500 \pard\intbl {\b  Hop}\cell \pard\intbl {\b  IP Address}\cell \pard\intbl {\b  Loss}\cell \pard\intbl {\b  Sent}\cell \pard\intbl {\b  Last}\cell \pard\intbl {\b  Avg}\cell \pard\intbl {\b  Best}\cell \pard\intbl {\b  Worst}\cell \pard\intbl {\b  StDev}\cell \pard\intbl {\b  Jitter}\cell \pard\intbl {\b  DNS Name}\cell \row \pard })rtf"};
// A hop (Plain; Red when it never answered): hop, address (kNoAnswerMark when none), loss ("50.0%"),
// probes sent, the last, average, best and worst round trip, their standard deviation and jitter in
// milliseconds with three decimals (empty before an answer), and the name.
inline constexpr RtfTemplate<unsigned, RtfText, RtfText, unsigned, RtfText, RtfText, RtfText, RtfText,
                             RtfText, RtfText, RtfText>
    kPathMonitorHopRow{
        5031, "PathMonitorHopRow",
        R"rtf(\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx500 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx2200 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx2900 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx3500 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx4300 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx5100 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx5900 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx6700 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx7500 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx8300 \clbrdrt\brdrw10\brdrs \clbrdrr\brdrw10\brdrs\clbrdrb\brdrw10\brdrs \cellx10500 \pard\intbl { %u}\cell { %s}\cell { %s}\cell { %u}\cell { %s}\cell { %s}\cell { %s}\cell { %s}\cell { %s}\cell { %s}\cell { %s}\cell \row \pard })rtf"};
// A further address the hop answered from (Plain): the address and its name.
inline constexpr RtfTemplate<RtfText, RtfText> kPathMonitorMoreAddressRow{
    5032, "PathMonitorMoreAddressRow",
    R"rtf(\trowd \clbrdrl\brdrw10\brdrs \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx500 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx2200 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx2900 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx3500 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx4300 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx5100 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx5900 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx6700 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx7500 \clbrdrt\brdrw10\brdrs \clbrdrb\brdrw10\brdrs \cellx8300 \clbrdrt\brdrw10\brdrs \clbrdrr\brdrw10\brdrs\clbrdrb\brdrw10\brdrs \cellx10500 \pard\intbl { }\cell { %s}\cell { }\cell { }\cell { }\cell { }\cell { }\cell { }\cell { }\cell { }\cell { %s}\cell \row \pard })rtf"};
// The wide twins for an IPv6 target: the address cell gains 2,000 twips and the cells after it follow, so
// this table alone ends at 12,500 twips.
inline constexpr std::array kPathMonitorEdges{
    CellEdgeMove{2200, 4200},  CellEdgeMove{2900, 4900},  CellEdgeMove{3500, 5500}, CellEdgeMove{4300, 6300},
    CellEdgeMove{5100, 7100},  CellEdgeMove{5900, 7900},  CellEdgeMove{6700, 8700}, CellEdgeMove{7500, 9500},
    CellEdgeMove{8300, 10300}, CellEdgeMove{10500, 12500}};
inline constexpr auto kPathMonitorHeaderRowWide =
    widened<kPathMonitorHeaderRow, kPathMonitorEdges>(5130, "PathMonitorHeaderRowWide");
inline constexpr auto kPathMonitorHopRowWide =
    widened<kPathMonitorHopRow, kPathMonitorEdges>(5131, "PathMonitorHopRowWide");
inline constexpr auto kPathMonitorMoreAddressRowWide =
    widened<kPathMonitorMoreAddressRow, kPathMonitorEdges>(5132, "PathMonitorMoreAddressRowWide");

// The start line (through startRow) and the end line (Bold), with the rounds and the time stamp.
inline constexpr RtfTemplate<RtfText, RtfText> kPathMonitorStartLine{0, "PathMonitorStartLine",
                                                                     "Starting path monitor to %s - %s"};
inline constexpr RtfTemplate<unsigned, RtfText> kPathMonitorEndLine{
    0, "PathMonitorEndLine", R"rtf({Path monitor stopped after %u rounds - %s} \par })rtf"};
inline constexpr RtfTemplate<> kCancelingPathMonitorLine{0, "CancelingPathMonitorLine",
                                                         R"rtf({Stopping path monitor...} \par })rtf"};

// Status texts and the worker's messages.
inline constexpr TextTemplate<QString> kMonitoringPath{0, "MonitoringPath", "Monitoring the path to %s..."};
inline constexpr TextTemplate<> kStoppingPathMonitor{0, "StoppingPathMonitor", "Stopping path monitor..."};
inline constexpr TextTemplate<> kPathMonitorNoEchoHandle{
    0, "PathMonitorNoEchoHandle",
    "Path Monitor - IcmpCreateFile() couldn't create handle m_hICMPHandle for IcmpSendEcho()"};
inline constexpr TextTemplate<> kPathMonitorMenu{0, "PathMonitorMenu", "Path &Monitor"};
inline constexpr TextTemplate<> kPathMonitorCancelMenu{0, "PathMonitorCancelMenu", "Stop Path &Monitor"};
inline constexpr TextTemplate<> kPathMonitorButton{0, "PathMonitorButton", "    Path Monitor    "};
inline constexpr TextTemplate<> kPathMonitorCancelButton{0, "PathMonitorCancelButton",
                                                         "       Cancel       "};
inline constexpr TextTemplate<> kPathMonitorThreadFailed{0, "PathMonitorThreadFailed",
                                                         "Path Monitor AfxBeginThread failed"};

// The Path Monitor pane: its title, its View menu item, its columns (as the report's) and its tip.
inline constexpr TextTemplate<> kPathMonitorPaneTitle{0, "PathMonitorPaneTitle", "Path Monitor"};
inline constexpr TextTemplate<> kPathMonitorPaneMenu{0, "PathMonitorPaneMenu", "&Path Monitor"};
inline constexpr TextTemplate<> kPathMonitorPaneColumns{
    0, "PathMonitorPaneColumns", "Hop|IP Address|Loss|Sent|Last|Avg|Best|Worst|StDev|Jitter|DNS Name"};
inline constexpr TextTemplate<> kPathMonitorPaneTip{0, "PathMonitorPaneTip",
                                                    "Each hop's loss and round trips in milliseconds, "
                                                    "updated as answers come. Select a hop to draw its round "
                                                    "trips in the Round Trip Plot."};
// Above the table: the host and the rounds so far, or that the monitor has stopped.
inline constexpr TextTemplate<QString, unsigned> kPathMonitorPaneRunning{0, "PathMonitorPaneRunning",
                                                                         "%s - round %u"};
inline constexpr TextTemplate<QString, unsigned> kPathMonitorPaneStopped{0, "PathMonitorPaneStopped",
                                                                         "%s - stopped after %u rounds"};

} // namespace vantrel::output::res
