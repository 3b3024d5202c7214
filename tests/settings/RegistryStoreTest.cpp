#include "settings/RegistryStore.h"

#include "settings/SqliteConnection.h"
#include "support/ChildProcess.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <vector>

namespace vantrel::settings {
namespace {

const QString kHosts = QStringLiteral("Host Names/IP Addresses");
const QString kOptions = QStringLiteral("Options");

// A readable listing of a whole key: every key, value, kind and datum in enumeration order.
QStringList dump(const RegistryStore& store, const QString& section = {}) {
    QStringList lines;
    for (const QString& name : store.valueNames(section)) {
        const auto kind = store.valueKind(section, name);
        QString datum;
        if (kind == ValueKind::Number)
            datum = QString::number(store.GetProfileInt(section, name, 0));
        else if (kind == ValueKind::Text)
            datum = store.GetProfileString(section, name);
        else
            datum = QString::fromLatin1(store.GetProfileBinary(section, name).value_or(QByteArray()).toHex());
        lines << QStringLiteral("%1|%2|%3|%4")
                     .arg(section, name)
                     .arg(int(kind.value_or(ValueKind(0))))
                     .arg(datum);
    }
    for (const QString& key : store.subKeyNames(section))
        lines << QStringLiteral("[%1]").arg(key)
              << dump(store, section.isEmpty() ? key : section + QLatin1Char('\\') + key);
    return lines;
}

class RegistryStoreTest : public ::testing::Test {
protected:
    std::unique_ptr<RegistryStore> openStore() { return RegistryStore::open(location()); }
    StoreLocation location() const { return {m_dir.path()}; }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(RegistryStoreTest, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
    auto store = openStore();
    store->WriteProfileString(kHosts, QStringLiteral("Lab"), QStringLiteral("10.0.0.1"));
    store->WriteProfileString(kHosts, QStringLiteral("lab"), QStringLiteral("10.0.0.2"));
    EXPECT_EQ(store->valueNames(kHosts), QStringList{QStringLiteral("Lab")});
    EXPECT_EQ(store->GetProfileString(QStringLiteral("HOST NAMES/ip addresses"), QStringLiteral("LAB")),
              QStringLiteral("10.0.0.2"));

    // Folding is Unicode-wide, not only ASCII: Greek capital, small and final sigma are one letter.
    store->WriteProfileInt(kOptions, QStringLiteral("ΣΟΦΙΑ"), 1);
    store->WriteProfileInt(kOptions, QStringLiteral("σοφιας"), 2);
    store->WriteProfileInt(kOptions, QStringLiteral("σοφιαΣ"), 3);
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("ΣΟΦΙΑ"), 0), 1);
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("ΣΟΦΙΑΣ"), 0), 3);
    EXPECT_EQ(store->valueNames(kOptions).size(), 2);

    store->WriteProfileString(QStringLiteral("seqscan\\LAB"), QStringLiteral("START1"), QStringLiteral("10"));
    store->WriteProfileString(QStringLiteral("SeqScan\\lab"), QStringLiteral("start1"), QStringLiteral("11"));
    EXPECT_EQ(store->subKeyNames(QStringLiteral("SEQSCAN")), QStringList{QStringLiteral("LAB")});
    EXPECT_EQ(store->GetProfileString(QStringLiteral("SeqScan\\Lab"), QStringLiteral("Start1")),
              QStringLiteral("11"));
}

TEST_F(RegistryStoreTest, ValuesEnumerateInCreationOrderAndKeepTheirPlaceWhenOverwritten) {
    auto store = openStore();
    const QString section = QStringLiteral("ListScan\\Hosts");
    for (const char* host : {"zeta", "alpha", "mid"})
        store->WriteProfileString(section, QString::fromLatin1(host), QString::fromLatin1(host));
    store->WriteProfileString(section, QStringLiteral("ALPHA"), QStringLiteral("changed"));
    EXPECT_EQ(store->valueNames(section), (QStringList{"zeta", "alpha", "mid"}));

    EXPECT_TRUE(store->deleteValue(section, QStringLiteral("Alpha")));
    EXPECT_FALSE(store->deleteValue(section, QStringLiteral("alpha")));
    store->WriteProfileString(section, QStringLiteral("alpha"), QStringLiteral("again"));
    EXPECT_EQ(store->valueNames(section), (QStringList{"zeta", "mid", "alpha"}));
}

TEST_F(RegistryStoreTest, SectionsAreKeyPathsAndDeletingAKeyTakesItsSubkeys) {
    auto store = openStore();
    store->WriteProfileString(QStringLiteral("ListScan\\Hosts"), QStringLiteral("a"), QStringLiteral("a"));
    store->WriteProfileString(kHosts, QStringLiteral("Lab"), QStringLiteral("10.0.0.1"));
    store->WriteProfileString(QStringLiteral("SeqScan"), QStringLiteral("Lab"), QStringLiteral("Lab"));
    store->WriteProfileString(QStringLiteral("SeqScan\\Lab"), QStringLiteral("START1"), QStringLiteral("10"));
    store->WriteProfileString(QStringLiteral("SeqScan\\Lab\\Deeper"), QStringLiteral("x"),
                              QStringLiteral("y"));

    // The slash belongs to the section's name; only the backslash separates keys.
    EXPECT_EQ(store->subKeyNames(QString()), (QStringList{"ListScan", kHosts, "SeqScan"}));
    EXPECT_EQ(store->subKeyNames(QStringLiteral("ListScan")), QStringList{"Hosts"});

    EXPECT_TRUE(store->deleteKey(QStringLiteral("seqscan")));
    EXPECT_FALSE(store->keyExists(QStringLiteral("SeqScan\\Lab")));
    EXPECT_FALSE(store->keyExists(QStringLiteral("SeqScan")));
    EXPECT_EQ(store->GetProfileString(QStringLiteral("SeqScan\\Lab"), QStringLiteral("START1"),
                                      QStringLiteral("gone")),
              QStringLiteral("gone"));
    EXPECT_TRUE(store->keyExists(kHosts));
    EXPECT_FALSE(store->deleteKey(QStringLiteral("SeqScan")));

    store->WriteProfileInt(QString(), QStringLiteral("AtRoot"), 1);
    EXPECT_TRUE(store->deleteKey(QString()));
    EXPECT_TRUE(dump(*store).isEmpty());
}

TEST_F(RegistryStoreTest, ValuesAreTypedAndAMissingOrOtherKindReadsAsTheDefault) {
    auto store = openStore();
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("Packets"), 5), 5);
    EXPECT_EQ(store->GetProfileString(kOptions, QStringLiteral("Log String"), QStringLiteral("Vtrlog.rtf")),
              QStringLiteral("Vtrlog.rtf"));

    store->WriteProfileInt(kOptions, QStringLiteral("Min"), std::numeric_limits<int>::min());
    store->WriteProfileInt(kOptions, QStringLiteral("Max"), std::numeric_limits<int>::max());
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("Min"), 0), std::numeric_limits<int>::min());
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("Max"), 0), std::numeric_limits<int>::max());

    store->WriteProfileString(kOptions, QStringLiteral("Packets"), QStringLiteral("12"));
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("Packets"), 5), 5);
    EXPECT_EQ(store->GetProfileString(kOptions, QStringLiteral("Max"), QStringLiteral("d")),
              QStringLiteral("d"));

    const QByteArray binary("\x00\x01{}\\\xff", 6);
    store->WriteProfileBinary(QStringLiteral("Workspace"), QStringLiteral("State"), binary);
    store->WriteProfileBinary(QStringLiteral("Workspace"), QStringLiteral("Empty"), QByteArray());
    EXPECT_EQ(store->GetProfileBinary(QStringLiteral("Workspace"), QStringLiteral("State")), binary);
    EXPECT_EQ(store->GetProfileBinary(QStringLiteral("Workspace"), QStringLiteral("Empty")), QByteArray());
    EXPECT_FALSE(store->GetProfileBinary(QStringLiteral("Workspace"), QStringLiteral("Missing")).has_value());

    const QString unicode = QStringLiteral("Prüfung ✓ 测试 \U0001F600");
    store->WriteProfileString(kOptions, QStringLiteral("Ping String"), unicode);
    EXPECT_EQ(store->GetProfileString(kOptions, QStringLiteral("Ping String")), unicode);
}

// The store keeps its prepared statements between uses: none may stay in progress after a read, where
// it would hold the file's lock against a second instance and stop an export or an import.
TEST_F(RegistryStoreTest, KeptStatementsHoldNothingOpenBetweenUses) {
    auto store = openStore();
    const QString packets = QStringLiteral("Packets");
    ASSERT_TRUE(store->WriteProfileInt(kOptions, packets, 7));
    ASSERT_TRUE(store->WriteProfileString(kHosts, QStringLiteral("Lab"), QStringLiteral("10.0.0.1")));
    const auto readAll = [&] {
        store->GetProfileString(kHosts, QStringLiteral("Lab"));
        store->GetProfileBinary(kHosts, QStringLiteral("Lab"));
        store->valueKind(kHosts, QStringLiteral("Lab"));
        store->valueNames(kHosts);
        store->subKeyNames(QString());
        store->readSection(kHosts);
        return store->GetProfileInt(kOptions, packets, 0);
    };
    EXPECT_EQ(readAll(), 7);

    auto other = RegistryStore::open(location(), {}, std::chrono::milliseconds(50));
    EXPECT_TRUE(other->WriteProfileInt(kOptions, packets, 8)) << "a read left the file locked";
    EXPECT_EQ(readAll(), 8);
    EXPECT_EQ(store->readSection(QStringLiteral("OPTIONS")).number(QStringLiteral("packets"), 0), 8);

    EXPECT_FALSE(store->saveToFile(path(QStringLiteral("saved.db"))));
    ASSERT_TRUE(other->WriteProfileInt(kOptions, packets, 9));
    EXPECT_EQ(readAll(), 9);
    for (int round = 0; round < 2; ++round) {
        EXPECT_FALSE(store->restoreFromFile(path(QStringLiteral("saved.db"))));
        EXPECT_EQ(readAll(), 8);
        EXPECT_EQ(other->GetProfileInt(kOptions, packets, 0), 8);
    }
    EXPECT_TRUE(store->WriteProfileInt(kOptions, packets, 10));
    EXPECT_EQ(other->readSection(kOptions).number(packets, 0), 10);
}

TEST_F(RegistryStoreTest, WritesSurviveTheProcessEvenWhenItIsKilled) {
    {
        auto store = openStore();
        store->WriteProfileInt(kOptions, QStringLiteral("Packets"), 42);
    }
    EXPECT_EQ(openStore()->GetProfileInt(kOptions, QStringLiteral("Packets"), 0), 42);

    // A child writes values and reports each one done; it is killed without warning part-way.
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        auto store = openStore();
        for (int i = 0;; ++i) {
            if (!store->WriteProfileInt(QStringLiteral("Killed"), QStringLiteral("v%1").arg(i), i))
                ::_exit(1);
            const char done = 'x';
            if (::write(pipeFds[1], &done, 1) != 1)
                ::_exit(1);
        }
    }
    ::close(pipeFds[1]);
    int acknowledged = 0;
    char byte;
    while (acknowledged < 25 && ::read(pipeFds[0], &byte, 1) == 1)
        ++acknowledged;
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(pipeFds[0]);

    auto store = openStore();
    ASSERT_EQ(acknowledged, 25);
    for (int i = 0; i < acknowledged; ++i)
        EXPECT_EQ(store->GetProfileInt(QStringLiteral("Killed"), QStringLiteral("v%1").arg(i), -1), i);
}

TEST_F(RegistryStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
    openStore(); // both children find the store made
    constexpr int kWrites = 60;
    auto writer = [this](const QString& prefix) {
        auto store = openStore();
        for (int i = 0; i < kWrites; ++i)
            if (!store->WriteProfileString(QStringLiteral("Shared"), prefix + QString::number(i), prefix))
                return 1;
        return 0;
    };
    const pid_t first = ::fork();
    if (first == 0)
        ::_exit(writer(QStringLiteral("a")));
    const int second = vantrel::test::runInChild([&] { return writer(QStringLiteral("b")); });
    int status = 0;
    ::waitpid(first, &status, 0);
    EXPECT_EQ(second, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(openStore()->valueNames(QStringLiteral("Shared")).size(), 2 * kWrites);
}

class StoreFileTest : public RegistryStoreTest {
protected:
    void SetUp() override {
        m_store = openStore();
        m_store->WriteProfileInt(kOptions, QStringLiteral("Packets"), 7);
        m_store->WriteProfileString(kOptions, QStringLiteral("Log String"), QStringLiteral("x.rtf"));
        m_store->WriteProfileString(kHosts, QStringLiteral("Lab"), QStringLiteral("10.1.1.1"));
        m_store->WriteProfileString(QStringLiteral("SeqScan\\Lab"), QStringLiteral("START1"),
                                    QStringLiteral("10"));
        m_store->WriteProfileBinary(QStringLiteral("Workspace"), QStringLiteral("State"),
                                    QByteArray("\x01\x02", 2));
        m_saved = dump(*m_store);
    }

    void changeEverything() {
        m_store->WriteProfileInt(kOptions, QStringLiteral("Packets"), 99);
        m_store->WriteProfileString(QStringLiteral("New"), QStringLiteral("n"), QStringLiteral("n"));
        m_store->deleteKey(QStringLiteral("SeqScan"));
    }

    std::unique_ptr<RegistryStore> m_store;
    QStringList m_saved;
};

TEST_F(StoreFileTest, RestoreBringsBackExactlyWhatWasSaved) {
    const QString file = path(QStringLiteral("VantrelExport.vtr"));
    ASSERT_FALSE(m_store->saveToFile(file).has_value());
    changeEverything();
    ASSERT_NE(dump(*m_store), m_saved);

    ASSERT_FALSE(m_store->restoreFromFile(file).has_value());
    EXPECT_EQ(dump(*m_store), m_saved);
    // The restored names still fold: the store finds them in any case.
    EXPECT_EQ(m_store->GetProfileInt(QStringLiteral("OPTIONS"), QStringLiteral("packets"), 0), 7);

    // Saving again replaces the old file in one step and leaves nothing beside it.
    changeEverything();
    ASSERT_FALSE(m_store->saveToFile(file).has_value());
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*.part")}, QDir::Files), QStringList());
    auto other = RegistryStore::openInMemory();
    ASSERT_FALSE(other->restoreFromFile(file).has_value());
    EXPECT_EQ(dump(*other), dump(*m_store));
}

// The export replaces a regular file only, through a temporary file of its own: a link is followed to the
// file it names and stays a link; a folder, a pipe or a device is refused as it is; a file of the user's
// named like the export with ".part" is left alone; nothing is left behind.
TEST_F(StoreFileTest, OnlyARegularFileIsReplacedAndNothingElseIsTouched) {
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("exports")));
    const QDir folder(path(QStringLiteral("exports")));
    const auto write = [](const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    const auto entries = [&] {
        return folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                QDir::Name);
    };
    const QString file = folder.filePath(QStringLiteral("VantrelExport.vtr"));
    write(file + QStringLiteral(".part"), "mine");
    ASSERT_FALSE(m_store->saveToFile(file).has_value());
    QFile part(file + QStringLiteral(".part"));
    ASSERT_TRUE(part.open(QIODevice::ReadOnly));
    EXPECT_EQ(part.readAll(), QByteArray("mine"));

    const QString named = folder.filePath(QStringLiteral("named.vtr"));
    const QString link = folder.filePath(QStringLiteral("link.vtr"));
    write(named, "old");
    ASSERT_TRUE(QFile::link(named, link));
    ASSERT_FALSE(m_store->saveToFile(link).has_value());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    auto other = RegistryStore::openInMemory();
    ASSERT_FALSE(other->restoreFromFile(named).has_value());
    EXPECT_EQ(dump(*other), m_saved);

    const QString pipe = folder.filePath(QStringLiteral("pipe"));
    const QString device = folder.filePath(QStringLiteral("device"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(folder.mkdir(QStringLiteral("sub")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), device));
    const QStringList before = entries();
    for (const QString& target : {pipe, folder.filePath(QStringLiteral("sub")), device}) {
        SCOPED_TRACE(target.toStdString());
        EXPECT_TRUE(m_store->saveToFile(target).has_value());
        EXPECT_EQ(entries(), before);
    }
    struct stat status {};
    ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_TRUE(QFileInfo(folder.filePath(QStringLiteral("sub"))).isDir());
    EXPECT_EQ(QFileInfo(device).symLinkTarget(), QStringLiteral("/dev/null"));
    ASSERT_EQ(::lstat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
}

TEST_F(StoreFileTest, ADamagedForeignOrMissingFileChangesNothing) {
    const QString file = path(QStringLiteral("VantrelExport.vtr"));
    ASSERT_FALSE(m_store->saveToFile(file).has_value());
    changeEverything();
    const QStringList before = dump(*m_store);

    // Bit rot inside a stored text: the file is still a sound database, but not what was saved.
    QFile damaged(file);
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    const QByteArray bytes = damaged.readAll();
    const qsizetype at = bytes.indexOf("10.1.1.1");
    ASSERT_GE(at, 0);
    damaged.seek(at);
    damaged.write("10.9.9.9");
    damaged.close();
    EXPECT_TRUE(m_store->restoreFromFile(file).has_value());
    EXPECT_EQ(dump(*m_store), before);

    QFile truncated(file);
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    truncated.write(bytes.left(bytes.size() / 3));
    truncated.close();
    EXPECT_TRUE(m_store->restoreFromFile(file).has_value());
    EXPECT_EQ(dump(*m_store), before);

    QFile text(path(QStringLiteral("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("just some text\n");
    text.close();
    EXPECT_TRUE(m_store->restoreFromFile(text.fileName()).has_value());
    EXPECT_TRUE(m_store->restoreFromFile(path(QStringLiteral("missing.vtr"))).has_value());
    EXPECT_EQ(dump(*m_store), before);
}

// Files edited behind the store's back, with the digest dropped so that only the content checks stand
// between them and the store: each is refused whole.
TEST_F(StoreFileTest, AHostileOrWronglyTypedFileChangesNothing) {
    const char* const edits[] = {
        "UPDATE registry_value SET kind = 4 WHERE kind = 1",
        "UPDATE registry_value SET data = 'text' WHERE kind = 3",
        "UPDATE registry_value SET data = 2147483648 WHERE kind = 4",
        "CREATE TABLE extra(x)",
        "CREATE TRIGGER wipe AFTER INSERT ON registry_key BEGIN DELETE FROM registry_value; END",
        "CREATE VIEW everything AS SELECT * FROM registry_value",
    };
    const QString file = path(QStringLiteral("VantrelExport.vtr"));
    for (const char* edit : edits) {
        ASSERT_FALSE(m_store->saveToFile(file).has_value());
        {
            SqliteConnection db;
            ASSERT_TRUE(db.open(file, SqliteConnection::Mode::ReadWriteCreate));
            ASSERT_EQ(db.exec("DROP TABLE saved_digest"), SQLITE_OK);
            ASSERT_EQ(db.exec(edit), SQLITE_OK) << edit;
        }
        changeEverything();
        const QStringList before = dump(*m_store);
        EXPECT_TRUE(m_store->restoreFromFile(file).has_value()) << edit;
        EXPECT_EQ(dump(*m_store), before) << edit;
    }
}

// A program killed while it imports, over and over from two files, leaves one file's settings whole.
TEST_F(StoreFileTest, AKillDuringImportLeavesOneWholeState) {
    std::vector<NamedValue> bulk;
    for (int i = 0; i < 2000; ++i)
        bulk.push_back({QStringLiteral("v%1").arg(i), QString(40, QChar('a'))});
    ASSERT_TRUE(m_store->writeValues(QStringLiteral("Bulk"), bulk));
    const QString first = path(QStringLiteral("first.vtr"));
    const QString second = path(QStringLiteral("second.vtr"));
    ASSERT_FALSE(m_store->saveToFile(first).has_value());
    const QStringList firstState = dump(*m_store);
    changeEverything();
    m_store->deleteKey(QStringLiteral("Bulk"));
    ASSERT_FALSE(m_store->saveToFile(second).has_value());
    const QStringList secondState = dump(*m_store);
    m_store.reset();

    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = test::startChild([&] {
        ::close(pipeFds[0]);
        auto store = openStore();
        for (int i = 0;; ++i) {
            if (store->restoreFromFile(i % 2 == 0 ? first : second).has_value())
                return 1;
            const char done = 'x';
            if (::write(pipeFds[1], &done, 1) != 1)
                return 1;
        }
    });
    ::close(pipeFds[1]);
    int acknowledged = 0;
    char byte;
    while (acknowledged < 5 && ::read(pipeFds[0], &byte, 1) == 1)
        ++acknowledged;
    ::kill(child, SIGKILL);
    ::close(pipeFds[0]);
    EXPECT_EQ(test::waitForChild(child), 128 + SIGKILL);
    ASSERT_EQ(acknowledged, 5);

    const QStringList after = dump(*openStore());
    EXPECT_TRUE(after == firstState || after == secondState) << after.size();
}

} // namespace
} // namespace vantrel::settings
