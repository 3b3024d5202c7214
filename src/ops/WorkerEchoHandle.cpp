#include "ops/WorkerEchoHandle.h"

#include "net/IcmpApi.h"
#include "ops/WorkerContext.h"
#include "ops/WorkerLink.h"

namespace vantrel::ops {

bool openEchoHandle(const WorkerContext& context, const output::TextTemplate<>& failureText) {
    std::atomic<net::IcmpHandle>& handle = context.echoHandle;
    if (handle == net::INVALID_HANDLE_VALUE)
        handle = context.icmp.IcmpCreateFile();
    if (handle != net::INVALID_HANDLE_VALUE)
        return true;
    context.link.ReportNoEchoHandle(failureText);
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

void closeEchoHandle(const WorkerContext& context) {
    const net::IcmpHandle handle = context.echoHandle;
    if (handle != net::INVALID_HANDLE_VALUE && context.icmp.IcmpCloseHandle(handle))
        context.echoHandle = net::INVALID_HANDLE_VALUE;
}

} // namespace vantrel::ops
