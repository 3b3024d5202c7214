#pragma once

#include <QString>
#include <cstdint>

namespace vantrel::net {

// What the socket library reports about itself at start. Versions keep the major number in the low byte.
struct WSADATA {
    std::uint16_t wVersion = 0;
    std::uint16_t wHighVersion = 0;
    QString szDescription;  // the Linux socket layer and the C library, with their versions
    QString szSystemStatus; // "Running"
    // The process's descriptor limit (RLIMIT_NOFILE), which bounds its sockets. Wider than the 16 bits of
    // the record the callers were designed against, so a limit above 65535 is shown as it is.
    std::uint32_t iMaxSockets = 0;
    std::uint16_t iMaxUdpDg = 0; // the largest UDP payload of IPv4: 65507
};

inline constexpr std::uint16_t kWinsockVersion = 0x0101; // 1.1

// Starts the socket library: fills `data` and answers 0, or WSAVERNOTSUPPORTED when the requested version
// is below 1.1 (the only version there is). Starts are counted; every start wants one WSACleanup.
int WSAStartup(std::uint16_t wVersionRequested, WSADATA& data);
// Ends one start: 0, or SOCKET_ERROR with WSANOTINITIALISED when there is no start left to end.
int WSACleanup();

// Starts and stops the socket library for the frame and knows the text of every error code.
class CWinsock {
public:
    explicit CWinsock(std::uint16_t requestedVersion = kWinsockVersion);
    ~CWinsock(); // stops the library if it is still started
    CWinsock(const CWinsock&) = delete;
    CWinsock& operator=(const CWinsock&) = delete;

    // WSAStartup with the requested version; false (state 2) when it fails. A start that reports a
    // version other than 1.1 still succeeds: see hasExpectedVersion.
    bool Start();
    // WSACleanup; false (state 2) when it fails.
    bool Stop();

    const WSADATA& data() const { return m_data; }
    int startResult() const { return m_startResult; }
    int state() const { return m_state; } // 0 after a successful start or stop, 2 after a failed one
    bool hasExpectedVersion() const { return m_data.wVersion == kWinsockVersion; }

    static QString ErrorText(int code);

private:
    std::uint16_t m_requestedVersion;
    WSADATA m_data;
    int m_startResult = 0;
    int m_state = 0;
    bool m_started = false;
};

} // namespace vantrel::net
