#include "net/IpStatus.h"

#include "net/IcmpPacket.h"

#include <cerrno>

namespace vantrel::net {

const char* IpStatusText(std::uint32_t status) {
    switch (status) {
    case IP_BUF_TOO_SMALL:
        return "ERROR - IP BUFFER TOO SMALL";
    case IP_DEST_NET_UNREACHABLE:
        return "ERROR - IP DESTINATION NET UNREACHABLE";
    case IP_DEST_HOST_UNREACHABLE:
        return "ERROR - IP DESTINATION HOST UNREACHABLE";
    case IP_DEST_PROT_UNREACHABLE:
        return "ERROR - IP DESTINATION PROTOCOL UNREACHABLE";
    case IP_DEST_PORT_UNREACHABLE:
        return "ERROR - IP DESTINATION PORT UNREACHABLE";
    case IP_NO_RESOURCES:
        return "ERROR - IP NO RESOURCES";
    case IP_BAD_OPTION:
        return "ERROR - IP BAD OPTION";
    case IP_HW_ERROR:
        return "ERROR - IP HW ERROR";
    case IP_PACKET_TOO_BIG:
        return "ERROR - IP PACKET TOO BIG";
    case IP_REQ_TIMED_OUT:
        return "TIMED OUT";
    case IP_BAD_REQ:
        return "ERROR - IP BAD REQUEST";
    case IP_BAD_ROUTE:
        return "ERROR - IP BAD ROUTE";
    case IP_TTL_EXPIRED_TRANSIT:
        return "ERROR - IP TTL EXPIRED IN TRANSIT";
    case IP_TTL_EXPIRED_REASSEM:
        return "ERROR - IP TTL EXPIRED REASSEM";
    case IP_PARAM_PROBLEM:
        return "ERROR - IP PARAMETER PROBLEM";
    case IP_SOURCE_QUENCH:
        return "ERROR - IP SOURCE QUENCH";
    case IP_OPTION_TOO_BIG:
        return "ERROR - IP OPTION TOO BIG";
    case IP_BAD_DESTINATION:
        return "ERROR - IP BAD DESTINATION";
    case IP_ADDR_DELETED:
        return "ERROR - IP ADDRESS DELETED";
    case IP_SPEC_MTU_CHANGE:
        return "ERROR - IP SPEC MTU CHANGE";
    case IP_MTU_CHANGE:
        return "ERROR - IP MTU CHANGE";
    case IP_UNLOAD:
        return "ERROR - IP UNLOAD";
    case IP_GENERAL_FAILURE:
        return "ERROR - IP GENERAL FAILURE";
    case IP_PENDING:
        return "ERROR - IP PENDING";
    default:
        return kUnknownReasonText;
    }
}

std::optional<std::uint32_t> statusOfIcmpError(std::uint8_t type, std::uint8_t code) {
    switch (type) {
    case kIcmpDestUnreachable:
        switch (code) {
        case 0:  // net
        case 6:  // destination net unknown
        case 9:  // net administratively prohibited
        case 11: // net unreachable for the type of service
            return IP_DEST_NET_UNREACHABLE;
        case 2:
            return IP_DEST_PROT_UNREACHABLE;
        case 3:
            return IP_DEST_PORT_UNREACHABLE;
        case 4:
            return IP_PACKET_TOO_BIG;
        case 5:
            return IP_BAD_ROUTE;
        default: // host, unknown host, isolated, prohibited, precedence: the host was not reached
            return IP_DEST_HOST_UNREACHABLE;
        }
    case kIcmpTimeExceeded:
        return code == 1 ? IP_TTL_EXPIRED_REASSEM : IP_TTL_EXPIRED_TRANSIT;
    case kIcmpParameterProblem:
        return IP_PARAM_PROBLEM;
    case kIcmpSourceQuench:
        return IP_SOURCE_QUENCH;
    default:
        return std::nullopt;
    }
}

std::optional<std::uint32_t> statusOfIcmp6Error(std::uint8_t type, std::uint8_t code) {
    switch (type) {
    case kIcmp6DestUnreachable:
        switch (code) {
        case 0: // no route
        case 6: // reject route
            return IP_DEST_NET_UNREACHABLE;
        case 4:
            return IP_DEST_PORT_UNREACHABLE;
        case 7: // error in the source routing header
            return IP_BAD_ROUTE;
        default: // prohibited, beyond scope, address unreachable, source policy: the host was not reached
            return IP_DEST_HOST_UNREACHABLE;
        }
    case kIcmp6PacketTooBig:
        return IP_PACKET_TOO_BIG;
    case kIcmp6TimeExceeded:
        return code == 1 ? IP_TTL_EXPIRED_REASSEM : IP_TTL_EXPIRED_TRANSIT;
    case kIcmp6ParameterProblem:
        return code == 1 ? IP_DEST_PROT_UNREACHABLE : IP_PARAM_PROBLEM;
    default:
        return std::nullopt;
    }
}

bool isDestinationUnreachable(std::uint32_t status) {
    switch (status) {
    case IP_DEST_NET_UNREACHABLE:
    case IP_DEST_HOST_UNREACHABLE:
    case IP_DEST_PROT_UNREACHABLE:
    case IP_DEST_PORT_UNREACHABLE:
    case IP_PACKET_TOO_BIG:
        return true;
    default:
        return false;
    }
}

std::uint32_t statusOfSendError(int errnoValue) {
    switch (errnoValue) {
    case ENETUNREACH:
    case ENETDOWN:
        return IP_DEST_NET_UNREACHABLE;
    case EHOSTUNREACH:
    case EHOSTDOWN:
        return IP_DEST_HOST_UNREACHABLE;
    case EMSGSIZE:
        return IP_PACKET_TOO_BIG;
    case ENOBUFS:
    case ENOMEM:
        return IP_NO_RESOURCES;
    case EACCES:
    case EADDRNOTAVAIL:
    case EINVAL:
        return IP_BAD_DESTINATION;
    default:
        return IP_GENERAL_FAILURE;
    }
}

} // namespace vantrel::net
