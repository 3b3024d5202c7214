#pragma once

#include "text/StringResource.h"

#include <QString>

namespace vantrel::output {
class ResultPipeline;
}

namespace vantrel::ops {

class OperationFrontEnd;
enum class MessageIcon;

// The file of the running program with its links resolved: what a capability must be given to.
QString runningProgramPath();

// How to let the program at `programPath` send echo requests when no ICMP socket opens: the
// ping_group_range sysctl, and when `offerCapability`, raw-socket capability for that file alone.
QString icmpAccessGuidance(const QString& programPath, bool offerCapability);

// A worker could not create its echo handle: its text goes to the Results window in red, after the start
// line, and a message box shows the text with the front end's guidance on a line of its own.
void reportNoEchoHandle(OperationFrontEnd& frontEnd, output::ResultPipeline& results,
                        const output::TextTemplate<>& workerText, const QString& caption, MessageIcon icon);

} // namespace vantrel::ops
