#pragma once

namespace vantrel::net {
struct IcmpApi;
}
namespace vantrel::settings {
class LiveOptions;
}

namespace vantrel::ops {

struct OperationState;
class WorkerLink;

// What a worker is given when it starts: the shared operation state, the options in force, the bound
// echo service and its link to the frame. All of them outlive the worker.
struct WorkerContext {
    OperationState& state;
    const settings::LiveOptions& options;
    const net::IcmpApi& icmp;
    WorkerLink& link;
};

} // namespace vantrel::ops
