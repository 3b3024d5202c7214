#pragma once

#include "output/StringResource.h"

namespace vantrel::ops {

struct WorkerContext;

// Creates the shared echo handle unless one is open. When none can be created, shows the worker's own
// message (with how to let the program send echo requests) and answers false.
bool openEchoHandle(const WorkerContext& context, const output::TextTemplate<>& failureText);
// Closes the shared echo handle if one is open.
void closeEchoHandle(const WorkerContext& context);

} // namespace vantrel::ops
