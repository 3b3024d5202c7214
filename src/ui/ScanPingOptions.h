#pragma once

#include "ui/OptionPane.h"

#include <array>

namespace vantrel::ui {

// The options of a scan's requests, alike on the SeqScan and ListScan panes: packets and timeout per
// address, failures only, names, keeping the pane's list sorted, and how many addresses are in flight at
// once (one option that both panes show).
struct ScanPingOptionIds {
    settings::OptionId packets, timeout, showFailures, names, autoSort;
    const char* namesTip;
    const char* autoSortTip;
};

constexpr std::array<PaneControl, 6> scanPingControls(const ScanPingOptionIds& ids) {
    using K = PaneControl::Kind;
    return {{
        {K::Number, ids.packets,
         "Packets/Ping:", "Sets the number of packets to send when pinging each address."},
        {K::Number, ids.timeout,
         "Timeout (sec):", "Sets the number of seconds to wait before timing out a ping."},
        {K::Check, ids.showFailures,
         "Only show failures:", "Don't show successful pings in the 'Results' window.", 0, nullptr, 1},
        {K::Check, ids.names, "Show DNS Names:", ids.namesTip, 0, nullptr, 1},
        {K::Check, ids.autoSort, "Autosort:", ids.autoSortTip, 0, nullptr, 1},
        {K::Number, settings::OptionId::ParallelProbes, "Parallel probes:",
         "Sets how many addresses are pinged at the same time (1 to 256). With 1 each address is pinged "
         "after the one before it; the results come out in the same order either way."},
    }};
}

} // namespace vantrel::ui
