#pragma once

#include "history/ProbeHistory.h"
#include "rows/ResultRow.h"

#include <QString>

namespace vantrel::ops {

// A watched host as the lines show it: the host, and its name in brackets when it has one.
QString watchedHostText(const QString& host, const QString& name);

// The line of a host's change of state, stamped with the moment of the probe that made it: red when the
// host went down.
output::ResultRow watchChangeRow(const history::StateChange& change, const QString& name);

} // namespace vantrel::ops
