#pragma once

// The built-in ICMP echo service on Linux sockets: the three entry points that IcmpApi binds.
//
// IcmpCreateFile opens an ICMP datagram socket, or a raw ICMP socket where the datagram kind is refused;
// when neither can be opened it answers INVALID_HANDLE_VALUE (the workers add the text that tells
// the user how to allow ICMP). Each handle is independent, with its own socket, identifier and sequence,
// so handles may be used on different threads at the same time; one handle serves one request at a time.
//
// IcmpSendEcho sends one echo request with `RequestData` and blocks until the matching answer or until
// `Timeout` milliseconds have passed. It writes one ICMP_ECHO_REPLY at the start of `ReplyBuffer`, with the
// returned data right after it, and answers the number of replies written:
//   1  an echo reply (Status IP_SUCCESS, Address the responder), or an ICMP error that quotes this very
//      request (Status from the error, Address the router or host that sent it, as a route trace needs);
//   0  no reply: Status holds the reason (IP_REQ_TIMED_OUT, a refused send, IP_BUF_TOO_SMALL, ...; the
//      mapping is in IpStatus.h). The buffer is left untouched when it cannot hold even the record, the
//      handle is not open, or the handle was closed while the request waited.
// Answers to other handles, other programs and earlier requests of the same handle are never taken.
// `RequestOptions` may be null: system default TTL, TOS 0, fragmentation allowed. With options, Ttl
// (0 = default), Tos and the don't-fragment flag (IP_FLAG_DF in Flags) are honoured. `ReplyBuffer` must hold
// IcmpReplySize(RequestData.size()) bytes.
//
// IcmpCloseHandle closes a handle (true), or answers false for a handle that is not open. A request
// waiting on the handle in another thread returns at once with 0.
//
// The IPv6 twin: Icmp6CreateFile opens an ICMPv6 handle the same way (datagram, else raw; the same
// ping_group_range admits it; EAFNOSUPPORT when the system has no IPv6), closed by IcmpCloseHandle.
// Icmp6SendEcho2 behaves as IcmpSendEcho with an ICMPV6_ECHO_REPLY (Icmp6ReplySize) in `ReplyBuffer`: the
// hop limit in Options.Ttl (0 = default), the traffic class in Options.Tos, don't-fragment in Flags.
// `SourceAddress` may be null (the kernel picks the source); its address and scope pick the source of
// this request only. A link-local destination needs its interface in sin6_scope_id (IP_BAD_DESTINATION
// without). A destination that is an IPv4-mapped address, or a handle of the other family, gets
// IP_BAD_DESTINATION: each handle sends its own family only.

#include "net/EchoSocket.h"
#include "net/IcmpRecords.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vantrel::net {

IcmpHandle IcmpCreateFile();
bool IcmpCloseHandle(IcmpHandle handle);
std::uint32_t IcmpSendEcho(IcmpHandle handle, IPAddr DestinationAddress,
                           std::span<const std::byte> RequestData,
                           const IP_OPTION_INFORMATION* RequestOptions, std::span<std::byte> ReplyBuffer,
                           std::uint32_t Timeout);

IcmpHandle Icmp6CreateFile();
std::uint32_t Icmp6SendEcho2(IcmpHandle handle, const sockaddr_in6* SourceAddress,
                             const sockaddr_in6& DestinationAddress, std::span<const std::byte> RequestData,
                             const IP_OPTION_INFORMATION* RequestOptions, std::span<std::byte> ReplyBuffer,
                             std::uint32_t Timeout);

// IcmpCreateFile (or Icmp6CreateFile) with the socket kind chosen by the caller (std::nullopt: the first
// the system allows).
IcmpHandle openIcmpHandle(std::optional<EchoSocketKind> kind, IpFamily family = IpFamily::V4);
// The socket kind behind an open handle.
std::optional<EchoSocketKind> icmpHandleKind(IcmpHandle handle);
// The errno with which the last IcmpCreateFile or Icmp6CreateFile on this thread was refused (0 after a
// success).
int lastIcmpCreateError();
// Whether a handle was refused because the system has no IPv6 at all (booted with ipv6.disable=1), which
// no permission can change.
inline bool isIpv6Unavailable(int createError) {
    return createError == EAFNOSUPPORT;
}

} // namespace vantrel::net
