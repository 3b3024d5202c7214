#include "cli/CliApp.h"
#include "cli/CliCommands.h"
#include "cli/RecordPrinter.h"
#include "cli/TerminalOutput.h"
#include "settings/OptionTable.h"
#include "settings/RegistryStore.h"
#include "support/BufferOutput.h"
#include "support/ChildProcess.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <variant>

namespace vantrel::cli {
namespace {

using test::BufferOutput;

class CliTest : public ::testing::Test {
protected:
    int run(QStringList arguments) {
        m_output = BufferOutput();
        arguments.prepend(m_dir.path());
        arguments.prepend(QStringLiteral("--config-dir"));
        return runCli(arguments, m_output);
    }
    QStringList lines() const { return m_output.stdoutText.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

    QTemporaryDir m_dir;
    BufferOutput m_output;
};

TEST_F(CliTest, OptionsListsEveryOptionInLoadOrderWithItsDefault) {
    ASSERT_EQ(run({QStringLiteral("options")}), 0);
    const QStringList listed = lines();
    ASSERT_EQ(listed.size(), qsizetype(settings::kOptionCount));
    EXPECT_EQ(listed.first(), QStringLiteral("ListScanAutoSort=0"));
    EXPECT_EQ(listed.last(), QStringLiteral("WatchRetentionDays=30"));
    for (const char* expected : {"Packets=5", "Timeout=5", "Hops=30", "Log String=Vtrlog.rtf",
                                 "PurgeStatus=1", "PurgeLog=4", "ISPInterval=10", "WatchDownAfter=3"})
        EXPECT_TRUE(listed.contains(QString::fromLatin1(expected))) << expected;
    EXPECT_TRUE(m_output.stderrText.isEmpty());
}

TEST_F(CliTest, SetHoldsForOneRunWithThePanesCorrectionAndSaveKeepsIt) {
    ASSERT_EQ(run({QStringLiteral("--set"), QStringLiteral("Packets=0"),
                   QStringLiteral("--set=Ping String=a=b {c}"), QStringLiteral("--set"),
                   QStringLiteral("hops=300"), QStringLiteral("options")}),
              0);
    EXPECT_TRUE(lines().contains(QStringLiteral("Packets=1")));
    EXPECT_TRUE(lines().contains(QStringLiteral("Ping String=a=b {c}")));
    EXPECT_TRUE(lines().contains(QStringLiteral("Hops=255")));

    ASSERT_EQ(run({QStringLiteral("options")}), 0);
    EXPECT_TRUE(lines().contains(QStringLiteral("Packets=5"))) << "without --save nothing is stored";

    ASSERT_EQ(run({QStringLiteral("--set"), QStringLiteral("Packets=3"), QStringLiteral("--set"),
                   QStringLiteral("Sort=1"), QStringLiteral("--set"), QStringLiteral("WatchRetentionDays=0"),
                   QStringLiteral("--save"), QStringLiteral("options")}),
              0);
    ASSERT_EQ(run({QStringLiteral("options")}), 0);
    EXPECT_TRUE(lines().contains(QStringLiteral("Packets=3")));
    EXPECT_TRUE(lines().contains(QStringLiteral("WatchRetentionDays=1")));
    EXPECT_EQ(settings::RegistryStore::open({m_dir.path()})
                  ->GetProfileInt(QStringLiteral("Watch"), QStringLiteral("WatchRetentionDays"), 0),
              1)
        << "kept beside the watch list, so its export carries it";
    EXPECT_TRUE(lines().contains(QStringLiteral("Sort=1")));
    EXPECT_TRUE(lines().contains(QStringLiteral("AutoSort=1")));

    // -4 and -6 hold for the run only, even with --save, over a family set and saved.
    ASSERT_EQ(run({QStringLiteral("-6"), QStringLiteral("--set"), QStringLiteral("AddressFamily=1"),
                   QStringLiteral("--save"), QStringLiteral("options")}),
              0);
    EXPECT_TRUE(lines().contains(QStringLiteral("AddressFamily=4")));
    ASSERT_EQ(run({QStringLiteral("-4"), QStringLiteral("-4"), QStringLiteral("options")}), 0);
    EXPECT_TRUE(lines().contains(QStringLiteral("AddressFamily=3")));
    ASSERT_EQ(run({QStringLiteral("-4"), QStringLiteral("--save")}), 0);
    ASSERT_EQ(run({QStringLiteral("options")}), 0);
    EXPECT_TRUE(lines().contains(QStringLiteral("AddressFamily=1")));

    // An octet is stored as its field on the pane corrects it, and the correction is told.
    ASSERT_EQ(run({QStringLiteral("--set"), QStringLiteral("SeqScanStart3=001"), QStringLiteral("--save")}),
              0);
    EXPECT_EQ(m_output.stderrText,
              QStringLiteral("vantrel-cli: IP Address Error: IP Address octets cannot begin with 0.\n"));
    ASSERT_EQ(run({QStringLiteral("options")}), 0);
    EXPECT_TRUE(lines().contains(QStringLiteral("SeqScanStart3=1")));
}

TEST_F(CliTest, ControlCharactersInATextStayOnOneLine) {
    ASSERT_EQ(run({QStringLiteral("--set"), QStringLiteral("Ping String=one\ntwo\tthree"),
                   QStringLiteral("options")}),
              0);
    EXPECT_TRUE(lines().contains(QStringLiteral("Ping String=one\\ntwo\\tthree")));
    EXPECT_EQ(lines().size(), qsizetype(settings::kOptionCount));
}

TEST_F(CliTest, AWrongCommandLineSaysWhyAndExitsWithTwoSavingNothing) {
    const QList<QStringList> wrong{
        {QStringLiteral("--set"), QStringLiteral("NoSuchOption=1"), QStringLiteral("--save"),
         QStringLiteral("options")},
        {QStringLiteral("--set"), QStringLiteral("Packets=lots"), QStringLiteral("--save"),
         QStringLiteral("options")},
        {QStringLiteral("--set"), QStringLiteral("Packets=99999999999"), QStringLiteral("--save"),
         QStringLiteral("options")},
        {QStringLiteral("--set"), QStringLiteral("Packets"), QStringLiteral("options")},
        {QStringLiteral("--set")},
        {QStringLiteral("--frobnicate"), QStringLiteral("options")},
        {QStringLiteral("--format"), QStringLiteral("xml"), QStringLiteral("options")},
        {QStringLiteral("--format")},
        {QStringLiteral("-4"), QStringLiteral("-6"), QStringLiteral("--save"), QStringLiteral("options")},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("options"), QStringLiteral("extra")},
        {QStringLiteral("listscan")}, // the stored list is empty
        {QStringLiteral("list"), QStringLiteral("add")},
        {QStringLiteral("list"), QStringLiteral("add"), QString()},
        {QStringLiteral("list"), QStringLiteral("sort"), QStringLiteral("x")},
        {QStringLiteral("seqscan"), QStringLiteral("10.0.0.1")},
        {QStringLiteral("seqscan"), QStringLiteral("10.0.0.1"), QStringLiteral("10.1.0.2")},
        {QStringLiteral("seqscan"), QStringLiteral("10.0.0.9"), QStringLiteral("10.0.0.1")},
        {QStringLiteral("seqscan"), QStringLiteral("10.0.x.1"), QStringLiteral("10.0.0.1")},
        {QStringLiteral("seqscan"), QStringLiteral("--group"), QStringLiteral("none")},
        {QStringLiteral("group"), QStringLiteral("add"), QStringLiteral("a\\b"), QStringLiteral("10.0.0.1"),
         QStringLiteral("10.0.0.2")},
        {QStringLiteral("groups"), QStringLiteral("extra")},
        {},
        {QStringLiteral("profiles"), QStringLiteral("extra")},
        {QStringLiteral("profile"), QStringLiteral("add"), QStringLiteral("Home")},
        {QStringLiteral("profile"), QStringLiteral("rename"), QStringLiteral("Home"), QStringLiteral("Lab")},
        {QStringLiteral("profile"), QStringLiteral("add"), QString(), QStringLiteral("10.0.0.1")},
        {QStringLiteral("profile"), QStringLiteral("add"), QString(100, QLatin1Char('n')),
         QStringLiteral("h")},
        {QStringLiteral("profile"), QStringLiteral("add"), QStringLiteral("Home"),
         QString(100, QLatin1Char('h'))},
        // A line break in a host, a name or a group is refused as the window refuses it.
        {QStringLiteral("profile"), QStringLiteral("add"), QStringLiteral("Ho\nme"),
         QStringLiteral("10.0.0.1")},
        {QStringLiteral("profile"), QStringLiteral("add"), QStringLiteral("Home"),
         QStringLiteral("10.0\n.0.1")},
        {QStringLiteral("list"), QStringLiteral("add"), QStringLiteral("a\nb.test")},
        {QStringLiteral("group"), QStringLiteral("add"), QStringLiteral("a\nb"), QStringLiteral("10.0.0.1"),
         QStringLiteral("10.0.0.2")},
        {QStringLiteral("ping"), QStringLiteral("127.0.0.1\nx")},
        {QStringLiteral("listscan"), QStringLiteral("127.0.0.1\nx")},
        {QStringLiteral("isp"), QStringLiteral("127.0.0.1\nx"), QStringLiteral("--count"),
         QStringLiteral("1")},
        {QStringLiteral("--set"), QStringLiteral("ISPAddress=127.0.0.1\nx"), QStringLiteral("--save"),
         QStringLiteral("options")},
        {QStringLiteral("watch")},
        {QStringLiteral("watch"), QStringLiteral("list"), QStringLiteral("extra")},
        {QStringLiteral("watch"), QStringLiteral("add")},
        {QStringLiteral("watch"), QStringLiteral("add"), QStringLiteral("a\\b")},
        {QStringLiteral("watch"), QStringLiteral("add"), QStringLiteral("a\nb.test")},
        {QStringLiteral("watch"), QStringLiteral("add"), QStringLiteral("a.test"),
         QStringLiteral("--interval"), QStringLiteral("0")},
        {QStringLiteral("watch"), QStringLiteral("add"), QStringLiteral("a.test"), QStringLiteral("--name")},
        {QStringLiteral("watch"), QStringLiteral("add"), QStringLiteral("a.test"), QStringLiteral("--loss"),
         QStringLiteral("101")},
        {QStringLiteral("watch"), QStringLiteral("add"), QStringLiteral("a.test"), QStringLiteral("--rtt"),
         QStringLiteral("0")},
        {QStringLiteral("watch"), QStringLiteral("run")}, // nothing is watched
    };
    for (const QStringList& arguments : wrong) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(run(arguments), 2);
        EXPECT_FALSE(m_output.stderrText.isEmpty());
        if (arguments.join(QString()).contains(QLatin1Char('\n'))) {
            EXPECT_TRUE(m_output.stderrText.contains(QStringLiteral("cannot contain control characters")))
                << m_output.stderrText.toStdString();
        }
        EXPECT_TRUE(m_output.stdoutText.isEmpty());
    }
    EXPECT_TRUE(settings::RegistryStore::open({m_dir.path()})->subKeyNames(QString()).isEmpty());
}

TEST_F(CliTest, ProfilesAreListedAddedUpdatedAndDeletedAsInTheWindow) {
    const auto profile = [this](const QStringList& arguments) {
        return run(QStringList{"profile"} + arguments);
    };
    ASSERT_EQ(profile({"add", "Home", "10.0.0.1"}), 0);
    ASSERT_EQ(profile({"add", "lab", "lab.test"}), 0);
    ASSERT_EQ(profile({"add", "Lab", "lab.test"}), 0) << "the same profile spelt anew";
    ASSERT_EQ(profile({"add", "Home", "10.0.0.1"}), 0) << "already there: kept, not deleted";
    ASSERT_EQ(run({"profiles"}), 0);
    EXPECT_EQ(lines(), QStringList({"Lab\tlab.test", "Home\t10.0.0.1"}));
    ASSERT_EQ(run({"--set", "AutoSort=1", "--set", "RadioSort=1", "profiles"}), 0);
    EXPECT_EQ(lines(), QStringList({"Home\t10.0.0.1", "Lab\tlab.test"}));

    EXPECT_EQ(run({"list", "del", "nowhere.test"}), 1);
    EXPECT_EQ(run({"group", "del", "none"}), 1);
    EXPECT_EQ(profile({"del", "Office"}), 1);
    EXPECT_EQ(m_output.stderrText, QStringLiteral("vantrel-cli: There is no profile named \"Office\".\n"));
    ASSERT_EQ(profile({"del", "HOME"}), 0);
    ASSERT_EQ(run({"profiles"}), 0);
    EXPECT_EQ(lines(), QStringList({"Lab\tlab.test"}));
}

// A host added again keeps what is not given anew; stored numbers out of range read as their limits.
TEST_F(CliTest, TheWatchListIsAddedToChangedListedAndDeletedFrom) {
    ASSERT_EQ(run({"watch", "add", "http://gw.test/", "--name", "Gateway"}), 0);
    ASSERT_EQ(run({"watch", "add", "fd42::1", "--interval", "5"}), 0);
    ASSERT_EQ(run({"watch", "add", "GW.test", "--interval", "30", "--loss", "0", "--rtt", "40"}), 0);
    {
        auto store = settings::RegistryStore::open({m_dir.path()});
        ASSERT_TRUE(store->WriteProfileInt(QStringLiteral("Watch\\fd42::1"),
                                           QStringLiteral("DegradedLossPercent"), 500));
    }
    ASSERT_EQ(run({"watch", "list"}), 0);
    EXPECT_EQ(lines(), QStringList({"gw.test\tGateway\t30\t0\t40\t1", "fd42::1\t\t5\t100\t250\t1"}));
    EXPECT_EQ(run({"watch", "del", "nowhere.test"}), 1);
    ASSERT_EQ(run({"watch", "del", "GW.TEST"}), 0);
    ASSERT_EQ(run({"watch", "list"}), 0);
    EXPECT_EQ(lines(), QStringList({"fd42::1\t\t5\t100\t250\t1"}));
}

// The ListScan list is in the order this run's options give it, stored or set for the run only.
TEST_F(CliTest, TheAddressListFollowsTheRunsAutoSort) {
    for (const char* host : {"127.0.0.3", "127.0.0.1", "127.0.0.2"})
        ASSERT_EQ(run({"list", "add", host}), 0);
    const QStringList stored{"127.0.0.3", "127.0.0.1", "127.0.0.2"};
    const QStringList sorted{"127.0.0.1", "127.0.0.2", "127.0.0.3"};
    ASSERT_EQ(run({"list"}), 0);
    EXPECT_EQ(lines(), stored);
    ASSERT_EQ(run({"--set", "ListScanAutoSort=1", "list"}), 0);
    EXPECT_EQ(lines(), sorted);

    // The scan by the built program pings in the same order.
    QProcess scan;
    scan.start(QStringLiteral(VANTREL_CLI_PATH),
               {"--config-dir", m_dir.path(), "--set", "ListScanAutoSort=1", "listscan"});
    ASSERT_TRUE(scan.waitForFinished(30000));
    EXPECT_EQ(scan.exitCode(), 0) << scan.readAllStandardError().toStdString();
    const QString scanned = QString::fromUtf8(scan.readAllStandardOutput());
    QList<qsizetype> rows;
    for (const QString& host : sorted)
        rows.append(scanned.indexOf(host + QLatin1Char(' ')));
    EXPECT_TRUE(rows[0] >= 0 && rows[0] < rows[1] && rows[1] < rows[2]) << scanned.toStdString();

    ASSERT_EQ(run({"--set", "ListScanAutoSort=1", "--save"}), 0);
    ASSERT_EQ(run({"--set", "ListScanAutoSort=0", "list"}), 0);
    EXPECT_EQ(lines(), stored);
}

TEST_F(CliTest, OutputThatCannotBeWrittenFailsTheRunWithTheReason) {
    QProcess full;
    full.setStandardOutputFile(QStringLiteral("/dev/full"));
    full.start(QStringLiteral(VANTREL_CLI_PATH), {"--version"});
    ASSERT_TRUE(full.waitForFinished(30000));
    EXPECT_EQ(full.exitCode(), kExitCannotRun);
    EXPECT_TRUE(full.readAllStandardError().startsWith("vantrel-cli: cannot write the output: "));
}

TEST_F(CliTest, GroupsAreSavedListedScannedAndDeletedAsThePaneDoes) {
    ASSERT_EQ(run({"group", "add", "lab", "127.0.0.254", "127.0.1.01"}), 0);
    EXPECT_EQ(m_output.stderrText,
              QStringLiteral("vantrel-cli: IP Address Error: IP Address octets cannot begin "
                             "with 0.\n"));
    ASSERT_EQ(run({"group", "add", "Edge", "127.0.0.1", "127.0.0.1"}), 0);
    ASSERT_EQ(run({"group", "add", "LAB", "127.0.0.1", "127.0.0.2"}), 2);
    EXPECT_EQ(
        m_output.stderrText,
        QStringLiteral("vantrel-cli: Input Error: There is already a SeqScan group named \"lab\"; group "
                       "names are compared without regard to case.\n"));
    ASSERT_EQ(run({"--set", "SeqScanAutoSort=1", "groups"}), 0);
    EXPECT_EQ(m_output.stdoutText,
              QStringLiteral("Edge\t127.0.0.1\t127.0.0.1\nlab\t127.0.0.254\t127.0.1.1\n"));

    // The scan itself by the built program, which runs the operation on its own event loop.
    QProcess scan;
    scan.start(QStringLiteral(VANTREL_CLI_PATH), {"--config-dir", m_dir.path(), "seqscan", "--group", "lab"});
    ASSERT_TRUE(scan.waitForFinished(30000));
    EXPECT_EQ(scan.exitCode(), 0) << scan.readAllStandardError().toStdString();
    const QStringList scanned =
        QString::fromUtf8(scan.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(scanned.size(), 7) << scanned.join(QLatin1Char('\n')).toStdString();
    for (const char* address : {"127.0.0.254", "127.0.0.255", "127.0.1.0", "127.0.1.1"})
        EXPECT_EQ(scanned.filter(QString::fromLatin1(address) + QLatin1Char(' ')).size(), 1) << address;
    EXPECT_TRUE(scanned.filter(QStringLiteral("----")).isEmpty()) << "loopback answers at every address";

    ASSERT_EQ(run({"group", "del", "lab"}), 0);
    ASSERT_EQ(run({"groups"}), 0);
    EXPECT_EQ(m_output.stdoutText, QStringLiteral("Edge\t127.0.0.1\t127.0.0.1\n"));
}

// The whole store to a file and back into a fresh store; a damaged or foreign file is refused with 2 and
// leaves the store as it was.
TEST_F(CliTest, ExportedSettingsImportIntoAFreshStoreAndABadFileChangesNothing) {
    QTemporaryDir home;
    const QStringList homeDir{QStringLiteral("--home-dir"), home.path()};
    ASSERT_EQ(run({"--set", "Packets=9", "--save", "profile", "add", "Lab", "10.1.1.1"}), 0);
    ASSERT_EQ(run({"group", "add", "edge", "127.0.0.1", "127.0.0.9"}), 0);
    ASSERT_EQ(run({"list", "add", "lab.test"}), 0);
    QTemporaryDir other;
    const auto state = [&](const QString& configDir) {
        QString all;
        for (const char* listing : {"options", "profiles", "groups", "list", "watch list"}) {
            BufferOutput output;
            EXPECT_EQ(runCli(QStringList{QStringLiteral("--config-dir"), configDir} +
                                 QString::fromLatin1(listing).split(QLatin1Char(' ')),
                             output),
                      0);
            all += output.stdoutText;
        }
        return all;
    };
    const QString saved = state(m_dir.path());
    ASSERT_EQ(run(homeDir + QStringList{"export"}), 0) << m_output.stderrText.toStdString();
    const QString file = home.filePath(QStringLiteral("VantrelExport.vtr"));
    ASSERT_TRUE(QFile::exists(file));

    m_output = BufferOutput();
    ASSERT_EQ(runCli(QStringList{"--config-dir", other.path()} + homeDir + QStringList{"import"}, m_output),
              0)
        << m_output.stderrText.toStdString();
    EXPECT_EQ(m_output.stdoutText, QStringLiteral("Settings were successfully imported.\n"));
    EXPECT_EQ(state(other.path()), saved);

    // Changed since; each bad file is refused whole.
    ASSERT_EQ(run({"profile", "del", "Lab"}), 0);
    const QString changed = state(m_dir.path());
    QFile exported(file);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QByteArray bytes = exported.readAll();
    exported.close();
    const QList<QByteArray> badFiles = {bytes.left(bytes.size() / 2),
                                        QByteArray("REGEDIT4\r\n[HKEY_CURRENT_USER]\r\n"), QByteArray()};
    for (const QByteArray& bad : badFiles) {
        QFile write(file);
        ASSERT_TRUE(write.open(QIODevice::WriteOnly));
        write.write(bad);
        write.close();
        EXPECT_EQ(run(homeDir + QStringList{"import"}), 2);
        EXPECT_TRUE(m_output.stderrText.startsWith(
            QStringLiteral("vantrel-cli: Import Error: Import: Restore failed with error code ")))
            << m_output.stderrText.toStdString();
        EXPECT_EQ(state(m_dir.path()), changed);
    }
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_EQ(run(homeDir + QStringList{"import"}), 2);
    EXPECT_EQ(
        m_output.stderrText,
        QStringLiteral("vantrel-cli: Import Error: The import file \"VantrelExport.vtr\" could notbe found "
                       "in the Vantrel home directory [%1/].\n")
            .arg(home.path()));
    EXPECT_EQ(run({"export", "/nonexistent-folder/settings.vtr"}), 2);
    EXPECT_TRUE(m_output.stderrText.startsWith(QStringLiteral(
        "vantrel-cli: Export Error: Save settings to \"/nonexistent-folder/settings.vtr\" failed")));

    // A file named on the command line is the one the messages name.
    const QString mine = home.filePath(QStringLiteral("mine.vtr"));
    ASSERT_EQ(run({"export", mine}), 0);
    EXPECT_EQ(m_output.stdoutText,
              QStringLiteral("Vantrel's settings exported successfully to the file \"%1\". You should backup "
                             "this file if you wish to use it in the future.\n")
                  .arg(mine));
    EXPECT_EQ(run({"import", mine + QStringLiteral(".old")}), 2);
    EXPECT_EQ(m_output.stderrText,
              QStringLiteral("vantrel-cli: Import Error: The import file \"%1.old\" could not be found.\n")
                  .arg(mine));
}

// Every listing of the store, for telling whether a command changed it.
QString storeState(const QString& configDir) {
    QString all;
    for (const char* listing : {"options", "profiles", "groups", "list", "watch list"}) {
        BufferOutput output;
        EXPECT_EQ(runCli(QStringList{QStringLiteral("--config-dir"), configDir} +
                             QString::fromLatin1(listing).split(QLatin1Char(' ')),
                         output),
                  0);
        all += output.stdoutText;
    }
    return all;
}

// Runs a statement on the store file through a connection of its own.
void execOnFile(const QString& file, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

TEST_F(CliTest, EveryChangeOfTheStoreThatCannotBeWrittenExitsWithTwoAndTheReasonChangingNothing) {
    enum class Failure { Locked, ReadOnly, NewerVersion, NoFolder };
    struct Kind {
        Failure failure;
        QString reason;
    };
    const QList<Kind> kinds{
        {Failure::Locked, QStringLiteral("another program keeps the file locked")},
        {Failure::ReadOnly, QStringLiteral("the settings run in memory only, since the file is read-only")},
        {Failure::NewerVersion, QStringLiteral("the settings run in memory only, since the settings file was "
                                               "written by a newer version of Vantrel")},
        {Failure::NoFolder,
         QStringLiteral("the settings run in memory only, since the settings folder cannot be created")},
    };
    struct Command {
        QStringList arguments;
        bool needsSavedEntry; // deletes find nothing in a store that could not be made
    };
    const QList<Command> commands{
        {{"--set", "Packets=9", "--save"}, false}, {{"profile", "add", "Lab", "10.0.0.2"}, false},
        {{"profile", "del", "Home"}, true},        {{"group", "add", "edge", "10.0.1.1", "10.0.1.9"}, false},
        {{"group", "del", "core"}, true},          {{"list", "add", "10.0.0.6"}, false},
        {{"list", "del", "10.0.0.5"}, true},       {{"import"}, false},
        {{"watch", "add", "10.0.0.7"}, false},     {{"watch", "del", "10.0.0.8"}, true},
    };
    for (const Kind& kind : kinds) {
        for (const Command& command : commands) {
            if (kind.failure == Failure::NoFolder && command.needsSavedEntry)
                continue;
            SCOPED_TRACE(QStringLiteral("%1 with reason: %2")
                             .arg(command.arguments.join(QLatin1Char(' ')), kind.reason)
                             .toStdString());
            QTemporaryDir dir;
            const QStringList config{QStringLiteral("--config-dir"), dir.path(), QStringLiteral("--home-dir"),
                                     dir.path()};
            // An export to import, and more saved since.
            BufferOutput seeding;
            ASSERT_EQ(runCli(config + QStringList{"profile", "add", "Home", "10.0.0.1"}, seeding), 0);
            ASSERT_EQ(runCli(config + QStringList{"export"}, seeding), 0);
            ASSERT_EQ(runCli(config + QStringList{"group", "add", "core", "10.0.0.1", "10.0.0.9"}, seeding),
                      0);
            ASSERT_EQ(runCli(config + QStringList{"list", "add", "10.0.0.5"}, seeding), 0);
            ASSERT_EQ(runCli(config + QStringList{"watch", "add", "10.0.0.8"}, seeding), 0);
            ::chmod(QFile::encodeName(dir.filePath(QStringLiteral("VantrelExport.vtr"))).constData(), 0644);
            const QString before = storeState(dir.path());
            const QString file = settings::StoreLocation{dir.path()}.storeFile();

            QStringList arguments = config + command.arguments;
            int status = -1;
            QString errors;
            const auto runHere = [&](std::chrono::milliseconds lockWait) {
                BufferOutput output;
                status = runCli(arguments, output, lockWait);
                errors = output.stderrText;
                EXPECT_TRUE(output.stdoutText.isEmpty()) << output.stdoutText.toStdString();
            };
            switch (kind.failure) {
            case Failure::Locked: {
                sqlite3* other = nullptr;
                ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &other), SQLITE_OK);
                ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
                runHere(std::chrono::milliseconds(100));
                sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
                sqlite3_close(other);
                break;
            }
            case Failure::ReadOnly:
                // Root writes anywhere, so the child takes an ordinary user's rights first.
                ::chmod(QFile::encodeName(file).constData(), 0444);
                ::chmod(QFile::encodeName(dir.path()).constData(), 0555);
                status = vantrel::test::runInChild([&] {
                    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                        return 10;
                    BufferOutput output;
                    const int exit = runCli(arguments, output);
                    return output.stderrText.contains(kind.reason) ? exit : 11;
                });
                errors = kind.reason;
                ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
                ::chmod(QFile::encodeName(file).constData(), 0644);
                break;
            case Failure::NewerVersion:
                execOnFile(file, "PRAGMA user_version = 7");
                runHere(settings::SqliteConnection::kLockWait);
                execOnFile(file, "PRAGMA user_version = 1");
                break;
            case Failure::NoFolder: {
                QFile blocker(dir.filePath(QStringLiteral("blocker")));
                ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
                arguments[1] = blocker.fileName() + QStringLiteral("/Vantrel");
                runHere(settings::SqliteConnection::kLockWait);
                break;
            }
            }
            EXPECT_EQ(status, 2);
            EXPECT_TRUE(errors.contains(kind.reason)) << errors.toStdString();
            EXPECT_EQ(storeState(dir.path()), before);
        }
    }
}

// A hand-made file that a store of ours reads, but with content the program's own commands refuse.
TEST_F(CliTest, ImportRefusesAFileBeyondTheLimitsOfTheProgramsOwnCommands) {
    ASSERT_EQ(run({"profile", "add", "Home", "10.0.0.1"}), 0);
    const QString saved = storeState(m_dir.path());
    struct Row {
        QString section;
        QString name;
        std::variant<int, QString, QByteArray> data;
        QString problem;
    };
    const QString huge(1'000'000, QLatin1Char('a'));
    const QList<Row> rows{
        {"ListScan\\Hosts", "big.test", huge, "\"ListScan\\Hosts\\big.test\" holds more than 99 characters"},
        {"Host Names/IP Addresses", "Lab", QString(100, QLatin1Char('h')),
         "\"Host Names/IP Addresses\\Lab\" holds more than 99 characters"},
        {"Host Names/IP Addresses", "La\nb", QStringLiteral("10.0.0.2"),
         "\"Host Names/IP Addresses\\La?b\" holds a control character"},
        {"Host Names/IP Addresses", "Lab", QStringLiteral("10.0.0.2\n"),
         "\"Host Names/IP Addresses\\Lab\" holds a control character"},
        {"Host Names/IP Addresses", "Lab", QString(),
         "\"Host Names/IP Addresses\\Lab\" has an empty name or text"},
        {"SeqScan", "a\\b", QStringLiteral("a\\b"), "\"SeqScan\\a\\b\" holds a backslash"},
        {"SeqScan\\lab", "START1", QStringLiteral("1000"),
         "\"SeqScan\\lab\\START1\" holds more than 3 characters"},
        {"Options", "ISPAddress", huge, "\"Options\\ISPAddress\" holds more than 5000 characters"},
        {"Options", "ISPAddress", QStringLiteral("isp.test\r"),
         "\"Options\\ISPAddress\" holds a control character"},
        {"Options", "Ping String", QString(5001, QLatin1Char('p')),
         "\"Options\\Ping String\" holds more than 5000 characters"},
        {"MRU", QString(100, QLatin1Char('n')), 1,
         QStringLiteral("\"MRU\\%1...\" holds more than 99 characters").arg(QString(56, QLatin1Char('n')))},
        {"Workspace", "MainFrameState", QByteArray(2'000'000, 'w'),
         "\"Workspace\\MainFrameState\" holds more than 1048576 bytes"},
        {"a\\b\\c\\d\\e\\f\\g\\h\\i", "deep", 1,
         "\"a\\b\\c\\d\\e\\f\\g\\h\" lies deeper than any of Vantrel's keys"},
    };
    QTemporaryDir home;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.problem.left(80).toStdString());
        QTemporaryDir made;
        {
            auto store = settings::RegistryStore::open({made.path()});
            ASSERT_TRUE(store->WriteProfileInt("Options", "Packets", 9));
            ASSERT_TRUE(
                store->writeValues(row.section, std::array{settings::NamedValue{row.name, row.data}}));
            ASSERT_FALSE(store->saveToFile(home.filePath(QStringLiteral("VantrelExport.vtr"))).has_value());
        }
        EXPECT_EQ(run({"--home-dir", home.path(), "import"}), 2);
        EXPECT_EQ(
            m_output.stderrText,
            QStringLiteral("vantrel-cli: Import Error: Import: The file was not imported, since %1. The "
                           "settings are as they were.\n")
                .arg(row.problem));
        EXPECT_EQ(storeState(m_dir.path()), saved);
    }
}

TEST_F(CliTest, HelpPrintsTheUsage) {
    ASSERT_EQ(run({QStringLiteral("--help")}), 0);
    EXPECT_TRUE(m_output.stdoutText.startsWith(QStringLiteral("Usage: vantrel-cli")));
    EXPECT_TRUE(m_output.stdoutText.contains(QStringLiteral("options")));
}

// The built program, as a user runs it.
TEST(CliProgramTest, ExitStatusAndStreamsAreThoseOfTheRealProgram) {
    QTemporaryDir dir;
    auto runProgram = [&](const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VANTREL_CONFIG_DIR"), dir.path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(VANTREL_CLI_PATH), arguments);
        process.waitForFinished(30000);
        return std::tuple(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                          QString::fromUtf8(process.readAllStandardOutput()),
                          QString::fromUtf8(process.readAllStandardError()));
    };

    auto [status, out, err] = runProgram({QStringLiteral("options")});
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(out.contains(QStringLiteral("\nPackets=5\nTimeout=5\n")));

    std::tie(status, out, err) = runProgram({QStringLiteral("frobnicate")});
    EXPECT_EQ(status, 2);
    EXPECT_TRUE(err.contains(QStringLiteral("unknown command \"frobnicate\"")));

    // A damaged store is reported once on standard error; the command still runs on defaults.
    QFile store(dir.filePath(QStringLiteral("settings.db")));
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write(QByteArray(8192, '\x7f'));
    store.close();
    std::tie(status, out, err) = runProgram({QStringLiteral("options")});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(err.count(QStringLiteral("was damaged")), 1);
    EXPECT_TRUE(out.contains(QStringLiteral("Hops=30")));
}

// Outside texts (names from the name service, list entries) hold commas, quotes and line breaks: CSV
// quotes them and JSON escapes them, so that each reads back as one field with its text.
TEST(RecordPrinterTest, OutsideTextsReadBackWhole) {
    ops::ResultRecord record;
    record.operation = ops::RecordOperation::ListScan;
    record.address = QStringLiteral("10.0.0.1");
    record.name = QStringLiteral("a,\"b\"\nc");
    record.status = QStringLiteral("timeout");
    QString csv;
    RecordPrinter(RecordPrinter::Format::Csv, [&csv](const QString& text) { csv += text; }).print(record);
    EXPECT_EQ(csv, QStringLiteral("address,rtt_ms,name,status\n10.0.0.1,,\"a,\"\"b\"\"\nc\",timeout\n"));

    QString json;
    RecordPrinter(RecordPrinter::Format::Json, [&json](const QString& text) { json += text; }).print(record);
    ASSERT_EQ(json.count(QLatin1Char('\n')), 1) << "one line per record";
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(json.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(object.value(QStringLiteral("name")).toString(), record.name);
    EXPECT_EQ(object.value(QStringLiteral("event")).toString(), QStringLiteral("row"));
    EXPECT_FALSE(object.contains(QStringLiteral("rtt_ms"))) << "no answer, no time";
}

} // namespace
} // namespace vantrel::cli
