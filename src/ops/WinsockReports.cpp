#include "ops/WinsockReports.h"

#include "net/AddressText.h"
#include "net/WinsockErrors.h"
#include "output/MessageTexts.h"
#include "output/ResultTexts.h"
#include "output/TextRenderer.h"

namespace vantrel::ops {

namespace {

namespace res = output::res;
using output::fill;
using output::ResultKind;
using output::RtfText;

ResultMessage line(const RtfText& fragment, ResultKind kind) {
    return {fragment.rtf(), QString(), kind};
}

RtfText errorText(int code) {
    return RtfText::escape(net::WinsockErrorText(code));
}

QString dotted(net::IPAddr address) {
    return QString::fromStdString(net::inet_ntoa(address));
}

RtfText startedText(const net::WSADATA& data) {
    return fill(res::kWinsockStartedLine, RtfText::escape(data.szDescription));
}

RtfText localHostNameFailedText(int error) {
    return fill(res::kLocalHostNameFailedLine, errorText(error));
}

// The status bar shows plain text: a status made from a fragment drops its RTF.
QString plainText(const RtfText& fragment) {
    return output::TextRenderer().renderFragment(fragment.rtf()).trimmed();
}

} // namespace

ResultMessage winsockStartupFailedLine(int error) {
    return line(fill(res::kWinsockStartupFailedLine, errorText(error)), ResultKind::RedBold);
}

QString winsockStartedStatus(const net::WSADATA& data) {
    return plainText(startedText(data));
}

ResultMessage winsockStartedLine(const net::WSADATA& data) {
    return line(startedText(data), ResultKind::Blue);
}

ResultMessage localHostNameFailedLine(int error) {
    return line(localHostNameFailedText(error), ResultKind::Red);
}

QString localHostNameFailedStatus(int error) {
    return plainText(localHostNameFailedText(error));
}

QString localHostTitle(const net::HostEntry& entry) {
    const QString address = entry.h_addr_list.empty() ? QString() : dotted(entry.h_addr_list.front());
    // A window title is plain text: the name goes in as the system's resolver spells it.
    return fill(res::kLocalHostTitle, output::text(res::kProductTitlePrefix),
                QString::fromLocal8Bit(entry.h_name), address);
}

std::vector<ResultMessage> additionalLocalAddressLines(const net::HostEntry& entry) {
    std::vector<ResultMessage> lines;
    for (std::size_t i = 1; i < entry.h_addr_list.size(); ++i)
        lines.push_back(
            line(fill(res::kAdditionalLocalAddressLine, RtfText::escape(dotted(entry.h_addr_list[i]))),
                 ResultKind::Plain));
    return lines;
}

std::vector<ResultMessage> aboutWinsockReport(const net::WSADATA& data) {
    return {
        line(fill(res::kWinsockInfoLine), ResultKind::Bold),
        line(fill(res::kWinsockVersionLine, int(data.wVersion & 0xff), int(data.wVersion >> 8)),
             ResultKind::Plain),
        line(fill(res::kWinsockDescriptionLine, RtfText::escape(data.szDescription)), ResultKind::Plain),
        line(fill(res::kWinsockSystemStatusLine, RtfText::escape(data.szSystemStatus)), ResultKind::Plain),
        line(fill(res::kWinsockMaxSocketsLine, unsigned(data.iMaxSockets)), ResultKind::Plain),
        line(fill(res::kWinsockMaxDatagramLine, unsigned(data.iMaxUdpDg)), ResultKind::Plain),
    };
}

QString winsockCleanupFailureText(int error) {
    return fill(res::kWsaCleanupFailure, net::WinsockErrorText(error));
}

} // namespace vantrel::ops
