#pragma once

#include "history/HistoryWriter.h"
#include "ops/AddressPolicy.h"
#include "ops/WatchProber.h"
#include "settings/LiveOptions.h"

#include <chrono>

namespace vantrel::ops {

// The watch list's rules as the options in force set them.
inline WatchRules watchRules(const settings::LiveOptions& options) {
    return {options.number(settings::OptionId::WatchDownAfter), resolvePolicy(options)};
}

// How long the watch list's history is kept.
inline std::chrono::hours historyRetention(const settings::LiveOptions& options) {
    return std::chrono::hours(24 * options.number(settings::OptionId::WatchRetentionDays));
}

// The history writer's timing with that retention.
inline history::HistoryWriter::Timing historyTiming(const settings::LiveOptions& options) {
    history::HistoryWriter::Timing timing;
    timing.retention = historyRetention(options);
    return timing;
}

} // namespace vantrel::ops
