#pragma once

#include <QString>

namespace vantrel::net {

// Socket-library error codes the services report (the numbering of the error-text table).
enum : int {
    WSAEINTR = 10004,
    WSAEINVAL = 10022,
    WSAEMFILE = 10024,
    WSAENOBUFS = 10055,
    WSAVERNOTSUPPORTED = 10092,
    WSANOTINITIALISED = 10093,
    WSAHOST_NOT_FOUND = 11001, // the name service has no such host
    WSATRY_AGAIN = 11002,      // temporary failure, or no authoritative answer
    WSANO_RECOVERY = 11003,    // the name service failed for good
    WSANO_DATA = 11004,        // the name exists but has no address of the family asked for
};
inline constexpr int SOCKET_ERROR = -1;

// The code of the last failed socket-library call on the calling thread (0 when none failed yet).
int WSAGetLastError();
void WSASetLastError(int code);

// "WinSock error %d: " followed by the text of the code, or "Not a WinSock error".
QString WinsockErrorText(int code);

// The resolver's h_errno value as a socket-library code.
int wsaCodeOfResolverError(int hErrno);

} // namespace vantrel::net
