#include "ops/SeqScanRangeCheck.h"

#include "ops/OperationFrontEnd.h"
#include "ops/SeqScanChecks.h"
#include "ops/SharedStatus.h"
#include "settings/LiveOptions.h"
#include "text/MessageTexts.h"

namespace vantrel::ops {

namespace res = output::res;

bool checkSeqScanRange(const settings::LiveOptions& options, SharedStatus& status,
                       OperationFrontEnd& frontEnd) {
    status.set(output::text(res::kCheckingSeqScan));
    frontEnd.RefreshCommandUI();
    const std::optional<OctetProblem> problem =
        CheckSeqScanAddresses(correctedOctets(settings::SeqScanOctets::fromOptions(options)));
    if (problem) {
        frontEnd.reportOctetField(octetFieldControl(problem->field),
                                  output::text(res::kIpAddressErrorCaption), problem->balloonText,
                                  problem->boxText, problem->showPane);
        status.set(output::text(res::kSeqScanOctetError));
        frontEnd.RefreshCommandUI();
        return false;
    }
    status.set(output::text(res::kReady));
    frontEnd.RefreshCommandUI();
    return true;
}

} // namespace vantrel::ops
