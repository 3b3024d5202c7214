#include "ops/WorkerEchoHandle.h"

#include "net/IcmpEcho.h"
#include "ops/EchoCall.h"
#include "ops/OperationState.h"
#include "ops/WorkerContext.h"
#include "ops/WorkerLink.h"
#include "text/MessageTexts.h"

namespace vantrel::ops {

bool openEchoHandle(const WorkerContext& context, net::IpFamily family,
                    const output::TextTemplate<>& failureText) {
    std::atomic<net::IcmpHandle>& handle = context.echoHandleFor(family);
    if (handle == net::INVALID_HANDLE_VALUE)
        handle = createEchoHandle(context.icmp, family);
    if (handle != net::INVALID_HANDLE_VALUE)
        return true;
    const bool noIpv6 = family == net::IpFamily::V6 && net::isIpv6Unavailable(net::lastIcmpCreateError());
    context.link.ReportNoEchoHandle(noIpv6 ? output::res::kIpv6Unavailable : failureText);
    return false;
}

std::unique_ptr<net::EchoSweep> openSweepEngine(const WorkerContext& context,
                                                const output::TextTemplate<>& failureText) {
    std::unique_ptr<net::EchoSweep> engine =
        context.icmp.openEchoSweep ? context.icmp.openEchoSweep() : nullptr;
    if (!engine)
        context.link.ReportNoEchoHandle(failureText);
    return engine;
}

void closeEchoHandlesInFlight(const net::IcmpApi& icmp, OperationState& state) {
    for (std::atomic<net::IcmpHandle>* handle : {&state.m_hICMPHandle, &state.m_hICMP6Handle}) {
        const net::IcmpHandle taken = handle->exchange(net::INVALID_HANDLE_VALUE);
        if (taken != net::INVALID_HANDLE_VALUE)
            icmp.IcmpCloseHandle(taken);
    }
}

void closeEchoHandle(const WorkerContext& context) {
    for (std::atomic<net::IcmpHandle>* shared : {&context.echoHandle, &context.echo6Handle}) {
        const net::IcmpHandle handle = *shared;
        if (handle != net::INVALID_HANDLE_VALUE && context.icmp.IcmpCloseHandle(handle))
            *shared = net::INVALID_HANDLE_VALUE;
    }
}

} // namespace vantrel::ops
