#pragma once

// IP status codes of the ICMP echo service (base 11000, the numbering the callers were designed against),
// their texts for the echo-failure rows, and how Linux outcomes map onto them:
//
//   echo reply from anyone ........................ IP_SUCCESS, counts as a reply
//   ICMP error quoting our request (counts as a reply from the router or host that sent it):
//     time exceeded in transit / in reassembly .... IP_TTL_EXPIRED_TRANSIT / IP_TTL_EXPIRED_REASSEM
//     destination unreachable: net, unknown net, net for TOS, net administratively prohibited
//                                                   IP_DEST_NET_UNREACHABLE
//       host, unknown host, isolated source, host for TOS, host or communication administratively
//       prohibited, precedence violation or cut-off, and any code not listed
//                                                   IP_DEST_HOST_UNREACHABLE
//       protocol .................................. IP_DEST_PROT_UNREACHABLE
//       port ...................................... IP_DEST_PORT_UNREACHABLE
//       fragmentation needed with don't-fragment .. IP_PACKET_TOO_BIG
//       source route failed ....................... IP_BAD_ROUTE
//     parameter problem ........................... IP_PARAMETER_PROBLEM
//     source quench ............................... IP_SOURCE_QUENCH
//   ICMPv6 error quoting our request, by the same rules:
//     destination unreachable: no route, reject route IP_DEST_NET_UNREACHABLE
//       administratively prohibited, beyond the source's scope, address unreachable, source address
//       failed policy, and any code not listed .... IP_DEST_HOST_UNREACHABLE
//       port ...................................... IP_DEST_PORT_UNREACHABLE
//       error in the source routing header ........ IP_BAD_ROUTE
//     packet too big .............................. IP_PACKET_TOO_BIG
//     hop limit exceeded / reassembly time exceeded IP_TTL_EXPIRED_TRANSIT / IP_TTL_EXPIRED_REASSEM
//     parameter problem: unrecognised next header . IP_DEST_PROT_UNREACHABLE; others IP_PARAM_PROBLEM
//   no answer within the timeout .................. IP_REQ_TIMED_OUT, no reply
//   the kernel refuses to send (no reply counted):
//     ENETUNREACH, ENETDOWN ....................... IP_DEST_NET_UNREACHABLE
//     EHOSTUNREACH, EHOSTDOWN ..................... IP_DEST_HOST_UNREACHABLE
//     EMSGSIZE (larger than the path MTU with don't-fragment, or than an IP packet)
//                                                   IP_PACKET_TOO_BIG
//     ENOBUFS, ENOMEM ............................. IP_NO_RESOURCES
//     EACCES (broadcast), EADDRNOTAVAIL, EINVAL ... IP_BAD_DESTINATION
//     EPERM (a firewall rule refused it) and anything else
//                                                   IP_GENERAL_FAILURE

#include <cstdint>
#include <optional>

namespace vantrel::net {

enum : std::uint32_t {
    IP_SUCCESS = 0,
    IP_STATUS_BASE = 11000,
    IP_BUF_TOO_SMALL = 11001,
    IP_DEST_NET_UNREACHABLE = 11002,
    IP_DEST_HOST_UNREACHABLE = 11003,
    IP_DEST_PROT_UNREACHABLE = 11004,
    IP_DEST_PORT_UNREACHABLE = 11005,
    IP_NO_RESOURCES = 11006,
    IP_BAD_OPTION = 11007,
    IP_HW_ERROR = 11008,
    IP_PACKET_TOO_BIG = 11009,
    IP_REQ_TIMED_OUT = 11010,
    IP_BAD_REQ = 11011,
    IP_BAD_ROUTE = 11012,
    IP_TTL_EXPIRED_TRANSIT = 11013,
    IP_TTL_EXPIRED_REASSEM = 11014,
    IP_PARAM_PROBLEM = 11015,
    IP_SOURCE_QUENCH = 11016,
    IP_OPTION_TOO_BIG = 11017,
    IP_BAD_DESTINATION = 11018,
    IP_ADDR_DELETED = 11019,
    IP_SPEC_MTU_CHANGE = 11020,
    IP_MTU_CHANGE = 11021,
    IP_UNLOAD = 11022,
    IP_GENERAL_FAILURE = 11050,
    IP_PENDING = 11255,
};

// The echo-failure text of a status: the table's text, "ERROR - UNKNOWN REASON" for any other code (0
// included). The frame replaces the text of status 0 with kFragmentHintText when don't-fragment is on.
const char* IpStatusText(std::uint32_t status);
inline constexpr const char* kUnknownReasonText = "ERROR - UNKNOWN REASON";
inline constexpr const char* kFragmentHintText =
    "ERROR - PACKET MAY NEED TO FRAGMENT - UNCHECK THE \"DON'T FRAGMENT\" OPTION";

// The status of an ICMP error message, or std::nullopt for a type that is no error of the echo (an echo
// reply, a redirect, a request of someone else).
std::optional<std::uint32_t> statusOfIcmpError(std::uint8_t type, std::uint8_t code);

// The status of an ICMPv6 error message; std::nullopt for a type that is no error of the echo (an echo
// reply, a redirect, neighbour discovery).
std::optional<std::uint32_t> statusOfIcmp6Error(std::uint8_t type, std::uint8_t code);

// Whether a status says the destination cannot be reached at all (net, host, protocol or port unreachable,
// prohibited, or too big to pass without fragmenting): past such an answer a route goes no further.
bool isDestinationUnreachable(std::uint32_t status);

// The status of a send the kernel refused (an errno value).
std::uint32_t statusOfSendError(int errnoValue);

} // namespace vantrel::net
