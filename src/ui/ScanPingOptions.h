#pragma once

#include "text/PaneTexts.h"
#include "ui/OptionPane.h"

#include <array>

namespace vantrel::ui {

// The options of a scan's requests, alike on the SeqScan and ListScan panes: packets and timeout per
// address, failures only, names, keeping the pane's list sorted, and how many addresses are in flight at
// once (one option that both panes show).
struct ScanPingOptionIds {
    settings::OptionId packets, timeout, showFailures, names, autoSort;
    const output::TextTemplate<>* namesTip;
    const output::TextTemplate<>* autoSortTip;
};

constexpr std::array<PaneControl, 6> scanPingControls(const ScanPingOptionIds& ids) {
    using K = PaneControl::Kind;
    namespace res = output::res;
    return {{
        {K::Number, ids.packets, &res::kScanPacketsLabel, &res::kScanPacketsTip},
        {K::Number, ids.timeout, &res::kScanTimeoutLabel, &res::kScanTimeoutTip},
        {K::Check, ids.showFailures, &res::kShowFailuresLabel, &res::kShowFailuresTip, 0, nullptr, 1},
        {K::Check, ids.names, &res::kShowDnsNamesLabel, ids.namesTip, 0, nullptr, 1},
        {K::Check, ids.autoSort, &res::kAutoSortLabel, ids.autoSortTip, 0, nullptr, 1},
        {K::Number, settings::OptionId::ParallelProbes, &res::kParallelProbesLabel, &res::kParallelProbesTip},
    }};
}

} // namespace vantrel::ui
