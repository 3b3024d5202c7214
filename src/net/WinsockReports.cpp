#include "net/WinsockReports.h"

#include "net/AddressText.h"
#include "net/WinsockErrors.h"

#include <fmt/printf.h>

namespace vantrel::net {

namespace {

// Outside text inside a fragment: backslash and braces escaped, anything beyond 7-bit ASCII as \uN?.
// (The Results window's escaping helper will take this job over.)
QString rtfEscaped(const QString& text) {
    QString escaped;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == '\\' || unit == '{' || unit == '}')
            escaped += QLatin1Char('\\') + c;
        else if (unit < 0x20)
            escaped += QLatin1Char(' ');
        else if (unit < 0x80)
            escaped += c;
        else
            escaped += QStringLiteral("\\u%1?").arg(qint16(unit));
    }
    return escaped;
}

// A fragment template filled with our own values (numbers, escaped texts), never with a raw outside text.
template <typename... Values> QString filled(const char* format, const Values&... values) {
    return QString::fromStdString(fmt::sprintf(format, values...));
}

QString dotted(IPAddr address) {
    return QString::fromStdString(inet_ntoa(address));
}

} // namespace

QString reportKindName(ReportKind kind) {
    switch (kind) {
    case ReportKind::Plain:
        return QStringLiteral("Plain");
    case ReportKind::Red:
        return QStringLiteral("Red");
    case ReportKind::Bold:
        return QStringLiteral("Bold");
    case ReportKind::RedBold:
        return QStringLiteral("RedBold");
    case ReportKind::Blue:
        return QStringLiteral("Blue");
    }
    return QString::number(int(kind));
}

ReportLine winsockStartupFailedLine(int error) {
    return {QString::fromLatin1(kWinsockStartupFailed), WinsockErrorText(error), ReportKind::RedBold};
}

QString winsockStartedStatus(const WSADATA& data) {
    return filled(kWinsockStartedOk, rtfEscaped(data.szDescription).toStdString());
}

ReportLine winsockStartedLine(const WSADATA& data) {
    return {winsockStartedStatus(data), {}, ReportKind::Blue};
}

ReportLine localHostNameFailedLine(int error) {
    return {QString::fromLatin1(kLocalHostNameFailed), WinsockErrorText(error), ReportKind::Red};
}

QString localHostNameFailedStatus(int error) {
    return filled(kLocalHostNameFailed, WinsockErrorText(error).toStdString());
}

ReportLine localHostLookupFailedLine(int error) {
    return {QString::fromLatin1(kLocalHostLookupFailed), WinsockErrorText(error), ReportKind::Red};
}

QString localHostTitle(const HostEntry& entry) {
    const std::string address =
        entry.h_addr_list.empty() ? std::string() : inet_ntoa(entry.h_addr_list.front());
    // A window title is plain text: the name goes in unescaped, converted from the system's encoding.
    return filled(kLocalHostTitle, kProductTitle, QString::fromLocal8Bit(entry.h_name).toStdString(),
                  address);
}

std::vector<ReportLine> additionalLocalAddressLines(const HostEntry& entry) {
    std::vector<ReportLine> lines;
    for (std::size_t i = 1; i < entry.h_addr_list.size(); ++i)
        lines.push_back(
            {QString::fromLatin1(kAdditionalLocalAddress), dotted(entry.h_addr_list[i]), ReportKind::Plain});
    return lines;
}

std::vector<ReportLine> aboutWinsockReport(const WSADATA& data) {
    return {
        {QStringLiteral("\\par {Winsock Information} \\par }"), {}, ReportKind::Bold},
        {filled("{Version: %d.%d} \\par }", data.wVersion & 0xff, data.wVersion >> 8), {}, ReportKind::Plain},
        {filled("{Description: %s} \\par }", rtfEscaped(data.szDescription).toStdString()),
         {},
         ReportKind::Plain},
        {filled("{System Status: %s} \\par }", rtfEscaped(data.szSystemStatus).toStdString()),
         {},
         ReportKind::Plain},
        {filled("{Maximum sockets per process: %u} \\par }", data.iMaxSockets), {}, ReportKind::Plain},
        {filled("{Maximum datagram packet size: %u} \\par }", data.iMaxUdpDg), {}, ReportKind::Plain},
    };
}

QStringList aboutWinsockText(const WSADATA& data) {
    return {
        QStringLiteral("Winsock Information"),
        QStringLiteral("Version: %1.%2").arg(data.wVersion & 0xff).arg(data.wVersion >> 8),
        QStringLiteral("Description: %1").arg(data.szDescription),
        QStringLiteral("System Status: %1").arg(data.szSystemStatus),
        QStringLiteral("Maximum sockets per process: %1").arg(data.iMaxSockets),
        QStringLiteral("Maximum datagram packet size: %1").arg(data.iMaxUdpDg),
    };
}

QString winsockCleanupFailureText(int error) {
    return filled(kWinsockCleanupFailure, WinsockErrorText(error).toStdString());
}

} // namespace vantrel::net
