#include "ops/EchoHandleFailure.h"

#include "net/IcmpApi.h"
#include "ops/WorkerContext.h"
#include "ops/WorkerLink.h"
#include "output/MessageTexts.h"

namespace vantrel::ops {

QString echoHandleFailureMessage(const output::TextTemplate<>& workerText) {
    return output::text(workerText) + QLatin1Char('\n') + output::text(output::res::kIcmpAccessHint);
}

bool openSharedEchoHandle(const WorkerContext& context, const output::TextTemplate<>& workerText) {
    std::atomic<net::IcmpHandle>& handle = context.echoHandle;
    if (handle == net::INVALID_HANDLE_VALUE)
        handle = context.icmp.IcmpCreateFile();
    if (handle != net::INVALID_HANDLE_VALUE)
        return true;
    context.link.ShowStandardMessage(echoHandleFailureMessage(workerText));
    return false;
}

void closeSharedEchoHandle(const WorkerContext& context) {
    const net::IcmpHandle handle = context.echoHandle;
    if (handle != net::INVALID_HANDLE_VALUE && context.icmp.IcmpCloseHandle(handle))
        context.echoHandle = net::INVALID_HANDLE_VALUE;
}

} // namespace vantrel::ops
