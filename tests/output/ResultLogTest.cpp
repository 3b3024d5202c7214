#include "log/ResultLog.h"

#include "RecordingFrontEnd.h"
#include "TemplateSamples.h"
#include "log/LogErrorTexts.h"
#include "log/ResultPipeline.h"
#include "rtf/RtfReader.h"
#include "settings/LiveOptions.h"
#include "support/ChildProcess.h"
#include "support/DataHome.h"
#include "support/QtPrinters.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>

namespace vantrel::output {
namespace {

using settings::OptionId;

const QDateTime kNow(QDate(2026, 12, 8), QTime(14, 5, 9));
constexpr const char* kTimeLine = " \\par {Dec 08, 2026  14:05:09} \\par }";

class ResultLogTest : public ::testing::Test {
protected:
    ResultLogTest() {
        options.setText(OptionId::LogString, path());
        options.setNumber(OptionId::LogCheck, 0);
    }

    QString path(const QString& name = QStringLiteral("Vtrlog.rtf")) const { return dir.filePath(name); }

    QByteArray contents(const QString& file = QString()) const {
        QFile f(file.isEmpty() ? path() : file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    void writeFile(const QByteArray& bytes) {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    QTemporaryDir dir;
    settings::LiveOptions options;
    test::RecordingFrontEnd frontEnd;
    ResultLog log{options, frontEnd, [] { return kNow; }};
};

// The file is one complete document: every brace it opens is closed and the last byte closes the first.
void expectOneBalancedDocument(const QByteArray& bytes) {
    ASSERT_TRUE(bytes.startsWith("{\\rtf1 "));
    int depth = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\\') {
            ++i;
            continue;
        }
        if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            ASSERT_EQ(i, bytes.size() - 1) << "the document closes before its end";
        }
        ASSERT_GE(static_cast<unsigned char>(c), 0x20) << "no line breaks, 7-bit text";
        ASSERT_LT(static_cast<unsigned char>(c), 0x80);
    }
    ASSERT_EQ(depth, 0);
}

TEST_F(ResultLogTest, StartingWithANewFileWritesTheHeaderAndATimeLineThenFragmentsReplaceTheLastBrace) {
    log.ToggleLogging();
    EXPECT_TRUE(log.isLogging());
    EXPECT_EQ(options.number(OptionId::LogCheck), 1) << "the flag is saved as Log Check";
    EXPECT_EQ(contents(), QByteArray("{\\rtf1 \\par ") + kTimeLine);

    log.WriteLogFragment(u"{Ping canceled} \\par }");
    EXPECT_EQ(contents(), QByteArray("{\\rtf1 \\par ") + " \\par {Dec 08, 2026  14:05:09} \\par " +
                              "{Ping canceled} \\par }");
    EXPECT_TRUE(frontEnd.messages.empty());
}

TEST_F(ResultLogTest, AStartWithLoggingOffCreatesAndWritesNothingButShowsAnExistingLogsSize) {
    log.OpenLogAtStartup();
    EXPECT_FALSE(log.isOpen());
    EXPECT_FALSE(QFile::exists(path())) << "no file while logging is off";

    writeFile("{\\rtf1 \\par {old} \\par }");
    log.OpenLogAtStartup();
    EXPECT_FALSE(log.isLogging());
    EXPECT_TRUE(log.isOpen());
    EXPECT_EQ(log.refreshLogSizePane()->text, QStringLiteral("Log Size: 24 Bytes"));
    log.WriteLogFragment(u"{not logged} \\par }");
    EXPECT_EQ(contents(), QByteArray("{\\rtf1 \\par {old} \\par }"));
}

TEST_F(ResultLogTest, AStartWithLoggingOnAndNoFileCreatesIt) {
    options.setNumber(OptionId::LogCheck, 1);
    log.OpenLogAtStartup();
    EXPECT_TRUE(log.isLogging());
    EXPECT_EQ(contents(), QByteArray("{\\rtf1 \\par ") + kTimeLine);
}

TEST_F(ResultLogTest, StoppingAndRestartingContinuesTheSameFileWithOneMoreTimeLine) {
    log.ToggleLogging();
    log.WriteLogFragment(u"{one} \\par }");
    log.ToggleLogging();
    EXPECT_FALSE(log.isLogging());
    EXPECT_TRUE(log.isOpen()) << "stopping keeps the file open";
    log.WriteLogFragment(u"{while stopped} \\par }");
    log.ToggleLogging();
    log.WriteLogFragment(u"{two} \\par }");
    const QByteArray bytes = contents();
    EXPECT_EQ(bytes, QByteArray("{\\rtf1 \\par ") + " \\par {Dec 08, 2026  14:05:09} \\par {one} \\par " +
                         " \\par {Dec 08, 2026  14:05:09} \\par {two} \\par }");
    expectOneBalancedDocument(bytes);
}

TEST_F(ResultLogTest, ReservedExtensionsAreRefusedOnlyInLowerCase) {
    options.setText(OptionId::LogString, path(QStringLiteral("results.exe")));
    log.ToggleLogging();
    EXPECT_FALSE(log.isLogging());
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(frontEnd.messages[0].caption, QStringLiteral("Log Error - Reserved System File Extension"));
    EXPECT_EQ(
        frontEnd.messages[0].text,
        QStringLiteral("The Log file name cannot end with '.exe'.\nPlease choose another extension for the "
                       "file name."));
    EXPECT_EQ(frontEnd.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("results.exe"))));

    // Turning logging off with a reserved name still tells the user.
    log.ToggleLogging();
    EXPECT_EQ(frontEnd.messages.size(), 2u);

    for (const char* reserved :
         {".sys", ".dll", ".bat", ".reg", ".com", ".exe", ".inf", ".cat", ".bin", ".ini"}) {
        options.setText(OptionId::LogString, QStringLiteral("log") + QLatin1String(reserved));
        EXPECT_TRUE(log.CheckLogExtension(false)) << reserved;
        options.setText(OptionId::LogString, QStringLiteral("log") + QString::fromLatin1(reserved).toUpper());
        EXPECT_FALSE(log.CheckLogExtension(false)) << reserved;
    }
    options.setText(OptionId::LogString, path(QStringLiteral("LOG.EXE")));
    log.ToggleLogging();
    EXPECT_TRUE(log.isLogging());
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("LOG.EXE"))));
}

TEST_F(ResultLogTest, NamesShorterThanFourCharactersNeverMatchAReservedExtension) {
    for (const char* name : {"", "e", "ex", "exe"}) {
        options.setText(OptionId::LogString, QString::fromLatin1(name));
        EXPECT_FALSE(log.CheckLogExtension(true)) << name;
    }
    EXPECT_TRUE(frontEnd.messages.empty());
    const test::DataHome data;
    options.setText(OptionId::LogString, QStringLiteral("a.b")); // in the user's data folder
    log.ToggleLogging();
    EXPECT_TRUE(log.isLogging());
    EXPECT_TRUE(QFile::exists(data.folder() + QStringLiteral("/a.b")));
}

TEST_F(ResultLogTest, StartingWithoutAFileNameAsksForOne) {
    options.setText(OptionId::LogString, QString());
    log.ToggleLogging();
    EXPECT_FALSE(log.isLogging());
    EXPECT_EQ(frontEnd.paneShown, 1);
    ASSERT_EQ(frontEnd.balloons.size(), 1u);
    EXPECT_EQ(frontEnd.balloons[0].first, QStringLiteral("Log Error"));
    EXPECT_EQ(frontEnd.balloons[0].second,
              QStringLiteral("You must provide a log file path to open the log."));
    EXPECT_TRUE(frontEnd.messages.empty());

    frontEnd.balloonAccepted = false; // balloon tips off: the message box says it instead
    log.ToggleLogging();
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(frontEnd.messages[0].text, QStringLiteral("You must provide a log file path to open the log."));
}

TEST_F(ResultLogTest, AFileThatCannotBeOpenedStopsLoggingWithAMessage) {
    options.setText(OptionId::LogString, path(QStringLiteral("missing/folder/log.rtf")));
    log.ToggleLogging();
    EXPECT_FALSE(log.isLogging());
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(frontEnd.messages[0].caption, QStringLiteral("Log Error"));
    EXPECT_EQ(frontEnd.messages[0].text,
              QStringLiteral("Could not open the log file.\n\"%1\": No such file or directory.")
                  .arg(path(QStringLiteral("missing/folder/log.rtf"))));

    frontEnd.messages.clear();
    options.setNumber(OptionId::LogCheck, 1);
    log.OpenLogAtStartup();
    EXPECT_TRUE(frontEnd.messages.empty()) << "no box at start";
    EXPECT_FALSE(log.isLogging());
    EXPECT_EQ(options.number(OptionId::LogCheck), 1) << "the next start tries the log again";
    EXPECT_EQ(log.logPaneState().tooltip, QStringLiteral("Double-click here to start logging"));
    EXPECT_EQ(log.refreshLogSizePane()->text, QStringLiteral("Log closed."));
    ASSERT_EQ(frontEnd.resultLines.size(), 1u);
    EXPECT_EQ(
        frontEnd.resultLines[0].first,
        QStringLiteral("{Could not open the log file \"%1\": No such file or directory. Logging is off.} "
                       "\\par }")
            .arg(path(QStringLiteral("missing/folder/log.rtf"))));
    EXPECT_EQ(frontEnd.resultLines[0].second, ResultKind::Red);
}

TEST_F(ResultLogTest, ChangingTheFileNameClosesTheFile) {
    writeFile("{\\rtf1 \\par }");
    log.OpenLogAtStartup();
    ASSERT_TRUE(log.isOpen());
    log.fileNameChanged(path(QStringLiteral("other.rtf")));
    EXPECT_FALSE(log.isOpen());
    EXPECT_EQ(options.text(OptionId::LogString), path(QStringLiteral("other.rtf")));
    const auto pane = log.refreshLogSizePane();
    ASSERT_TRUE(pane.has_value());
    EXPECT_EQ(pane->text, QStringLiteral("Log closed."));
    EXPECT_EQ(pane->textColor, (Rgb{128, 128, 128}));
    EXPECT_EQ(pane->tooltip, QString());

    log.ToggleLogging(); // opens the new name
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("other.rtf"))));
}

TEST_F(ResultLogTest, ClearingEmptiesTheOpenFileAndTheNextWriteStartsANewDocument) {
    log.ClearLog(); // closed: nothing happens, nothing is said
    EXPECT_TRUE(frontEnd.messages.empty());
    EXPECT_FALSE(QFile::exists(path()));

    log.ToggleLogging();
    log.ClearLog();
    EXPECT_TRUE(log.isOpen());
    EXPECT_EQ(contents(), QByteArray());
    log.WriteLogFragment(u"{after} \\par }");
    EXPECT_EQ(contents(), QByteArray("{\\rtf1 \\par {after} \\par }"));
    EXPECT_TRUE(frontEnd.messages.empty());
}

void expectValidLog(const QByteArray& bytes) {
    LogDocumentCheck check;
    check.feed(bytes);
    EXPECT_FALSE(check.result()) << check.result().message();
    expectOneBalancedDocument(bytes);
}

TEST_F(ResultLogTest, ALogPastThePurgeSizeIsMovedAsideWholeAndANewOneStarts) {
    options.setNumber(OptionId::PurgeLog, 1);
    options.setNumber(OptionId::LogCheck, 1);
    log.OpenLogAtStartup();
    // A second program logging into the same file.
    test::RecordingFrontEnd otherFrontEnd;
    ResultLog other{options, otherFrontEnd, [] { return kNow; }};
    other.OpenLogAtStartup();
    const QString previous = path(QStringLiteral("Vtrlog.old.rtf"));
    const QByteArray row(1000, 'x');
    auto fillUpTo = [&](std::int64_t bytes, const char* mark) {
        for (int n = 0; log.fileSize() < bytes; ++n)
            log.WriteLogFragment(
                QStringLiteral("{%1 %2 %3} \\par }").arg(QLatin1String(mark)).arg(n).arg(QLatin1String(row)));
    };
    fillUpTo(1'000'000 - 2000, "first");
    {
        QFile f(path()); // exactly the limit, closing brace last
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(f.size() - 1);
        f.write(QByteArray(1'000'000 - f.size(), ' ') + '}');
    }
    ASSERT_EQ(log.fileSize(), 1'000'000);
    ASSERT_TRUE(log.refreshLogSizePane().has_value()) << "exactly the limit is kept";
    EXPECT_EQ(log.refreshLogSizePane()->text, QStringLiteral("Log Size: 1.00 Mb"));
    log.WriteLogFragment(u"{last row} \\par }");
    const QByteArray history = contents();

    EXPECT_FALSE(log.refreshLogSizePane().has_value()) << "the pane waits for the next refresh";
    EXPECT_EQ(contents(previous), history) << "every earlier row is in the previous file";
    expectValidLog(contents(previous));
    expectValidLog(contents());
    EXPECT_EQ(contents(), QByteArray("{\\rtf1 \\par ") + kTimeLine) << "a new log with its time line";
    ASSERT_EQ(frontEnd.resultLines.size(), 1u);
    EXPECT_EQ(
        frontEnd.resultLines[0].first,
        QStringLiteral("{The log reached its size limit and was moved to \"%1\"; a new log starts here.} "
                       "\\par }")
            .arg(previous));
    EXPECT_TRUE(frontEnd.messages.empty());

    // The other program sees its file moved: it continues in the new log and moves nothing again.
    EXPECT_TRUE(other.refreshLogSizePane().has_value());
    other.WriteLogFragment(u"{from the other} \\par }");
    EXPECT_EQ(contents(previous), history);
    EXPECT_TRUE(contents().endsWith("{from the other} \\par }"));
    expectValidLog(contents());

    // The next move replaces the older previous file: twice the limit at most.
    fillUpTo(1'000'001, "second");
    const QByteArray secondHistory = contents();
    EXPECT_FALSE(log.refreshLogSizePane().has_value());
    EXPECT_EQ(contents(previous), secondHistory);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    // With logging off a full log stays where it is.
    fillUpTo(1'000'001, "third");
    log.ToggleLogging();
    EXPECT_TRUE(log.refreshLogSizePane().has_value());
    EXPECT_GT(log.fileSize(), 1'000'000);
}

TEST(PreviousLogPathTest, TheHistoryGoesBesideTheLogUnderOneName) {
    EXPECT_EQ(previousLogPath(QStringLiteral("Vtrlog.rtf")), QStringLiteral("Vtrlog.old.rtf"));
    EXPECT_EQ(previousLogPath(QStringLiteral("/a.b/log")), QStringLiteral("/a.b/log.old"));
    EXPECT_EQ(previousLogPath(QStringLiteral("/tmp/.log")), QStringLiteral("/tmp/.log.old"));
    EXPECT_EQ(previousLogPath(QStringLiteral("x.tar.rtf")), QStringLiteral("x.tar.old.rtf"));
}

TEST_F(ResultLogTest, TheLogIsOneBalancedDocumentAfterEveryWrite) {
    test::RecordingView view;
    ResultPipeline pipeline(&log, view, [] { return kNow; });
    log.ToggleLogging();
    std::vector<QString> fragments;
    for (const StringResourceInfo& info : allStringResources()) {
        if (info.isRtf)
            fragments.push_back(test::fillWithSamples(info, QStringLiteral(u"{h}\\%s \u00e9\u0416\n")));
    }
    // Fragments as broken as any caller could make them.
    for (const char* broken : {"WinSock error 11001: Host not found", "}}}}", "{{{{", "\\", "a}b{c", "\\'4",
                               "{\\bin9 }}", "\r\n", "}"})
        fragments.push_back(QString::fromUtf8(broken));
    fragments.push_back(QStringLiteral(u"{raw \u00e9 \u4e16 text} \\par }"));
    for (const QString& fragment : fragments) {
        SCOPED_TRACE(fragment.toStdString());
        pipeline.AppendResult(fragment, QString(), ResultKind::Plain);
        const QByteArray bytes = contents();
        expectOneBalancedDocument(bytes);
        (void)RtfReader::readDocument(QByteArrayView(bytes));
    }
    pipeline.AppendResult(QStringLiteral("{Host lookup failed (%s)} \\par }"), QStringLiteral("50% {sure}"),
                          ResultKind::Red);
    const RtfDocument doc = RtfReader::readDocument(QByteArrayView(contents()));
    ASSERT_FALSE(doc.blocks.empty());
    const auto* last = std::get_if<Paragraph>(&doc.blocks.back());
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(runsText(last->runs), QStringLiteral("Host lookup failed (50% {sure}) "));
    EXPECT_TRUE(frontEnd.messages.empty());
}

// A write cut short by a file-size limit, anywhere in the file (here within one page): with SIGXFSZ
// ignored the write fails; with its default the process would be killed halfway. Either way the next
// program finds the log as it was and logs on into it.
TEST_F(ResultLogTest, AWriteCutShortKeepsEverythingLoggedAndStopsLogging) {
    for (const auto onSignal : {SIG_IGN, SIG_DFL}) {
        for (const int room : {5, 0}) {
            SCOPED_TRACE(::testing::Message()
                         << (onSignal == SIG_IGN ? "ignored" : "default") << " room " << room);
            options.setText(OptionId::LogString,
                            path(QStringLiteral("cut%1%2.rtf").arg(onSignal == SIG_IGN ? 1 : 0).arg(room)));
            ResultLog writer{options, frontEnd, [] { return kNow; }};
            writer.ToggleLogging();
            writer.WriteLogFragment(u"{kept} \\par }");
            const QByteArray before = contents(options.text(OptionId::LogString));
            const qint64 size = before.size();
            const int status = test::runInChild([&] {
                std::signal(SIGXFSZ, onSignal);
                const rlimit limit{rlim_t(size + room), rlim_t(size + room)};
                if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                    return 10;
                frontEnd.messages.clear();
                writer.WriteLogFragment(
                    QString(QStringLiteral("{%1} \\par }")).arg(QString(500, QLatin1Char('x'))));
                if (writer.isLogging() || !writer.hasFailed())
                    return 11;
                if (frontEnd.messages.size() != 1 ||
                    frontEnd.messages[0].caption != QStringLiteral("Log Error") ||
                    !frontEnd.messages[0].text.startsWith(QStringLiteral("Could not write to the log file.")))
                    return 12;
                return 0;
            });
            EXPECT_EQ(status, 0);
            EXPECT_EQ(contents(options.text(OptionId::LogString)), before);

            ResultLog next{options, frontEnd, [] { return kNow; }};
            next.ToggleLogging();
            EXPECT_TRUE(next.isLogging()) << "the log is not refused";
            next.WriteLogFragment(u"{next} \\par }");
            EXPECT_EQ(contents(options.text(OptionId::LogString)),
                      (before.chopped(1) + kTimeLine).chopped(1) + "{next} \\par }");
        }
    }
}

TEST_F(ResultLogTest, AFileThatIsNoLogIsLeftAsItWasAndLoggingDoesNotStartIntoIt) {
    const struct {
        const char* bytes;
        const char* reason;
    } cases[] = {
        {"meeting notes\n", "it does not begin as an RTF document"},
        {"{\\rtf1 \\par {cut sho", "its RTF document is not closed at the end of the file"},
        {"{\\rtf1 \\par {escaped} \\}", "its RTF document is not closed at the end of the file"},
        {"{\\rtf1 \\par {saved elsewhere} \\par }\r\n", "the file goes on after the end of its RTF document"},
        {"{\\rtf1 \\par }{\\rtf1 \\par }", "the file goes on after the end of its RTF document"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        writeFile(c.bytes);
        const QString message =
            QStringLiteral(
                "The file \"%1\" is not a log that Vantrel can add to: %2.\nThe file was left as it "
                "was, and logging is off.")
                .arg(path(), QLatin1String(c.reason));
        frontEnd.messages.clear();
        options.setNumber(OptionId::LogCheck, 0);
        log.OpenLogAtStartup();
        EXPECT_FALSE(log.isOpen());
        EXPECT_TRUE(frontEnd.messages.empty()) << "silent at start while logging is off";

        log.ToggleLogging();
        EXPECT_FALSE(log.isLogging());
        ASSERT_EQ(frontEnd.messages.size(), 1u);
        EXPECT_EQ(frontEnd.messages[0].caption, QStringLiteral("Log Error"));
        EXPECT_EQ(frontEnd.messages[0].text, message);

        frontEnd.resultLines.clear();
        options.setNumber(OptionId::LogCheck, 1);
        log.OpenLogAtStartup();
        EXPECT_FALSE(log.isLogging());
        EXPECT_EQ(frontEnd.messages.size(), 1u) << "no box at start";
        ASSERT_EQ(frontEnd.resultLines.size(), 1u) << "said once at a start with logging on";
        EXPECT_EQ(
            frontEnd.resultLines[0].first,
            QStringLiteral("{The file \"%1\" is not a log that Vantrel can add to: %2. The file was left "
                           "as it was, and logging is off.} \\par }")
                .arg(path(), QLatin1String(c.reason)));
        EXPECT_EQ(contents(), QByteArray(c.bytes));
    }

    // A log that another program changes while it is open is not written over either.
    writeFile("{\\rtf1 \\par {old} \\par }");
    frontEnd.messages.clear();
    log.ToggleLogging();
    ASSERT_TRUE(log.isLogging());
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("notes\n");
    }
    const QByteArray changed = contents();
    log.WriteLogFragment(u"{new} \\par }");
    EXPECT_FALSE(log.isLogging());
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_TRUE(frontEnd.messages[0].text.contains(
        QStringLiteral("its RTF document is not closed at the end of the file")));
    EXPECT_EQ(contents(), changed);
}

// The log writes only into a regular file on a disk: a device, a pipe, a folder, a socket or a file of
// the kernel's interfaces (empty, like a new log, but a setting of the system) is refused by name, at a
// start of logging and at a program start, and left as it was.
TEST_F(ResultLogTest, AFileThatIsNotARegularFileOnADiskIsNeverWritten) {
    const QString fifo = path(QStringLiteral("pipe.rtf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString socketPath = path(QStringLiteral("socket.rtf"));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = QFile::encodeName(socketPath);
    ASSERT_LT(socketName.size(), qsizetype(sizeof address.sun_path));
    std::copy(socketName.begin(), socketName.end(), address.sun_path);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const auto closeListener = qScopeGuard([&] { ::close(listener); });
    const QString folder = path(QStringLiteral("folder.rtf"));
    ASSERT_TRUE(QDir().mkdir(folder));

    const struct {
        QString path;
        const char* reason;
    } cases[] = {
        {fifo, "it is a pipe (FIFO), not a file"},
        {socketPath, "it is a socket, not a file"},
        {folder, "it is a folder"},
        {QStringLiteral("/dev/null"), "it is a device, not a file"},
        {QStringLiteral("/proc/self/status"),
         "it is one of the system's settings (proc or sys), not a file on a disk"},
        {QStringLiteral("/sys/kernel/uevent_seqnum"),
         "it is one of the system's settings (proc or sys), not a file on a disk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QFileInfo before(c.path);
        if (!before.exists())
            continue; // no sysfs in this sandbox
        options.setText(OptionId::LogString, c.path);
        frontEnd.messages.clear();
        frontEnd.resultLines.clear();
        log.ToggleLogging();
        EXPECT_FALSE(log.isLogging());
        ASSERT_EQ(frontEnd.messages.size(), 1u);
        EXPECT_EQ(frontEnd.messages[0].caption, QStringLiteral("Log Error"));
        EXPECT_EQ(frontEnd.messages[0].text,
                  QStringLiteral("The file \"%1\" is not a log that Vantrel can add to: %2.\nThe file was "
                                 "left as it was, and logging is off.")
                      .arg(c.path, QLatin1String(c.reason)));

        options.setNumber(OptionId::LogCheck, 1);
        log.OpenLogAtStartup();
        EXPECT_FALSE(log.isLogging());
        EXPECT_EQ(frontEnd.resultLines.size(), 1u) << "a red line at a program start";

        const QFileInfo after(c.path);
        EXPECT_EQ(after.isDir(), before.isDir());
        EXPECT_EQ(after.isFile(), before.isFile());
        EXPECT_EQ(after.lastModified(), before.lastModified());
    }
    EXPECT_TRUE(QDir(folder).isEmpty());
    // Nothing waits in the pipe: it was never written.
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    char byte = 0;
    EXPECT_EQ(::read(reader, &byte, 1), 0);
    ::close(reader);
}

TEST_F(ResultLogTest, AWriterKilledAtAnyInstantLeavesOneDocumentWithEveryRowItWrote) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    options.setNumber(OptionId::LogCheck, 1);
    int roundsWithRows = 0;
    for (int round = 0; round < 200; ++round) {
        if (round % 4 == 0) // a new file now and then keeps the files, and their checks, small
            options.setText(OptionId::LogString, path(QStringLiteral("killed%1.rtf").arg(round)));
        int report[2];
        ASSERT_EQ(::pipe(report), 0);
        const auto childSeed = unsigned(random());
        const pid_t child = test::startChild([&] {
            ::close(report[0]);
            std::mt19937 sizes(childSeed); // rows of every size, many across a page of the file
            ResultLog writer(options, frontEnd, [] { return kNow; });
            writer.OpenLogAtStartup();
            const int ready = -1;
            if (::write(report[1], &ready, sizeof ready) != sizeof ready)
                return 2;
            for (int row = 0;; ++row) {
                const QString filler(qsizetype(sizes() % 6000), QLatin1Char('x'));
                writer.WriteLogFragment(
                    QStringLiteral("{row %1.%2 %3} \\par }").arg(round).arg(row).arg(filler));
                if (!writer.isLogging())
                    return 1;
                if (::write(report[1], &row, sizeof row) != sizeof row)
                    return 2;
            }
        });
        ::close(report[1]);
        int ready = 0;
        ASSERT_EQ(::read(report[0], &ready, sizeof ready), ssize_t(sizeof ready)) << "round " << round;
        // Most kills land among the rows, however slow a write is here (a sanitizer, a loaded machine);
        // the others may land in the first row's write.
        int lastRow = -1;
        if (round % 4 != 3) {
            ASSERT_EQ(::read(report[0], &lastRow, sizeof lastRow), ssize_t(sizeof lastRow))
                << "round " << round;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 2000));
        ::kill(child, SIGKILL);
        ASSERT_EQ(test::waitForChild(child), 128 + SIGKILL) << "round " << round;
        for (int row = 0; ::read(report[0], &row, sizeof row) == sizeof row;)
            lastRow = row;
        ::close(report[0]);
        roundsWithRows += lastRow >= 0 ? 1 : 0;

        // The next program to open the log finds one document with every row reported written.
        ResultLog next(options, frontEnd, [] { return kNow; });
        next.OpenLogAtStartup();
        next.close();
        const QByteArray bytes = contents(options.text(OptionId::LogString));
        ASSERT_NO_FATAL_FAILURE(expectOneBalancedDocument(bytes)) << "round " << round;
        qsizetype at = 0;
        for (int row = 0; row <= lastRow; ++row) {
            at = bytes.indexOf(QStringLiteral("{row %1.%2 ").arg(round).arg(row).toLatin1(), at);
            ASSERT_GE(at, 0) << "round " << round << " lost row " << row;
        }
    }
    EXPECT_GE(roundsWithRows, 150) << "the kills must land while rows are written";
    EXPECT_TRUE(frontEnd.messages.empty());
}

// Moving the log aside is renames and links only: a kill at any instant leaves the log's name and the
// previous file each one whole document (or, for the log's name, briefly none), and no third file.
TEST_F(ResultLogTest, AMoveAsideKilledAtAnyInstantLeavesWholeDocumentsAndNoOtherFile) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    const QString previous = previousLogPath(path());
    const QByteArray header("{\\rtf1 \\par }");
    for (int round = 0; round < 100; ++round) {
        int report[2];
        ASSERT_EQ(::pipe(report), 0);
        const pid_t child = test::startChild([&] {
            ::close(report[0]);
            std::error_code error;
            const std::unique_ptr<LogFile> file = LogFile::open(path(), error);
            const int ready = -1;
            if (!file || ::write(report[1], &ready, sizeof ready) != sizeof ready)
                return 2;
            for (int move = 0;; ++move) {
                bool moved = false;
                if (file->append(header,
                                 QStringLiteral("{row %1.%2} \\par }").arg(round).arg(move).toLatin1()) ||
                    file->moveAside(previous, header, moved) || !moved)
                    return 1;
                if (::write(report[1], &move, sizeof move) != sizeof move)
                    return 2;
            }
        });
        ::close(report[1]);
        int ready = 0;
        ASSERT_EQ(::read(report[0], &ready, sizeof ready), ssize_t(sizeof ready)) << "round " << round;
        int lastMove = -1; // the kill lands once the log is moving
        ASSERT_EQ(::read(report[0], &lastMove, sizeof lastMove), ssize_t(sizeof lastMove))
            << "round " << round;
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 2000));
        ::kill(child, SIGKILL);
        ASSERT_EQ(test::waitForChild(child), 128 + SIGKILL) << "round " << round;
        for (int move = 0; ::read(report[0], &move, sizeof move) == sizeof move;)
            lastMove = move;
        ::close(report[0]);

        // An empty log is one not begun yet: a kill just after a start created it.
        if (const QByteArray text = contents(); !text.isEmpty() && text != "<missing>") {
            ASSERT_NO_FATAL_FAILURE(expectValidLog(text)) << "round " << round;
        }
        if (QFile::exists(previous)) {
            ASSERT_NO_FATAL_FAILURE(expectValidLog(contents(previous))) << "round " << round;
        }
        const QByteArray moved = contents(previous);
        EXPECT_TRUE(moved.contains(QStringLiteral("{row %1.%2}").arg(round).arg(lastMove).toLatin1()) ||
                    moved.contains(QStringLiteral("{row %1.%2}").arg(round).arg(lastMove + 1).toLatin1()))
            << "round " << round;
        EXPECT_LE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "round " << round;
    }
}

TEST_F(ResultLogTest, TwoProgramsLoggingToOneFileLoseNoRow) {
    options.setNumber(OptionId::LogCheck, 1);
    constexpr int kRows = 2000;
    const auto writer = [&](int id) {
        return test::startChild([&, id] {
            ResultLog own(options, frontEnd, [] { return kNow; });
            own.OpenLogAtStartup();
            for (int row = 0; row < kRows; ++row)
                own.WriteLogFragment(QStringLiteral("{writer %1 row %2} \\par }").arg(id).arg(row));
            return own.isLogging() ? 0 : 1;
        });
    };
    const pid_t first = writer(1);
    const pid_t second = writer(2);
    EXPECT_EQ(test::waitForChild(first), 0);
    EXPECT_EQ(test::waitForChild(second), 0);

    const QByteArray bytes = contents();
    expectOneBalancedDocument(bytes);
    EXPECT_EQ(bytes.count("{\\rtf1"), 1) << "one header, though both found the file empty";
    for (int id : {1, 2}) {
        int found = 0;
        qsizetype at = 0;
        for (int row = 0; row < kRows; ++row) {
            const qsizetype next =
                bytes.indexOf(QStringLiteral("{writer %1 row %2}").arg(id).arg(row).toLatin1(), at);
            if (next >= 0) {
                at = next;
                ++found;
            }
        }
        EXPECT_EQ(found, kRows) << "writer " << id;
    }
}

TEST(LogErrorTextTest, ClearErrorsNameTheirCauseOrTheSystemNumber) {
    const auto text = [](int error) {
        return clearLogErrorText(std::error_code(error, std::generic_category()));
    };
    EXPECT_EQ(text(EACCES), QStringLiteral("Could not clear the log. The file could not be accessed."));
    EXPECT_EQ(text(EBADF),
              QStringLiteral("Could not clear the log. There was an attempt to use an invalid file handle."));
    EXPECT_EQ(text(ENOENT), QStringLiteral("Could not clear the log. The file could not be located."));
    EXPECT_EQ(text(ENOTDIR), QStringLiteral("Could not clear the log. All or part of the path is invalid."));
    EXPECT_EQ(text(ENOSPC), QStringLiteral("Could not clear the log. Error Message - %1.").arg(ENOSPC));
    EXPECT_EQ(text(EIO), QStringLiteral("Could not clear the log. Error Message - %1.").arg(EIO));
    EXPECT_EQ(text(EINVAL), QStringLiteral("Could not clear the log. An unspecified error occurred."));
}

TEST_F(ResultLogTest, ShowLogOpensTheFileAndReportsWhyItCouldNotNamingIt) {
    log.ShowLog();
    ASSERT_EQ(frontEnd.opened.size(), 1u);
    EXPECT_EQ(frontEnd.opened[0], path());
    EXPECT_TRUE(frontEnd.messages.empty());

    frontEnd.openResult = OpenFailure::NoAssociation;
    log.ShowLog();
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(frontEnd.messages[0].text,
              QStringLiteral("Could not open the log file. There is no application associated with the given "
                             "file name extension.\nThe log file is \"%1\", in the folder \"%2\": open it "
                             "from there with a program that reads RTF.")
                  .arg(path(), dir.path()));
    EXPECT_EQ(showLogErrorText(OpenFailure::FileNotFound, path()),
              QStringLiteral("Could not open the log file. The log file could not be found.\nThe log file is "
                             "\"%1\".")
                  .arg(path()));
    EXPECT_EQ(
        showLogErrorText(OpenFailure(42), path()),
        QStringLiteral("Could not open the log file. Error code 42.\nThe log file is \"%1\".").arg(path()));

    options.setText(OptionId::LogString, QStringLiteral("x.bat"));
    log.ShowLog();
    EXPECT_EQ(frontEnd.opened.size(), 2u) << "a reserved name is never opened";
}

// A bare or relative name is one file in the user's data folder, wherever the program was started from;
// an absolute one is used as it is.
TEST_F(ResultLogTest, ARelativeNameIsTakenInTheUsersDataFolder) {
    const test::DataHome data;
    QTemporaryDir current;
    const QString previousCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current.path()));
    const auto back = qScopeGuard([&] { QDir::setCurrent(previousCurrent); });
    const QString folder = data.folder();

    options.setText(OptionId::LogString, QStringLiteral("Vtrlog.rtf"));
    log.ToggleLogging();
    EXPECT_TRUE(log.isLogging());
    EXPECT_EQ(contents(folder + QStringLiteral("/Vtrlog.rtf")), QByteArray("{\\rtf1 \\par ") + kTimeLine);
    EXPECT_TRUE(QDir(current.path()).isEmpty());
    log.ShowLog();
    ASSERT_EQ(frontEnd.opened.size(), 1u);
    EXPECT_EQ(frontEnd.opened[0], folder + QStringLiteral("/Vtrlog.rtf"));
    log.ToggleLogging();

    log.fileNameChanged(QStringLiteral("logs/../missing/run.rtf"));
    log.ToggleLogging();
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(
        frontEnd.messages[0].text,
        QStringLiteral("Could not open the log file.\n\"%1/missing/run.rtf\": No such file or directory.")
            .arg(folder));

    log.fileNameChanged(path());
    log.ToggleLogging();
    EXPECT_TRUE(QFile::exists(path()));
    EXPECT_TRUE(QDir(current.path()).isEmpty());
}

TEST_F(ResultLogTest, CommandsFollowTheFlagTheNameAndTheFile) {
    EXPECT_EQ(log.commandUpdate(cmd::kStartLoggingMenu)->caption, QStringLiteral("Start &Logging"));
    EXPECT_EQ(log.commandUpdate(cmd::kClearLogMenu)->enabled, std::nullopt) << "unchanged while closed";
    EXPECT_EQ(log.commandUpdate(cmd::kClearLogButton)->enabled, false);
    EXPECT_EQ(log.commandUpdate(cmd::kLogFileBox)->readOnly, false);
    log.ToggleLogging();
    EXPECT_EQ(log.commandUpdate(cmd::kStartLoggingMenu)->caption, QStringLiteral("Stop &Logging"));
    EXPECT_EQ(log.commandUpdate(cmd::kStartLoggingButton)->caption,
              QStringLiteral("      Stop Logging       "));
    EXPECT_EQ(log.commandUpdate(cmd::kLogCheckBox)->checked, true);
    EXPECT_EQ(log.commandUpdate(cmd::kClearLogMenu)->enabled, true);
    EXPECT_EQ(log.commandUpdate(cmd::kLogFileBox)->readOnly, true);
    EXPECT_EQ(log.logPaneState().background, (Rgb{0, 0, 255}));
    log.ClearLog();
    EXPECT_EQ(log.commandUpdate(cmd::kClearLogMenu)->enabled, false);
    options.setText(OptionId::LogString, QString());
    EXPECT_EQ(log.commandUpdate(cmd::kShowLogButton)->enabled, false);
    EXPECT_EQ(log.commandUpdate(cmd::kShowLogMenu)->enabled, true);
    EXPECT_FALSE(log.commandUpdate(11000).has_value());
}

} // namespace
} // namespace vantrel::output
