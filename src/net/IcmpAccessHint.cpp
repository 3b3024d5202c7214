#include "net/IcmpAccessHint.h"

namespace vantrel::net {

QString icmpAccessHint() {
    return QStringLiteral("To allow ICMP echo on Linux, admit your group to the net.ipv4.ping_group_range "
                          "sysctl (for example: sudo sysctl -w net.ipv4.ping_group_range=\"0 2147483647\") "
                          "or give the program the cap_net_raw capability (sudo setcap cap_net_raw+ep "
                          "PROGRAM).");
}

QString withIcmpAccessHint(const QString& message) {
    return message + QLatin1Char('\n') + icmpAccessHint();
}

QString pingHandleFailureMessage() {
    return withIcmpAccessHint(QString::fromLatin1(kPingHandleFailureText));
}

} // namespace vantrel::net
