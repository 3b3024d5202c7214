#pragma once

#include <QString>

namespace vantrel::net {

// The line added to every "couldn't create handle" message: how a Linux user lets the program send echo
// requests when the system refuses both ICMP socket kinds.
QString icmpAccessHint();

// The message of the ping, continuous-ping and trace workers when IcmpCreateFile fails (shown in a standard
// message box with the exclamation icon), followed by the hint on a line of its own.
QString pingHandleFailureMessage();

// Any worker's own message followed by the hint on a line of its own.
QString withIcmpAccessHint(const QString& message);

inline constexpr const char* kPingHandleFailureText =
    "Ping - IcmpCreateFile() couldn't create handle m_hICMPHandle for IcmpSendEcho()";

} // namespace vantrel::net
