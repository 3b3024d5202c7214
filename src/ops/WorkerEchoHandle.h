#pragma once

#include "net/EchoSweep.h"
#include "net/IcmpApi.h"
#include "net/IpAddress.h"
#include "text/StringResource.h"

#include <atomic>
#include <memory>

namespace vantrel::ops {

struct OperationState;
struct WorkerContext;

// Creates the shared echo handle of the family unless one is open. When none can be created, shows the
// worker's own message (with how to let the program send echo requests) and answers false.
bool openEchoHandle(const WorkerContext& context, net::IpFamily family,
                    const output::TextTemplate<>& failureText);
// Closes the shared echo handles that are open.
void closeEchoHandle(const WorkerContext& context);
// Takes the shared handles away and closes them while a worker may still be sending on one: its request
// is refused, and no open can be handed a handle that is being closed.
void closeEchoHandlesInFlight(const net::IcmpApi& icmp, OperationState& state);

// Opens the engine of a sweep with addresses in parallel. When none can be opened, shows the same message
// as openEchoHandle and answers nullptr.
std::unique_ptr<net::EchoSweep> openSweepEngine(const WorkerContext& context,
                                                const output::TextTemplate<>& failureText);

} // namespace vantrel::ops
