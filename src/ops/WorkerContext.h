#pragma once

namespace vantrel::net {
struct IcmpApi;
class SocketLibrary;
} // namespace vantrel::net
namespace vantrel::settings {
class LiveOptions;
}

namespace vantrel::ops {

struct OperationState;
class WorkerLink;

// What a worker is given when it starts: the shared operation state, the options in force, the bound
// echo service, its link to the frame and the socket library for blocking name lookups (none for workers
// that look nothing up). All of them outlive the worker.
struct WorkerContext {
    OperationState& state;
    const settings::LiveOptions& options;
    const net::IcmpApi& icmp;
    WorkerLink& link;
    const net::SocketLibrary* sockets = nullptr;
};

} // namespace vantrel::ops
