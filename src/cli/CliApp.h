#pragma once

#include "settings/SqliteConnection.h"

#include <QStringList>
#include <chrono>

namespace vantrel::cli {

class PdfModule;
class TerminalOutput;

// Runs vantrel-cli with the arguments after the program name and answers its exit status. A change of
// the settings store waits `storeLockWait` for another program's lock before it fails. --pdf writes its
// pages with `pdf`, the loaded PDF module.
int runCli(const QStringList& arguments, TerminalOutput& output,
           std::chrono::milliseconds storeLockWait = settings::SqliteConnection::kLockWait,
           PdfModule* pdf = nullptr);

} // namespace vantrel::cli
