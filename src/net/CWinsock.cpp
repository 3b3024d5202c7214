#include "net/CWinsock.h"

#include "net/WinsockErrors.h"

#include <algorithm>
#include <atomic>
#include <gnu/libc-version.h>
#include <sys/resource.h>
#include <sys/utsname.h>

namespace vantrel::net {

namespace {

std::atomic<int> g_starts{0};

QString describeSocketLayer() {
    utsname system{};
    const QString kernel = ::uname(&system) == 0 ? QString::fromLocal8Bit(system.release) : QString();
    return QStringLiteral("Linux %1 socket layer, GNU C Library %2")
        .arg(kernel, QString::fromLatin1(::gnu_get_libc_version()))
        .simplified();
}

std::uint32_t descriptorLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 0;
    return std::uint32_t(std::min<rlim_t>(limit.rlim_cur, UINT32_MAX));
}

} // namespace

int WSAStartup(std::uint16_t wVersionRequested, WSADATA& data) {
    const int major = wVersionRequested & 0xff;
    const int minor = wVersionRequested >> 8;
    if (major < 1 || (major == 1 && minor < 1)) {
        WSASetLastError(WSAVERNOTSUPPORTED);
        return WSAVERNOTSUPPORTED;
    }
    data.wVersion = kWinsockVersion;
    data.wHighVersion = kWinsockVersion;
    data.szDescription = describeSocketLayer();
    data.szSystemStatus = QStringLiteral("Running");
    data.iMaxSockets = descriptorLimit();
    data.iMaxUdpDg = 65507;
    ++g_starts;
    return 0;
}

int WSACleanup() {
    int starts = g_starts.load();
    do {
        if (starts == 0) {
            WSASetLastError(WSANOTINITIALISED);
            return SOCKET_ERROR;
        }
    } while (!g_starts.compare_exchange_weak(starts, starts - 1));
    return 0;
}

CWinsock::CWinsock(std::uint16_t requestedVersion)
    : m_requestedVersion(requestedVersion) {}

CWinsock::~CWinsock() {
    if (m_started)
        WSACleanup();
}

bool CWinsock::Start() {
    m_startResult = WSAStartup(m_requestedVersion, m_data);
    m_state = m_startResult == 0 ? 0 : 2;
    m_started = m_startResult == 0;
    return m_started;
}

bool CWinsock::Stop() {
    m_state = 0;
    m_started = false;
    if (WSACleanup() != 0) {
        m_state = 2;
        return false;
    }
    return true;
}

QString CWinsock::ErrorText(int code) {
    return WinsockErrorText(code);
}

} // namespace vantrel::net
