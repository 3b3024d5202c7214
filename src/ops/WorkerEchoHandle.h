#pragma once

#include "net/EchoSweep.h"
#include "text/StringResource.h"

#include <memory>

namespace vantrel::ops {

struct WorkerContext;

// Creates the shared echo handle unless one is open. When none can be created, shows the worker's own
// message (with how to let the program send echo requests) and answers false.
bool openEchoHandle(const WorkerContext& context, const output::TextTemplate<>& failureText);
// Closes the shared echo handle if one is open.
void closeEchoHandle(const WorkerContext& context);

// Opens the engine of a sweep with addresses in parallel. When none can be opened, shows the same message
// as openEchoHandle and answers nullptr.
std::unique_ptr<net::EchoSweep> openSweepEngine(const WorkerContext& context,
                                                const output::TextTemplate<>& failureText);

} // namespace vantrel::ops
