#pragma once

namespace vantrel::settings {
class LiveOptions;
}

namespace vantrel::ops {

class OperationFrontEnd;
class SharedStatus;

// CheckSeqScanAddresses on the options' octets, as the SeqScan command and the saving of a group check
// them: the first problem is reported on its field and shown in the status text. True when the range
// stands.
bool checkSeqScanRange(const settings::LiveOptions& options, SharedStatus& status,
                       OperationFrontEnd& frontEnd);

} // namespace vantrel::ops
