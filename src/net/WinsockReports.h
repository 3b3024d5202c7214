#pragma once

// The socket library's reports for the Results window: the start-up report, the local-host report, the
// About Your Winsock report and the shut-down failure. Each line comes as the three things the append
// operation takes: an RTF fragment (a template with one "%s" when `argument` is set, the argument being
// an outside text to be escaped and filled in by the append), and its kind.
//
// The fragments are kept here as constants until they join the program's string resources.

#include "net/CWinsock.h"
#include "net/HostEntry.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vantrel::net {

// The kinds these reports use; the numbers are those of the Results window's kinds.
enum class ReportKind : int { Plain = 0, Red = 1, Bold = 2, RedBold = 3, Blue = 4 };

// The kind's name as the Results window's kinds are named ("Plain", "Red", "Bold", "RedBold", "Blue").
QString reportKindName(ReportKind kind);

struct ReportLine {
    QString text;
    QString argument;
    ReportKind kind = ReportKind::Plain;

    bool operator==(const ReportLine&) const = default;
};

inline constexpr const char* kWinsockStartupFailed = "{Winsock startup failed ( %s)}\\par }";
inline constexpr const char* kWinsockStartedOk = "%s  started OK.\\par }";
inline constexpr const char* kLocalHostNameFailed = "Local Host lookup failed ( %s).\\par }";
inline constexpr const char* kLocalHostLookupFailed = "{Local Host lookup failed (%s)} \\par }";
inline constexpr const char* kLocalHostTitle = "%s  Local Host Name:  %s   Local IP Address:  %s";
inline constexpr const char* kProductTitle = "Vantrel 2.0  ";
inline constexpr const char* kAdditionalLocalAddress = "{Additional Local IP address: %s}\\par }";
inline constexpr const char* kWinsockCleanupFailure = "WSACleanup Failure: ( %s)";
inline constexpr const char* kWrongWinsockVersion = "Wrong Winsock Version";
inline constexpr const char* kStartupErrorCaption = "Startup Error";
inline constexpr const char* kShutdownErrorCaption = "Shutdown Error";

// Start: a failed start (with the error text of `error`), in bold red.
ReportLine winsockStartupFailedLine(int error);
// Start: "<description>  started OK." - the Blue line, and the same text is the status text.
ReportLine winsockStartedLine(const WSADATA& data);
QString winsockStartedStatus(const WSADATA& data);
// Start: gethostname failed: the Red line, and the status text filled anew from the same format.
ReportLine localHostNameFailedLine(int error);
QString localHostNameFailedStatus(int error);

// The local-host lookup failed (its completion's error code), in red.
ReportLine localHostLookupFailedLine(int error);
// The local-host lookup succeeded: the main window's title, and one Plain line for every address after
// the first.
QString localHostTitle(const HostEntry& entry);
std::vector<ReportLine> additionalLocalAddressLines(const HostEntry& entry);

// About Your Winsock: the heading (Bold) and five Plain lines, every value filled in.
std::vector<ReportLine> aboutWinsockReport(const WSADATA& data);
// The same report as plain text lines, for a terminal.
QStringList aboutWinsockText(const WSADATA& data);

// Stop failed: the status text and the text of the "Shutdown Error" message box.
QString winsockCleanupFailureText(int error);

} // namespace vantrel::net
