#pragma once

#include "commands/LogCommands.h"
#include "log/LogFile.h"
#include "log/LogFrontEnd.h"
#include "rows/StatusPanes.h"
#include "rows/TimeStamp.h"

#include <QDateTime>
#include <QStringView>
#include <functional>
#include <memory>

namespace vantrel::settings {
class LiveOptions;
}

namespace vantrel::output {

// The RTF log: every fragment appended while logging is on is also written to the log file, which stays
// one complete document after every write (each piece replaces the document's closing brace and brings
// its own). At start the file is opened when logging is on, or when it exists (to show its size); with
// logging off nothing is created or written. It stays open when logging stops and is closed only when its
// name changes and at exit. A log past the purge limit is moved aside whole to one previous file beside
// it, and a new log starts in its place. Runs on one thread (the GUI thread, or the command line's).
//
// The options in force give the file name (`Log String`, which the file-name box edits through
// fileNameChanged; a relative name is taken in the user's data folder), the logging flag's start value (`Log
// Check`, kept equal to the flag so that it is saved; a log that cannot be opened at start leaves it as the
// user set it) and the purge limit (`PurgeLog`).
//
// A write that fails (a full disk) changes nothing already in the file: logging stops and the front end
// shows a "Log Error" message. A file that is not a log (LogFile) is never written into: logging does not
// start, or stops, with a message that names the file and the reason.
class ResultLog {
public:
    ResultLog(settings::LiveOptions& options, LogFrontEnd& frontEnd,
              Clock clock = &QDateTime::currentDateTime);
    ~ResultLog();

    // Once at start, after the settings are loaded and before the banner is appended.
    void OpenLogAtStartup();
    // Writes a formatted fragment when logging is on (step 2 of AppendResult).
    void WriteLogFragment(QStringView workingText);
    // Start/stop logging: commands 11011 and 431, check box 1044, double-click on pane 903.
    void ToggleLogging();
    // Opens the log with the desktop's program: commands 11012 and 433.
    void ShowLog();
    // Empties the open log: commands 11013 and 432, double-click on pane 905, and the purge.
    void ClearLog();
    // Whether the file name ends in a reserved extension (case-sensitive), with the message if asked.
    bool CheckLogExtension(bool showMessage);
    // Writes a time line into the open file.
    void WriteLogTimeLine();
    // Opens the file now, for a front end that must know before it runs (the command line); when it
    // cannot, says why and stops logging.
    bool openForLogging();
    // A front end without status refreshes (the command line) has a full log moved aside before the
    // fragment that finds it full.
    void setMovesAsideAsItWrites(bool on) { m_movesAsideAsItWrites = on; }
    // Whether a "Log Error" was reported since the log was made: a run whose log failed did not succeed.
    bool hasFailed() const { return m_failed; }

    // The file-name box's text changed (typed, browsed or loaded): it becomes `Log String`, and an open
    // file is closed.
    void fileNameChanged(const QString& name);
    // Closes the file (at exit).
    void close();

    bool isLogging() const { return m_logging; }
    bool isOpen() const { return m_file != nullptr; }
    // The open file's size; nothing when it is closed.
    std::optional<std::int64_t> fileSize() const;

    // Pane 903.
    StatusPaneState logPaneState() const { return logPane(m_logging); }
    // Pane 905 at a status refresh. Above the purge limit, while logging, the log is moved aside instead
    // and nothing is returned: the pane stays as it was until the next refresh.
    std::optional<StatusPaneState> refreshLogSizePane();
    // The state of a log command (cmd::kStartLoggingMenu ... cmd::kLogFileBox), for the GUI's update routine.
    std::optional<CommandUpdate> commandUpdate(int id) const;

private:
    // `Log String` as the user set it.
    QString fileName() const;
    // The file it names: a bare or relative name is taken in the user's data folder, so that the history
    // is one file wherever the program was started from.
    QString filePath() const;
    std::unique_ptr<LogFile> openLog(LogFile::Missing missing, std::error_code& error) const;
    void setLogging(bool on);
    std::error_code openFile();
    // Whether a write succeeded; a failure stops logging and says why.
    bool written(std::error_code error);
    void logError(const QString& text);
    // Whether this log moved the full file aside (not another program before it), or failed to.
    bool moveLogAside();
    // Past the purge limit while logging: moveLogAside.
    bool moveAsideWhenFull();

    settings::LiveOptions& m_options;
    LogFrontEnd& m_frontEnd;
    TimeStamper m_stamper;
    std::unique_ptr<LogFile> m_file;
    bool m_logging = false;
    bool m_movesAsideAsItWrites = false;
    bool m_failed = false;
};

} // namespace vantrel::output
