#include "net/IcmpEcho.h"

#include "net/EchoOutcome.h"
#include "net/IpStatus.h"

#include <map>
#include <memory>
#include <mutex>

namespace vantrel::net {

namespace {

// The open handles. Requests hold a shared reference, so closing a handle under a waiting request only
// wakes it; the socket goes when the request has returned.
struct HandleTable {
    std::mutex mutex;
    std::map<std::uintptr_t, std::shared_ptr<EchoSocket>> sockets;
    std::uintptr_t next = 1;
};

HandleTable& handleTable() {
    static HandleTable table;
    return table;
}

thread_local int t_lastCreateError = 0;

std::shared_ptr<EchoSocket> socketOf(IcmpHandle handle) {
    HandleTable& table = handleTable();
    std::lock_guard lock(table.mutex);
    const auto found = table.sockets.find(std::uintptr_t(handle));
    return found == table.sockets.end() ? nullptr : found->second;
}

} // namespace

IcmpHandle openIcmpHandle(std::optional<EchoSocketKind> kind, IpFamily family) {
    int error = 0;
    std::shared_ptr<EchoSocket> socket = EchoSocket::open(family, kind, error);
    t_lastCreateError = socket ? 0 : error;
    if (!socket)
        return INVALID_HANDLE_VALUE;
    HandleTable& table = handleTable();
    std::lock_guard lock(table.mutex);
    const std::uintptr_t number = table.next++;
    table.sockets.emplace(number, std::move(socket));
    return IcmpHandle{number};
}

IcmpHandle IcmpCreateFile() {
    return openIcmpHandle(std::nullopt);
}

IcmpHandle Icmp6CreateFile() {
    return openIcmpHandle(std::nullopt, IpFamily::V6);
}

bool IcmpCloseHandle(IcmpHandle handle) {
    std::shared_ptr<EchoSocket> socket;
    {
        HandleTable& table = handleTable();
        std::lock_guard lock(table.mutex);
        const auto found = table.sockets.find(std::uintptr_t(handle));
        if (found == table.sockets.end())
            return false;
        socket = std::move(found->second);
        table.sockets.erase(found);
    }
    socket->interrupt();
    return true;
}

std::uint32_t IcmpSendEcho(IcmpHandle handle, IPAddr DestinationAddress,
                           std::span<const std::byte> RequestData,
                           const IP_OPTION_INFORMATION* RequestOptions, std::span<std::byte> ReplyBuffer,
                           std::uint32_t Timeout) {
    const std::shared_ptr<EchoSocket> socket = socketOf(handle);
    if (!socket || ReplyBuffer.size() < sizeof(ICMP_ECHO_REPLY))
        return 0;
    // Refused before sending: an answer could not be stored.
    if (ReplyBuffer.size() < IcmpReplySize(RequestData.size()))
        return writeEchoReply(ReplyBuffer, EchoOutcome::failure(IP_BUF_TOO_SMALL));
    if (socket->family() != IpFamily::V4)
        return writeEchoReply(ReplyBuffer, EchoOutcome::failure(IP_BAD_DESTINATION));
    return socket
        ->echo(IpAddress::fromV4(DestinationAddress), RequestData, RequestOptions, Timeout, ReplyBuffer)
        .value_or(0);
}

std::uint32_t Icmp6SendEcho2(IcmpHandle handle, const sockaddr_in6* SourceAddress,
                             const sockaddr_in6& DestinationAddress, std::span<const std::byte> RequestData,
                             const IP_OPTION_INFORMATION* RequestOptions, std::span<std::byte> ReplyBuffer,
                             std::uint32_t Timeout) {
    const std::shared_ptr<EchoSocket> socket = socketOf(handle);
    if (!socket || ReplyBuffer.size() < sizeof(ICMPV6_ECHO_REPLY))
        return 0;
    if (ReplyBuffer.size() < Icmp6ReplySize(RequestData.size()))
        return writeEcho6Reply(ReplyBuffer, EchoOutcome::failure(IP_BUF_TOO_SMALL));
    const std::optional<IpAddress> destination = IpAddress::fromSockaddr(
        reinterpret_cast<const sockaddr*>(&DestinationAddress), sizeof DestinationAddress);
    // An IPv4-mapped destination comes back as IPv4: refused with the other family's handles.
    if (socket->family() != IpFamily::V6 || !destination || !destination->isV6())
        return writeEcho6Reply(ReplyBuffer, EchoOutcome::failure(IP_BAD_DESTINATION));
    return socket->echo(*destination, RequestData, RequestOptions, Timeout, ReplyBuffer, SourceAddress)
        .value_or(0);
}

std::optional<EchoSocketKind> icmpHandleKind(IcmpHandle handle) {
    const std::shared_ptr<EchoSocket> socket = socketOf(handle);
    return socket ? std::optional(socket->kind()) : std::nullopt;
}

int lastIcmpCreateError() {
    return t_lastCreateError;
}

} // namespace vantrel::net
