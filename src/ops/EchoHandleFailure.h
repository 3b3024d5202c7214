#pragma once

#include "output/StringResource.h"

#include <QString>

namespace vantrel::ops {

// The message of a worker that could not create its echo handle (shown in a standard message box with the
// exclamation icon): the worker's own text, then how to let the program send echo requests.
QString echoHandleFailureMessage(const output::TextTemplate<>& workerText);

struct WorkerContext;
// Creates the shared echo handle unless one is open. When none can be created, shows the worker's
// message (above) and answers false.
bool openSharedEchoHandle(const WorkerContext& context, const output::TextTemplate<>& workerText);
// Closes the shared echo handle if one is open.
void closeSharedEchoHandle(const WorkerContext& context);

} // namespace vantrel::ops
