#include "log/ResultLog.h"

#include "log/LogErrorTexts.h"
#include "rows/TimeStamp.h"
#include "rtf/RtfFragment.h"
#include "settings/LiveOptions.h"
#include "settings/StoreLocation.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"

#include <QDir>
#include <QFileInfo>
#include <array>

namespace vantrel::output {

using settings::OptionId;

namespace {

constexpr std::array<const char*, 10> kReservedExtensions = {".sys", ".dll", ".bat", ".reg", ".com",
                                                             ".exe", ".inf", ".cat", ".bin", ".ini"};

QByteArray bytesOf(const RtfText& rtf) {
    return toRtfBytes(rtf.rtf());
}

QByteArray header() {
    return bytesOf(fill(res::kLogHeader));
}

QString reasonOf(std::error_code error) {
    return QString::fromStdString(error.message());
}

} // namespace

ResultLog::ResultLog(settings::LiveOptions& options, LogFrontEnd& frontEnd, Clock clock)
    : m_options(options)
    , m_frontEnd(frontEnd)
    , m_stamper(std::move(clock)) {}

ResultLog::~ResultLog() = default;

QString ResultLog::fileName() const {
    return m_options.text(OptionId::LogString);
}

QString ResultLog::filePath() const {
    const QString name = fileName();
    if (name.isEmpty() || QDir::isAbsolutePath(name))
        return name;
    return QDir::cleanPath(settings::userDataDir() + name);
}

std::unique_ptr<LogFile> ResultLog::openLog(LogFile::Missing missing, std::error_code& error) const {
    // The data folder is made for a new log; a folder the name itself gives must exist already.
    if (missing == LogFile::Missing::Create && QDir::isRelativePath(fileName()))
        QDir().mkpath(settings::userDataDir());
    return LogFile::open(filePath(), error, missing);
}

void ResultLog::setLogging(bool on) {
    m_logging = on;
    m_options.setNumber(OptionId::LogCheck, on ? 1 : 0);
}

void ResultLog::logError(const QString& text) {
    m_failed = true;
    m_frontEnd.ShowMessageBox(output::text(res::kLogErrorCaption), text, MessageIcon::Error);
}

std::error_code ResultLog::openFile() {
    std::error_code error;
    m_file = openLog(LogFile::Missing::Create, error);
    return error;
}

bool ResultLog::openForLogging() {
    if (const std::error_code error = openFile()) {
        setLogging(false);
        logError(openLogErrorText(filePath(), error));
        return false;
    }
    return true;
}

bool ResultLog::written(std::error_code error) {
    if (!error)
        return true;
    setLogging(false);
    if (error.category() == logFaultCategory()) {
        // Another program changed the file: it is let go, untouched.
        logError(openLogErrorText(m_file->path(), error));
        m_file.reset();
    } else {
        logError(writeLogErrorText(error));
    }
    return false;
}

bool ResultLog::CheckLogExtension(bool showMessage) {
    const QString name = fileName();
    if (name.size() < 4)
        return false;
    const QString last = name.right(4);
    for (const char* reserved : kReservedExtensions) {
        if (last == QLatin1String(reserved)) {
            if (showMessage)
                m_frontEnd.ShowMessageBox(text(res::kReservedExtensionCaption),
                                          fill(res::kReservedExtension, last), MessageIcon::Error);
            return true;
        }
    }
    return false;
}

void ResultLog::OpenLogAtStartup() {
    setLogging(m_options.isOn(OptionId::LogCheck));
    if (CheckLogExtension(false)) {
        setLogging(false);
        return;
    }
    if (!m_file) {
        // With logging off an existing log is opened only to show its size: nothing is created or written.
        std::error_code error;
        m_file = openLog(m_logging ? LogFile::Missing::Create : LogFile::Missing::LeaveMissing, error);
        if (error) {
            // No box before the window exists: logging goes off and the Results window says why. `Log
            // Check` keeps the user's choice, so a log on a folder missing today resumes at the next start.
            if (m_logging) {
                m_logging = false;
                const auto& line =
                    error.category() == logFaultCategory() ? res::kLogNotALogLine : res::kLogOpenFailedLine;
                m_frontEnd.showResultLine(makeRow(ResultKind::Red, line, filePath(), reasonOf(error)));
            }
            return;
        }
    }
    if (m_logging && written(m_file->start(header(), bytesOf(fill(res::kEmptyLine)))))
        WriteLogTimeLine();
}

void ResultLog::WriteLogTimeLine() {
    if (!m_file)
        return;
    const RtfText stamp = RtfText::escape(m_stamper.now());
    written(m_file->append(header(), bytesOf(fill(res::kLogTimeLine, stamp))));
}

void ResultLog::WriteLogFragment(QStringView workingText) {
    if (!m_logging)
        return;
    if (fileName().isEmpty()) {
        setLogging(false);
        return;
    }
    if (CheckLogExtension(true)) {
        setLogging(false);
        return;
    }
    if (!m_file && !openForLogging())
        return;
    if (m_movesAsideAsItWrites && moveAsideWhenFull() && !m_logging)
        return;
    written(m_file->append(header(), toRtfBytes(balancedFragment(workingText))));
}

void ResultLog::ToggleLogging() {
    setLogging(!m_logging);
    if (CheckLogExtension(true)) {
        setLogging(false);
        return;
    }
    if (!m_logging)
        return;
    if (!m_file) {
        if (fileName().isEmpty()) {
            m_frontEnd.showLogOptionsPane();
            if (!m_frontEnd.showFileNameBalloon(text(res::kLogErrorCaption), text(res::kLogPathMissing)))
                logError(text(res::kLogPathMissing));
            setLogging(false);
            return;
        }
        if (!openForLogging())
            return;
    }
    WriteLogTimeLine();
}

void ResultLog::ShowLog() {
    if (CheckLogExtension(true))
        return;
    const QString path = filePath();
    if (const auto failure = m_frontEnd.openWithDesktop(path))
        logError(showLogErrorText(*failure, path));
}

void ResultLog::ClearLog() {
    if (!m_file)
        return;
    if (const std::error_code error = m_file->clear())
        logError(clearLogErrorText(error));
}

bool ResultLog::moveLogAside() {
    const QString previous = previousLogPath(m_file->path());
    bool moved = false;
    if (const std::error_code error = m_file->moveAside(previous, header(), moved)) {
        setLogging(false);
        logError(fill(res::kLogMoveAsideFailed, previous, reasonOf(error)));
        return true;
    }
    if (!moved)
        return false;
    WriteLogTimeLine();
    m_frontEnd.showResultLine(
        makeRow(ResultKind::Plain, res::kLogMovedAsideLine, QFileInfo(previous).absoluteFilePath()));
    return true;
}

void ResultLog::fileNameChanged(const QString& name) {
    m_options.setText(OptionId::LogString, name);
    m_file.reset();
}

void ResultLog::close() {
    m_file.reset();
}

std::optional<std::int64_t> ResultLog::fileSize() const {
    if (!m_file)
        return std::nullopt;
    std::error_code error;
    const std::int64_t size = m_file->size(error);
    return error ? 0 : size;
}

bool ResultLog::moveAsideWhenFull() {
    const std::optional<std::int64_t> size = fileSize();
    // Only logging makes the log grow; with logging off a full log is left where it is.
    return size && m_logging && exceedsPurgeLimit(double(*size), m_options.number(OptionId::PurgeLog)) &&
           moveLogAside();
}

std::optional<StatusPaneState> ResultLog::refreshLogSizePane() {
    if (moveAsideWhenFull())
        return std::nullopt;
    return logSizePane(fileSize());
}

std::optional<CommandUpdate> ResultLog::commandUpdate(int id) const {
    LogCommandInputs in;
    in.logging = m_logging;
    in.fileBoxEmpty = fileName().isEmpty();
    in.fileOpen = isOpen();
    in.fileSize = fileSize().value_or(0);
    return logCommandUpdate(id, in);
}

} // namespace vantrel::output
