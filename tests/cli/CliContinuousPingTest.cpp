// vantrel-cli's continuous ping on the real kernel's loopback: counted cycles, Ctrl+C and the countdown
// on the terminal's status line.
#include "cli/CliApp.h"
#include "cli/CliOperationSession.h"
#include "cli/TerminalOutput.h"
#include "history/HistoryDatabase.h"
#include "net/IcmpApi.h"
#include "settings/LiveOptions.h"
#include "settings/RegistryStore.h"
#include "support/BufferOutput.h"
#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <limits>
#include <thread>

namespace vantrel::cli {
namespace {

class CliContinuousPingTest : public ::testing::Test {
protected:
    void start(QProcess& process, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VANTREL_CONFIG_DIR"), m_dir.path());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral(VANTREL_CLI_PATH), arguments);
    }
    // Runs vantrel-cli to its end: the exit status and the lines of standard output.
    std::pair<int, QStringList> run(const QStringList& arguments) {
        QProcess process;
        start(process, arguments);
        process.waitForFinished(60000);
        const int status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return {
            status,
            QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)};
    }

    // In-process runs need the application object, once for the test program.
    static void ensureApplication() {
        static int argc = 1;
        static char name[] = "cli_tests";
        static char* argv[] = {name, nullptr};
        static QCoreApplication application(argc, argv);
    }

    QTemporaryDir m_dir;
};

QStringList firstColumns(const QStringList& lines) {
    QStringList columns;
    for (const QString& line : lines)
        columns.append(line.section(QLatin1Char(' '), 0, 0));
    return columns;
}

TEST_F(CliContinuousPingTest, CountedCyclesNumberThePacketsOnAndEndWithOneSummary) {
    const auto [status, lines] =
        run({QStringLiteral("--set"), QStringLiteral("ContPing=1"), QStringLiteral("--set"),
             QStringLiteral("ContPingInterval=1"), QStringLiteral("--set"), QStringLiteral("Packets=2"),
             QStringLiteral("ping"), QStringLiteral("127.0.0.1"), QStringLiteral("--cycles"),
             QStringLiteral("3")});
    ASSERT_EQ(status, 0);
    ASSERT_EQ(lines.size(), 11) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Starting continuous ping to 127.0.0.1 - ")));
    EXPECT_EQ(firstColumns(lines.mid(2, 6)), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(lines[8], QStringLiteral("Ping Successful"));
    EXPECT_EQ(lines[9], QStringLiteral("6 of 6 packets returned successfully : 0.0% PACKET LOSS"));
    EXPECT_TRUE(lines.filter(QStringLiteral("Continuous ping")).isEmpty())
        << "no status line when standard output is no terminal";
}

TEST_F(CliContinuousPingTest, CyclesMustBeAWholeNumberFromOne) {
    for (const QStringList& wrong :
         {QStringList{"--cycles", "0"}, QStringList{"--cycles", "two"}, QStringList{"--cycles"},
          QStringList{"--cycles=-3"}, QStringList{"--cycles", "2", "localhost"}}) {
        QStringList arguments{QStringLiteral("ping"), QStringLiteral("127.0.0.1")};
        arguments += wrong;
        EXPECT_EQ(run(arguments).first, 2) << wrong.join(QLatin1Char(' ')).toStdString();
    }
}

TEST_F(CliContinuousPingTest, CtrlCEndsTheRunWithItsSummary) {
    QProcess process;
    start(process, {QStringLiteral("--set"), QStringLiteral("ContPing=1"), QStringLiteral("--set"),
                    QStringLiteral("ContPingInterval=99"), QStringLiteral("--set"),
                    QStringLiteral("Packets=1"), QStringLiteral("ping"), QStringLiteral("127.0.0.1")});
    ASSERT_TRUE(process.waitForStarted());
    QString output;
    // The first cycle's row; Ctrl+C then comes as the cycle ends or during the countdown of 99 seconds.
    while (!output.contains(QStringLiteral("\n1 ")) && process.waitForReadyRead(30000))
        output += QString::fromUtf8(process.readAllStandardOutput());
    ASSERT_TRUE(output.contains(QStringLiteral("\n1 "))) << output.toStdString();
    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(30000));
    output += QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(process.exitCode(), 0);
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[lines.size() - 3], QStringLiteral("Ping Successful"));
    EXPECT_EQ(lines[lines.size() - 2],
              QStringLiteral("1 of 1 packets returned successfully : 0.0% PACKET LOSS"));
}

// The watch list runs until SIGTERM: a line for each change of state between its start and end lines,
// every probe kept in the history in the user's data folder.
TEST_F(CliContinuousPingTest, WatchRunsUntilSigtermAndKeepsItsProbesInTheHistory) {
    ASSERT_EQ(run({QStringLiteral("watch"), QStringLiteral("add"), QStringLiteral("127.0.0.1"),
                   QStringLiteral("--name"), QStringLiteral("loopback"), QStringLiteral("--interval"),
                   QStringLiteral("1")})
                  .first,
              0);
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    QProcess process;
    start(process, {QStringLiteral("watch"), QStringLiteral("run")});
    qunsetenv("XDG_DATA_HOME");
    ASSERT_TRUE(process.waitForStarted());
    QString output;
    while (!output.contains(QStringLiteral("is up")) && process.waitForReadyRead(30000))
        output += QString::fromUtf8(process.readAllStandardOutput());
    // Two more probes at least before the end.
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    ::kill(pid_t(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(30000));
    output += QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << output.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Starting Watch - ")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("127.0.0.1 (loopback) is up - ")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Watch ended - ")));

    QString error;
    const auto history = history::HistoryDatabase::open(
        data.filePath(QStringLiteral("Quenlo Software/Vantrel/history.sqlite")), error);
    ASSERT_TRUE(history) << error.toStdString();
    const history::ProbeSums sums =
        history->sums(QStringLiteral("127.0.0.1"), 0, std::numeric_limits<std::int64_t>::max());
    EXPECT_GE(sums.sent, 3);
    EXPECT_EQ(sums.received, sums.sent);
    EXPECT_EQ(history->changes(0, std::numeric_limits<std::int64_t>::max()).size(), 1u);
}

TEST_F(CliContinuousPingTest, ATerminalShowsTheCountdownOnItsStatusLineAndClearsItForTheRows) {
    ensureApplication();
    test::BufferOutput terminal(/*isTerminal=*/true);
    const int status = runCli({QStringLiteral("--config-dir"), m_dir.path(), QStringLiteral("--set"),
                               QStringLiteral("ContPingInterval=1"), QStringLiteral("--set"),
                               QStringLiteral("Packets=1"), QStringLiteral("ping"),
                               QStringLiteral("127.0.0.1"), QStringLiteral("--cycles"), QStringLiteral("2")},
                              terminal);
    ASSERT_EQ(status, 0) << terminal.stderrText.toStdString();
    const QString shown = QStringLiteral("\r Continuous ping...1 second until next ping.\x1b[K");
    const QString cleared = QStringLiteral("\r\x1b[K");
    const qsizetype countdown = terminal.stdoutText.indexOf(shown);
    ASSERT_GE(countdown, 0) << terminal.stdoutText.toStdString();
    EXPECT_LT(terminal.stdoutText.indexOf(QStringLiteral("\n1 ")), countdown);
    const qsizetype clearedAt = terminal.stdoutText.indexOf(cleared, countdown + shown.size());
    ASSERT_GE(clearedAt, 0);
    EXPECT_TRUE(terminal.stdoutText.mid(clearedAt + cleared.size()).startsWith(QStringLiteral("2 ")))
        << "the line is cleared before the next cycle's row";
    EXPECT_EQ(terminal.stdoutText.count(QStringLiteral("Ping Successful")), 1);
}

// ISPinger on loopback for three requests a second apart: the rate on the status line after each, then
// the stop line on a line of its own.
TEST_F(CliContinuousPingTest, IspCountsItsRequestsOnTheStatusLineAndStopsWithTheRate) {
    ensureApplication();
    test::BufferOutput terminal(/*isTerminal=*/true);
    const int status = runCli({QStringLiteral("--config-dir"), m_dir.path(), QStringLiteral("--set"),
                               QStringLiteral("ISPInterval=1"), QStringLiteral("isp"),
                               QStringLiteral("127.0.0.1"), QStringLiteral("--count"), QStringLiteral("3")},
                              terminal);
    ASSERT_EQ(status, 0) << terminal.stderrText.toStdString();
    const QString& out = terminal.stdoutText;
    EXPECT_EQ(out.count(QStringLiteral("\rISPinger: Active - 100% ping success.\x1b[K")), 3)
        << out.toStdString();
    EXPECT_TRUE(
        out.contains(QStringLiteral("\r\x1b[K\nISPinger stopped - 100% ping success rate to 127.0.0.1.")))
        << out.toStdString();
    EXPECT_EQ(runCli({QStringLiteral("--config-dir"), m_dir.path(), QStringLiteral("isp"),
                      QStringLiteral("127.0.0.1"), QStringLiteral("--count"), QStringLiteral("0")},
                     terminal),
              2);
}

// Without ICMP permission (here the echo service refuses every handle) ISPinger cannot send: the red line
// and the guidance, then exit 2, instead of a new try at every tick.
TEST_F(CliContinuousPingTest, IspWithoutAnEchoHandleSaysWhatToDoAndExitsWithTwo) {
    ensureApplication();
    const std::unique_ptr<settings::RegistryStore> store =
        settings::RegistryStore::open(settings::StoreLocation{m_dir.path()});
    settings::LiveOptions options;
    options.setText(settings::OptionId::ISPAddress, QStringLiteral("127.0.0.1"));
    options.setNumber(settings::OptionId::ISPInterval, 1);
    test::BufferOutput terminal;
    CliContext context{*store, options, terminal, m_dir.path() + QLatin1Char('/')};
    net::IcmpApi refused = net::IcmpApi::builtIn();
    refused.IcmpCreateFile = [] { return net::INVALID_HANDLE_VALUE; };

    // A run that keeps trying is ended as a user would end it, and then fails the test.
    QTimer impatientUser;
    impatientUser.setSingleShot(true);
    QObject::connect(&impatientUser, &QTimer::timeout, [] { std::raise(SIGINT); });
    impatientUser.start(5000);
    const int status = CliOperationSession(context, refused).runISPinger(3);
    impatientUser.stop();

    EXPECT_EQ(status, 2) << terminal.stdoutText.toStdString() << terminal.stderrText.toStdString();
    EXPECT_TRUE(terminal.stdoutText.contains(QStringLiteral(
        "ISPinger - IcmpCreateFile() couldn't create handle m_hICMPHandle for IcmpSendEcho().")))
        << terminal.stdoutText.toStdString();
    EXPECT_TRUE(terminal.stderrText.contains(QStringLiteral("net.ipv4.ping_group_range")))
        << terminal.stderrText.toStdString();
}

} // namespace
} // namespace vantrel::cli
