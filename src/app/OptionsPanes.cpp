#include "app/OptionsPanes.h"

namespace vantrel::app {

// The captions of the show/hide commands: while visible, while hidden.
QString optionsPaneCaption(int command, bool visible) {
    const char* name = "";
    switch (command) {
    case cmd::kPingOptions:
        name = "Ping/TraceRoute";
        break;
    case cmd::kLogOptions:
        name = "Log";
        break;
    case cmd::kSeqScanOptions:
        name = "SeqScan";
        break;
    case cmd::kListScanOptions:
        name = "ListScan";
        break;
    case cmd::kISPingerOptions:
        name = "ISPInger";
        break;
    case cmd::kOtherOptions:
        name = "Other";
        break;
    }
    return QStringLiteral("%1 %2 Options").arg(visible ? "Hide" : "Show", name);
}

} // namespace vantrel::app
