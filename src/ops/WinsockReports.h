#pragma once

// The socket library's reports for the Results window: the start-up lines, the local-host report, the
// About Your Winsock report and the shut-down failure. Every line is a filled fragment with its kind,
// ready for the append; status and title texts are plain.

#include "net/CWinsock.h"
#include "net/HostEntry.h"
#include "rows/ResultRow.h"

#include <QString>
#include <vector>

namespace vantrel::ops {

// Start: a failed start (with the error text of `error`), in bold red.
output::ResultRow winsockStartupFailedLine(int error);
// Start: "<description>  started OK." in blue; the same text, as plain text, is the status text.
output::ResultRow winsockStartedLine(const net::WSADATA& data);
QString winsockStartedStatus(const net::WSADATA& data);
// Start: the local host's name could not be read: the red line, and its plain text as the status text.
output::ResultRow localHostNameFailedLine(int error);
QString localHostNameFailedStatus(int error);

// The local-host lookup succeeded: the main window's title, and one line for every address after the
// first.
QString localHostTitle(const net::HostEntry& entry);
std::vector<output::ResultRow> additionalLocalAddressLines(const net::HostEntry& entry);

// About Your Winsock: the heading (Bold) and five Plain lines.
std::vector<output::ResultRow> aboutWinsockReport(const net::WSADATA& data);

// Stop failed: the status text and the text of the "Shutdown Error" message box.
QString winsockCleanupFailureText(int error);

} // namespace vantrel::ops
