#include "rows/StatusPanes.h"

#include "text/MessageTexts.h"

namespace vantrel::output {
namespace {

constexpr double kMegabyte = 1'000'000.0;
constexpr double kBytesShownUpTo = 100'000.0;

} // namespace

StatusPaneState textSizePane(double bytes) {
    StatusPaneState pane;
    pane.text = bytes < kBytesShownUpTo ? fill(res::kTextSizeBytes, bytes)
                                        : fill(res::kTextSizeMb, bytes / kMegabyte);
    if (bytes < 1 * kMegabyte) {
        pane.background = colors::kGreen;
        pane.tooltip = bytes != 0 ? text(res::kTextSizeTooltip) : QString();
    } else if (bytes < 2 * kMegabyte) {
        pane.background = colors::kYellow;
    } else {
        pane.background = colors::kTomato;
    }
    return pane;
}

StatusPaneState logPane(bool logging) {
    StatusPaneState pane;
    pane.text = text(res::kLogPane);
    if (logging) {
        pane.background = colors::kBlue;
        pane.textColor = colors::kWhite;
        pane.tooltip = text(res::kLogStopTooltip);
    } else {
        pane.textColor = colors::kGrey;
        pane.tooltip = text(res::kLogStartTooltip);
    }
    return pane;
}

StatusPaneState logSizePane(std::optional<std::int64_t> fileSize) {
    StatusPaneState pane;
    if (!fileSize) {
        pane.text = text(res::kLogClosed);
        pane.textColor = colors::kGrey;
        pane.tooltip = QString();
        return pane;
    }
    const double bytes = double(*fileSize);
    pane.textColor = colors::kLogSizeText;
    if (bytes < 2 * kMegabyte) {
        pane.background = colors::kGreen;
        pane.tooltip = bytes != 0 ? text(res::kLogSizeTooltip) : QString();
    } else if (bytes < 4 * kMegabyte) {
        pane.background = colors::kYellow;
    } else {
        pane.background = colors::kTomato;
    }
    pane.text =
        bytes < kBytesShownUpTo ? fill(res::kLogSizeBytes, bytes) : fill(res::kLogSizeMb, bytes / kMegabyte);
    return pane;
}

} // namespace vantrel::output
