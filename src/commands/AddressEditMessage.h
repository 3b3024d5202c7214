#pragma once

#include "settings/ListScanAddressList.h"

#include <QString>

namespace vantrel::output {

// What the user is told when an edit of the ListScan address list changed nothing: an empty text for
// an edit that was made.
QString addressEditMessage(settings::AddressEdit result, const settings::ListScanAddressList& list,
                           const QString& typed);

} // namespace vantrel::output
