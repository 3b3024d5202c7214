#include "ops/WinsockReports.h"

#include "net/WinsockErrors.h"
#include "rtf/TextRenderer.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"

namespace vantrel::ops {

namespace {

namespace res = output::res;
using output::fill;
using output::ResultKind;

output::ResultRow startedLine(const net::WSADATA& data) {
    return output::makeRow(ResultKind::Blue, res::kWinsockStartedLine, data.szDescription);
}

output::ResultRow localHostNameFailed(int error) {
    return output::makeRow(ResultKind::Red, res::kLocalHostNameFailedLine, net::WinsockErrorText(error));
}

// The status bar shows plain text: a status made from a row shows its text alone.
QString plainText(const output::ResultRow& row) {
    return output::TextRenderer().render(row.document()).trimmed();
}

} // namespace

output::ResultRow winsockStartupFailedLine(int error) {
    return output::makeRow(ResultKind::RedBold, res::kWinsockStartupFailedLine, net::WinsockErrorText(error));
}

QString winsockStartedStatus(const net::WSADATA& data) {
    return plainText(startedLine(data));
}

output::ResultRow winsockStartedLine(const net::WSADATA& data) {
    return startedLine(data);
}

output::ResultRow localHostNameFailedLine(int error) {
    return localHostNameFailed(error);
}

QString localHostNameFailedStatus(int error) {
    return plainText(localHostNameFailed(error));
}

QString localHostTitle(const net::HostEntry& entry) {
    const QString address = entry.h_addr_list.empty() ? QString() : entry.h_addr_list.front().toQString();
    // A window title is plain text: the name goes in as the system's resolver spells it.
    return fill(res::kLocalHostTitle, output::text(res::kProductTitlePrefix),
                QString::fromLocal8Bit(entry.h_name), address);
}

std::vector<output::ResultRow> additionalLocalAddressLines(const net::HostEntry& entry) {
    std::vector<output::ResultRow> lines;
    for (std::size_t i = 1; i < entry.h_addr_list.size(); ++i)
        lines.push_back(output::makeRow(ResultKind::Plain, res::kAdditionalLocalAddressLine,
                                        entry.h_addr_list[i].toQString()));
    return lines;
}

std::vector<output::ResultRow> aboutWinsockReport(const net::WSADATA& data) {
    using output::makeRow;
    return {
        makeRow(ResultKind::Bold, res::kWinsockInfoLine),
        makeRow(ResultKind::Plain, res::kWinsockVersionLine, int(data.wVersion & 0xff),
                int(data.wVersion >> 8)),
        makeRow(ResultKind::Plain, res::kWinsockDescriptionLine, data.szDescription),
        makeRow(ResultKind::Plain, res::kWinsockSystemStatusLine, data.szSystemStatus),
        makeRow(ResultKind::Plain, res::kWinsockMaxSocketsLine, unsigned(data.iMaxSockets)),
        makeRow(ResultKind::Plain, res::kWinsockMaxDatagramLine, unsigned(data.iMaxUdpDg)),
    };
}

QString winsockCleanupFailureText(int error) {
    return fill(res::kWsaCleanupFailure, net::WinsockErrorText(error));
}

} // namespace vantrel::ops
