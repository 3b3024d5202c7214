// vantrel-cli's ping as a user runs it, on the real kernel's loopback.
#include "rtf/RtfReader.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace vantrel::cli {
namespace {

struct ProgramRun {
    int status = -1;
    QStringList lines;
    QString err;
};

class CliPingTest : public ::testing::Test {
protected:
    // `inChild` runs in the program's process before it starts (a limit of its own).
    ProgramRun run(const QStringList& arguments, std::function<void()> inChild = {}) {
        QProcess process;
        if (inChild)
            process.setChildProcessModifier(inChild);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VANTREL_CONFIG_DIR"), m_dir.path());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_dir.path());
        process.start(m_program, arguments);
        process.waitForFinished(60000);
        ProgramRun result;
        result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.lines =
            QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    // A file in the test's folder holding bytes.
    QString fileWith(const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir m_dir;
    QString m_program = QStringLiteral(VANTREL_CLI_PATH);
};

TEST_F(CliPingTest, PingOfLoopbackShowsTheTableTheEndLineAndTheStatistics) {
    const ProgramRun ping = run({QStringLiteral("ping"), QStringLiteral("127.0.0.1")});
    ASSERT_EQ(ping.status, 0) << ping.err.toStdString();
    ASSERT_EQ(ping.lines.size(), 10) << ping.lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(ping.lines[0].startsWith(QStringLiteral("Starting ping to 127.0.0.1 - ")));
    EXPECT_EQ(ping.lines[1].split(QLatin1Char(' '), Qt::SkipEmptyParts).first(), QStringLiteral("Ping"));
    for (int packet = 1; packet <= 5; ++packet) {
        const QStringList columns = ping.lines[1 + packet].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_EQ(columns.size(), 5);
        EXPECT_EQ(columns[0], QString::number(packet));
        EXPECT_EQ(columns[1], QStringLiteral("127.0.0.1"));
        EXPECT_EQ(columns[4], QStringLiteral("67")) << "the default banner comes back whole";
    }
    EXPECT_EQ(ping.lines[7], QStringLiteral("Ping Successful"));
    EXPECT_EQ(ping.lines[8], QStringLiteral("5 of 5 packets returned successfully : 0.0% PACKET LOSS"));
    EXPECT_TRUE(ping.lines[9].startsWith(
        QStringLiteral("Round Trip Time (in milliseconds) Maximum/ Minimum/Average: ")));
}

// With PreciseTimes the same rows show the kernel-measured round trips to the microsecond, and the
// statistics their mean deviation.
TEST_F(CliPingTest, PreciseTimesShowThreeDecimalsAndTheMeanDeviation) {
    const ProgramRun ping =
        run({QStringLiteral("--set"), QStringLiteral("PreciseTimes=1"), QStringLiteral("--set"),
             QStringLiteral("Packets=2"), QStringLiteral("ping"), QStringLiteral("127.0.0.1")});
    ASSERT_EQ(ping.status, 0) << ping.err.toStdString();
    ASSERT_EQ(ping.lines.size(), 7) << ping.lines.join(QLatin1Char('\n')).toStdString();
    const QRegularExpression precise(QStringLiteral("^\\d+\\.\\d{3}$"));
    for (int packet = 1; packet <= 2; ++packet)
        EXPECT_TRUE(precise.match(ping.lines[1 + packet].split(QLatin1Char(' '), Qt::SkipEmptyParts).value(2))
                        .hasMatch())
            << ping.lines[1 + packet].toStdString();
    EXPECT_TRUE(QRegularExpression(
                    QStringLiteral("^Round Trip Time \\(in milliseconds\\) Maximum/ Minimum/Average/Mean "
                                   "Deviation: (\\d+\\.\\d{3}/){3}\\d+\\.\\d{3}$"))
                    .match(ping.lines[6])
                    .hasMatch())
        << ping.lines[6].toStdString();
}

TEST_F(CliPingTest, RtfShowsEachFragmentWithItsKind) {
    const ProgramRun ping =
        run({QStringLiteral("--rtf"), QStringLiteral("--set"), QStringLiteral("Packets=2"),
             QStringLiteral("--set"), QStringLiteral("Statistics=0"), QStringLiteral("ping"),
             QStringLiteral("127.0.0.1")});
    ASSERT_EQ(ping.status, 0) << ping.err.toStdString();
    QStringList kinds;
    for (const QString& line : ping.lines)
        kinds.append(line.section(QLatin1Char('\t'), 0, 0));
    EXPECT_EQ(kinds, (QStringList{"Bold", "HeaderRow", "Plain", "Plain", "Bold"}));
    EXPECT_EQ(ping.lines.last(), QStringLiteral("Bold\t{Ping Successful} \\par }"));
    EXPECT_TRUE(
        ping.lines[2].contains(QStringLiteral("\\pard\\intbl  1 \\cell \\pard\\intbl 127.0.0.1  \\cell")));
}

TEST_F(CliPingTest, ALoggedRunLeavesOneBalancedDocument) {
    const QString logFile = m_dir.filePath(QStringLiteral("run.rtf"));
    const ProgramRun ping =
        run({QStringLiteral("--set"), QStringLiteral("Log Check=1"), QStringLiteral("--set"),
             QStringLiteral("Log String=") + logFile, QStringLiteral("--set"), QStringLiteral("Packets=2"),
             QStringLiteral("ping"), QStringLiteral("127.0.0.1")});
    ASSERT_EQ(ping.status, 0) << ping.err.toStdString();
    QFile file(logFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1 "));
    EXPECT_TRUE(rtf.endsWith("}"));
    int depth = 0;
    for (char c : rtf)
        depth += c == '{' ? 1 : c == '}' ? -1 : 0;
    EXPECT_EQ(depth, 0);
    const output::RtfDocument document = output::RtfReader::readDocument(QByteArrayView(rtf));
    const auto rows =
        std::count_if(document.blocks.begin(), document.blocks.end(),
                      [](const output::RtfBlock& b) { return std::holds_alternative<output::TableRow>(b); });
    EXPECT_EQ(rows, 3) << "the header and two reply rows";

    // Without logging, a run leaves no log file behind.
    ASSERT_EQ(run({QStringLiteral("--set"), QStringLiteral("Packets=1"), QStringLiteral("ping"),
                   QStringLiteral("127.0.0.1")})
                  .status,
              0);
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("Vtrlog.rtf"))));
}

TEST_F(CliPingTest, ALogThatCannotBeUsedStopsTheRunBeforeItStarts) {
    QFile notes(m_dir.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("shopping list\n");
    notes.close();
    for (const QString& logFile : {notes.fileName(), m_dir.path()}) {
        const ProgramRun ping = run({QStringLiteral("--set"), QStringLiteral("Log Check=1"),
                                     QStringLiteral("--set"), QStringLiteral("Log String=") + logFile,
                                     QStringLiteral("ping"), QStringLiteral("127.0.0.1")});
        EXPECT_EQ(ping.status, 2) << logFile.toStdString();
        EXPECT_TRUE(ping.lines.isEmpty()) << ping.lines.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(ping.err.contains(logFile)) << ping.err.toStdString();
    }
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
    EXPECT_EQ(notes.readAll(), QByteArray("shopping list\n")) << "a file that is no log is left as it was";
}

// A log that fails during the run (here a file-size limit, as a full disk would) is said at once; the
// run goes on to its end on the terminal and the program then ends with status 2, the log still whole.
TEST_F(CliPingTest, ALogThatFailsDuringTheRunEndsItWithStatus2AfterItsOutput) {
    const QString logFile = fileWith(QStringLiteral("run.rtf"), "{\\rtf1 \\par }");
    QFile log(logFile);
    ASSERT_EQ(run({QStringLiteral("options")}).status, 0); // the store is made before the limit
    const rlim_t room = 12 + 80; // the start's time line fits, the run's first row does not
    const ProgramRun ping =
        run({QStringLiteral("--set"), QStringLiteral("Log Check=1"), QStringLiteral("--set"),
             QStringLiteral("Log String=") + logFile, QStringLiteral("--set"), QStringLiteral("Packets=2"),
             QStringLiteral("ping"), QStringLiteral("127.0.0.1")},
            [room] {
                const rlimit limit{room, room};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
    EXPECT_EQ(ping.status, 2) << ping.err.toStdString();
    ASSERT_FALSE(ping.lines.isEmpty());
    EXPECT_TRUE(ping.lines.last().startsWith(QStringLiteral("Round Trip Time"))) << "the whole run was shown";
    EXPECT_TRUE(ping.err.contains(QStringLiteral("Log Error: Could not write to the log file.")))
        << ping.err.toStdString();
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray rtf = log.readAll();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1 \\par ")) << rtf.constData();
    EXPECT_TRUE(rtf.endsWith("} \\par }")) << "a whole document with what fitted" << rtf.constData();
    EXPECT_FALSE(rtf.contains("127.0.0.1")) << rtf.constData();
}

// The command line keeps the log's size limit as the window does: a full log is moved aside whole before
// the run's rows, which start a new log.
TEST_F(CliPingTest, AFullLogIsMovedAsideWholeBeforeTheRunsRows) {
    const QByteArray full = "{\\rtf1 \\par {" + QByteArray(1000000, 'x') + "} \\par }";
    const QString logFile = fileWith(QStringLiteral("run.rtf"), full);
    QFile log(logFile);
    const ProgramRun ping =
        run({QStringLiteral("--set"), QStringLiteral("Log Check=1"), QStringLiteral("--set"),
             QStringLiteral("Log String=") + logFile, QStringLiteral("--set"), QStringLiteral("PurgeLog=1"),
             QStringLiteral("--set"), QStringLiteral("Packets=2"), QStringLiteral("ping"),
             QStringLiteral("127.0.0.1")});
    ASSERT_EQ(ping.status, 0) << ping.err.toStdString();
    const QString previous = m_dir.filePath(QStringLiteral("run.old.rtf"));
    EXPECT_TRUE(ping.err.contains(previous)) << ping.err.toStdString();
    QFile moved(previous);
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    const QByteArray history = moved.readAll();
    EXPECT_TRUE(history.startsWith(full.chopped(1))) << "the whole history, then this start's time line";
    EXPECT_FALSE(history.contains("127.0.0.1"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray fresh = log.readAll();
    EXPECT_LT(fresh.size(), 10000);
    EXPECT_TRUE(fresh.startsWith("{\\rtf1 \\par "));
    EXPECT_TRUE(fresh.contains("Starting ping to 127.0.0.1")) << fresh.constData();
    EXPECT_TRUE(fresh.contains("Ping Successful")) << fresh.constData();
}

TEST_F(CliPingTest, PingWithoutAHostIsAUsageError) {
    const ProgramRun ping = run({QStringLiteral("ping")});
    EXPECT_EQ(ping.status, 2);
    EXPECT_TRUE(ping.err.contains(QStringLiteral("ping takes one HOST")));
}

// What poppler reads from a PDF file: its text in page order, or its page count.
QString poppler(const QString& tool, const QString& path) {
    QProcess process;
    process.start(tool,
                  tool == QLatin1String("pdfinfo") ? QStringList{path} : QStringList{"-layout", path, "-"});
    process.waitForFinished(60000);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    if (tool != QLatin1String("pdfinfo"))
        return text;
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(text).captured(1);
}

TEST_F(CliPingTest, PdfHoldsTheRowsInOrderOverAsManyPagesAsTheyNeed) {
    const QString pdf = m_dir.filePath(QStringLiteral("ping.pdf"));
    struct Case {
        int packets;
        bool onePage;
        QString host;
    };
    // An IPv6 address's wider table still fits the page's width: its header stays one line.
    for (const Case& c : {Case{5, true, "127.0.0.1"}, Case{150, false, "127.0.0.1"}, Case{3, true, "::1"}}) {
        const ProgramRun ping =
            run({QStringLiteral("--pdf"), pdf, QStringLiteral("--set"),
                 QStringLiteral("Packets=%1").arg(c.packets), QStringLiteral("ping"), c.host});
        ASSERT_EQ(ping.status, 0) << ping.err.toStdString();
        EXPECT_EQ(poppler(QStringLiteral("pdfinfo"), pdf) == QLatin1String("1"), c.onePage) << c.packets;
        // Every reply row, numbered in order, then the end line: no row lost or cut at a page's end.
        const QString text = poppler(QStringLiteral("pdftotext"), pdf);
        qsizetype at = text.indexOf(QStringLiteral("Starting ping to ") + c.host);
        ASSERT_GE(at, 0) << text.toStdString();
        EXPECT_TRUE(
            text.contains(QRegularExpression(QStringLiteral("Ping #[ \\t]+IP Address.*Bytes Received"))))
            << text.toStdString();
        for (int packet = 1; packet <= c.packets; ++packet) {
            const QRegularExpression reply(
                QStringLiteral("\\b%1\\s+%2\\b").arg(packet).arg(QRegularExpression::escape(c.host)));
            const QRegularExpressionMatch found = reply.match(text, at);
            ASSERT_TRUE(found.hasMatch()) << "reply " << packet;
            at = found.capturedEnd();
        }
        EXPECT_GT(text.indexOf(QStringLiteral("Ping Successful"), at), 0);
    }
}

TEST_F(CliPingTest, PdfRefusesARowTallerThanAPageAndLeavesTheOldFile) {
    const QString pdf = m_dir.filePath(QStringLiteral("ping.pdf"));
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older report");
    old.close();
    const ProgramRun ping =
        run({QStringLiteral("--pdf"), pdf, QStringLiteral("--set"), QStringLiteral("Packets=1"),
             QStringLiteral("--set"), QStringLiteral("RetData=1"), QStringLiteral("--set"),
             QStringLiteral("Ping String=") + QString(5000, QLatin1Char('W')), QStringLiteral("ping"),
             QStringLiteral("127.0.0.1")});
    EXPECT_EQ(ping.status, 2);
    EXPECT_TRUE(ping.err.contains(QStringLiteral("The 'Returned Data' text is too large to print.")))
        << ping.err.toStdString();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("an older report"));
}

TEST_F(CliPingTest, PdfWithoutAWorkingModuleFailsNamingItAndOtherRunsWork) {
    // A copy of the program in a folder of its own, away from the module beside the built one.
    const QString bin = m_dir.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    m_program = bin + QStringLiteral("/vantrel-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(VANTREL_CLI_PATH), m_program));
    struct Case {
        const char* moduleBytes; // nullptr: no module at all
        const char* reason;
    };
    for (const Case c : {Case{nullptr, "which is neither at"}, Case{"not a library", "cannot be loaded"}}) {
        if (c.moduleBytes)
            fileWith(QStringLiteral("bin/vantrel-cli-pdf.so"), c.moduleBytes);
        const QString pdf = fileWith(QStringLiteral("ping.pdf"), "an older report");
        const ProgramRun ping =
            run({QStringLiteral("--pdf"), pdf, QStringLiteral("--set"), QStringLiteral("Packets=1"),
                 QStringLiteral("ping"), QStringLiteral("127.0.0.1")});
        EXPECT_EQ(ping.status, 2) << c.reason;
        EXPECT_TRUE(ping.err.contains(QStringLiteral("vantrel-cli-pdf.so")) && ping.err.contains(c.reason))
            << ping.err.toStdString();
        EXPECT_TRUE(ping.lines.isEmpty()) << "nothing runs that cannot be written";
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray("an older report"));
        EXPECT_EQ(run({QStringLiteral("--set"), QStringLiteral("Packets=1"), QStringLiteral("ping"),
                       QStringLiteral("127.0.0.1")})
                      .status,
                  0)
            << "a run without --pdf needs no module";
    }
}

} // namespace
} // namespace vantrel::cli
