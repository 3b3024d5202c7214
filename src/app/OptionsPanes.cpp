#include "app/OptionsPanes.h"

#include "text/FrameTexts.h"

namespace vantrel::app {

// The captions of the show/hide commands: while visible, while hidden.
QString optionsPaneCaption(int command, bool visible) {
    namespace res = output::res;
    const output::TextTemplate<>* name = nullptr;
    switch (command) {
    case cmd::kPingOptions:
        name = &res::kPingOptionsCaption;
        break;
    case cmd::kLogOptions:
        name = &res::kLogOptionsCaption;
        break;
    case cmd::kSeqScanOptions:
        name = &res::kSeqScanCaption;
        break;
    case cmd::kListScanOptions:
        name = &res::kListScanCaption;
        break;
    case cmd::kISPingerOptions:
        name = &res::kIspPaneName;
        break;
    case cmd::kOtherOptions:
        name = &res::kOtherOptionsCaption;
        break;
    }
    return output::fill(visible ? res::kHidePaneOptions : res::kShowPaneOptions,
                        name ? output::text(*name) : QString());
}

} // namespace vantrel::app
