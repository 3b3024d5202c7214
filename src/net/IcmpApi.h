#pragma once

#include "net/EchoSweep.h"
#include "net/IcmpRecords.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace vantrel::net {

// The entry points of the ICMP echo service (three, and the two of the IPv6 twin), bound once when the
// program starts. Every operation sends its echo requests through the record it is given, never by calling
// the service directly, so tests bind a scripted network here (tests/support/FakeIcmpNetwork). The entry
// points behave as documented in IcmpEcho.h; each may be called from any thread.
struct IcmpApi {
    std::function<IcmpHandle()> IcmpCreateFile;
    std::function<bool(IcmpHandle)> IcmpCloseHandle;
    std::function<std::uint32_t(IcmpHandle, IPAddr, std::span<const std::byte> requestData,
                                const IP_OPTION_INFORMATION* requestOptions, std::span<std::byte> replyBuffer,
                                std::uint32_t timeoutMs)>
        IcmpSendEcho;
    // The IPv6 twin (IcmpEcho.h): handles from Icmp6CreateFile are closed by IcmpCloseHandle.
    std::function<IcmpHandle()> Icmp6CreateFile;
    std::function<std::uint32_t(IcmpHandle, const sockaddr_in6* source, const sockaddr_in6& destination,
                                std::span<const std::byte> requestData,
                                const IP_OPTION_INFORMATION* requestOptions, std::span<std::byte> replyBuffer,
                                std::uint32_t timeoutMs)>
        Icmp6SendEcho2;
    // The sweeps' engine: many requests in flight on one socket of its own (nullptr when none can be
    // opened). Bound beside the three entry points, so the scripted network answers sweeps as well.
    std::function<std::unique_ptr<EchoSweep>()> openEchoSweep;

    // The record bound to the built-in service on Linux ICMP sockets.
    static IcmpApi builtIn();
    // Whether the three IPv4 entry points are bound (the IPv6 twin is checked where it is used).
    bool isBound() const { return IcmpCreateFile && IcmpCloseHandle && IcmpSendEcho; }
};

} // namespace vantrel::net
