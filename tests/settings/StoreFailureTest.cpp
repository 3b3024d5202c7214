#include "settings/RegistryStore.h"
#include "settings/SettingsModel.h"
#include "support/ChildProcess.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace vantrel::settings {
namespace {

const QString kOptions = QStringLiteral("Options");

// Collects what the store tells its front end.
struct NoticeLog {
    std::vector<StoreNotice> notices;
    StoreNoticeSink sink() {
        return [this](const StoreNotice& notice) { notices.push_back(notice); };
    }
    int count(StoreNotice::Kind kind) const {
        return int(
            std::count_if(notices.begin(), notices.end(), [kind](const auto& n) { return n.kind == kind; }));
    }
};

class StoreFailureTest : public ::testing::Test {
protected:
    QString storeFile() const { return StoreLocation{m_dir.path()}.storeFile(); }
    QStringList asideFiles() const {
        return QDir(m_dir.path()).entryList({QStringLiteral("settings.db.broken-*")}, QDir::Files);
    }
    void writeFile(const QString& file, const QByteArray& bytes) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    // The store that took the file's place keeps what is written, and the next open has nothing to say.
    void expectAFreshStoreOnFile(std::unique_ptr<RegistryStore> store) {
        EXPECT_FALSE(store->isInMemory());
        EXPECT_TRUE(store->WriteProfileInt(kOptions, QStringLiteral("Packets"), 3));
        store.reset();
        NoticeLog quiet;
        EXPECT_EQ(RegistryStore::open({m_dir.path()}, quiet.sink())
                      ->GetProfileInt(kOptions, QStringLiteral("Packets"), 0),
                  3);
        EXPECT_TRUE(quiet.notices.empty());
    }
    static void expectRefused(const StoreWrite& write, const QString& reason) {
        EXPECT_FALSE(write);
        EXPECT_EQ(write.reason(), reason);
    }
    QByteArray fileBytes(const QString& file) const {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir m_dir;
    NoticeLog m_log;
};

TEST_F(StoreFailureTest, ADamagedStoreIsMovedAsideKeptAndReplacedByAFreshOne) {
    const QByteArray garbage = QByteArray("SQLite format 3") + QByteArray(4096, '\x13');
    writeFile(storeFile(), garbage);

    auto store = RegistryStore::open({m_dir.path()}, m_log.sink());
    ASSERT_EQ(m_log.notices.size(), 1u);
    EXPECT_EQ(m_log.notices[0].kind, StoreNotice::Kind::MovedAside);
    EXPECT_TRUE(m_log.notices[0].text.contains(storeFile()));

    ASSERT_EQ(asideFiles().size(), 1);
    QFile aside(m_dir.filePath(asideFiles().first()));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), garbage);

    expectAFreshStoreOnFile(std::move(store));
}

TEST_F(StoreFailureTest, ADatabaseOfAnotherProgramIsMovedAsideUntouched) {
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(storeFile().toUtf8().constData(), &other), SQLITE_OK);
    sqlite3_exec(other, "CREATE TABLE songs(title TEXT); INSERT INTO songs VALUES('x');", nullptr, nullptr,
                 nullptr);
    sqlite3_close(other);

    auto store = RegistryStore::open({m_dir.path()}, m_log.sink());
    EXPECT_EQ(m_log.count(StoreNotice::Kind::MovedAside), 1);
    ASSERT_EQ(asideFiles().size(), 1);
    EXPECT_TRUE(store->valueNames(kOptions).isEmpty());

    // A restore refuses such a file as well.
    EXPECT_TRUE(store->restoreFromFile(m_dir.filePath(asideFiles().first())).has_value());
}

TEST_F(StoreFailureTest, AnEmptyStoreFileIsReportedAsLostSettings) {
    NoticeLog firstStart;
    RegistryStore::open({m_dir.filePath(QStringLiteral("first"))}, firstStart.sink());
    EXPECT_TRUE(firstStart.notices.empty()) << "a new store is no loss";

    writeFile(storeFile(), QByteArray());
    auto store = RegistryStore::open({m_dir.path()}, m_log.sink());
    ASSERT_EQ(m_log.notices.size(), 1u);
    EXPECT_EQ(m_log.notices[0].kind, StoreNotice::Kind::Lost);
    EXPECT_EQ(m_log.notices[0].text,
              QStringLiteral("The settings file \"%1\" was empty: the saved settings are lost, and Vantrel "
                             "starts with default settings.")
                  .arg(storeFile()));
    expectAFreshStoreOnFile(std::move(store));
}

TEST_F(StoreFailureTest, AStoreOfANewerVersionIsReadButNeitherWrittenNorMovedAside) {
    RegistryStore::open({m_dir.path()})->WriteProfileInt(kOptions, QStringLiteral("Packets"), 31);
    sqlite3* newer = nullptr;
    ASSERT_EQ(sqlite3_open(storeFile().toUtf8().constData(), &newer), SQLITE_OK);
    sqlite3_exec(newer, "PRAGMA user_version = 7", nullptr, nullptr, nullptr);
    sqlite3_close(newer);
    const QByteArray before = fileBytes(storeFile());

    auto store = RegistryStore::open({m_dir.path()}, m_log.sink());
    ASSERT_EQ(m_log.notices.size(), 1u);
    EXPECT_EQ(m_log.notices[0].kind, StoreNotice::Kind::NewerVersion);
    EXPECT_EQ(
        m_log.notices[0].text,
        QStringLiteral("The settings file \"%1\" was written by a newer version of Vantrel. This version "
                       "uses the settings it can read from it and leaves the file as it is: changes made "
                       "now will not be saved.")
            .arg(storeFile()));
    EXPECT_TRUE(store->isInMemory());
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("Packets"), 0), 31);
    // A change is refused with the reason, and the store shows what it holds.
    expectRefused(store->WriteProfileInt(kOptions, QStringLiteral("Packets"), 32),
                  QStringLiteral("the settings run in memory only, since the settings file was written by a "
                                 "newer version of Vantrel"));
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("Packets"), 0), 31);
    store.reset();
    EXPECT_TRUE(asideFiles().isEmpty());
    EXPECT_EQ(fileBytes(storeFile()), before);
}

TEST_F(StoreFailureTest, AStoreLockedPastTheWaitRunsOnDefaultsAndIsNotWrittenOver) {
    RegistryStore::open({m_dir.path()})->WriteProfileInt(kOptions, QStringLiteral("Packets"), 41);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(storeFile().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    auto store = RegistryStore::open({m_dir.path()}, m_log.sink(), std::chrono::milliseconds(50));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    ASSERT_EQ(m_log.notices.size(), 1u);
    EXPECT_EQ(m_log.notices[0].kind, StoreNotice::Kind::Unreadable);
    EXPECT_EQ(m_log.notices[0].text,
              QStringLiteral("The saved settings in \"%1\" could not be read (another program keeps the file "
                             "locked). Vantrel runs with default settings, and changes made now will not be "
                             "saved.")
                  .arg(storeFile()));
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("Packets"), 5), 5);
    expectRefused(
        store->WriteProfileInt(kOptions, QStringLiteral("Packets"), 5),
        QStringLiteral("the settings run in memory only, since the saved settings could not be read "
                       "(another program keeps the file locked)"));
    store.reset();
    EXPECT_EQ(RegistryStore::open({m_dir.path()})->GetProfileInt(kOptions, QStringLiteral("Packets"), 0), 41);
}

TEST_F(StoreFailureTest, AReadLockedPastTheWaitGivesTheDefaultsAndTheNextReadTheStoredValues) {
    auto store = RegistryStore::open({m_dir.path()}, m_log.sink(), std::chrono::milliseconds(50));
    ASSERT_TRUE(store->WriteProfileInt(kOptions, QStringLiteral("Packets"), 41));
    ASSERT_TRUE(store->WriteProfileString(section::kListScanHosts, QStringLiteral("10.0.0.1"),
                                          QStringLiteral("10.0.0.1")));
    const auto load = [&] { return LoadSettings(*store); };
    ASSERT_EQ(load().options.number(OptionId::Packets), 41);

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(storeFile().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const LoadedSettings locked = load();
    EXPECT_EQ(locked.options, OptionSet::defaults());
    EXPECT_TRUE(locked.listScanAddresses.isEmpty());
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("Packets"), 5), 5);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    // The statements that failed are used again, and find what is stored.
    const LoadedSettings loaded = load();
    EXPECT_EQ(loaded.options.number(OptionId::Packets), 41);
    EXPECT_EQ(loaded.listScanAddresses, QStringList{QStringLiteral("10.0.0.1")});
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("Packets"), 5), 41);
    EXPECT_TRUE(m_log.notices.empty());
}

TEST_F(StoreFailureTest, AWriteLockedPastTheWaitIsRefusedWithTheReasonAndChangesNothing) {
    auto store = RegistryStore::open({m_dir.path()}, m_log.sink(), std::chrono::milliseconds(50));
    ASSERT_TRUE(store->WriteProfileString(kOptions, QStringLiteral("Log String"), QStringLiteral("a.rtf")));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(storeFile().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const NamedValue renamed{QStringLiteral("Log String"), QStringLiteral("b.rtf")};
    for (const StoreWrite& write :
         {store->WriteProfileString(kOptions, QStringLiteral("Log String"), QStringLiteral("b.rtf")),
          store->replaceValue(kOptions, QStringLiteral("Log String"), renamed),
          store->deleteValue(kOptions, QStringLiteral("Log String")), store->deleteKey(kOptions)})
        expectRefused(write, lockedReason());
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(store->GetProfileString(kOptions, QStringLiteral("Log String")), QStringLiteral("a.rtf"));
    EXPECT_FALSE(store->isInMemory());
    EXPECT_TRUE(m_log.notices.empty());
}

TEST_F(StoreFailureTest, AFolderThatCannotBeMadeLeavesTheStoreInMemory) {
    writeFile(m_dir.filePath(QStringLiteral("blocker")), "a file, not a folder");
    auto store = RegistryStore::open({m_dir.filePath(QStringLiteral("blocker/Vantrel"))}, m_log.sink());
    EXPECT_TRUE(store->isInMemory());
    expectRefused(
        store->WriteProfileInt(kOptions, QStringLiteral("Packets"), 9),
        QStringLiteral("the settings run in memory only, since the settings folder cannot be created"));
    EXPECT_FALSE(store->deleteKey(kOptions));
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("Packets"), 0), 0);
    ASSERT_EQ(m_log.notices.size(), 1u);
    EXPECT_EQ(m_log.notices[0].kind, StoreNotice::Kind::NotWritable);
}

TEST_F(StoreFailureTest, AReadOnlyStoreIsReadAndThenKeptInMemory) {
    RegistryStore::open({m_dir.path()})->WriteProfileInt(kOptions, QStringLiteral("Packets"), 11);
    QFile::setPermissions(storeFile(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0555);

    // Root may write anywhere, so the child takes an ordinary user's rights first.
    const int status = vantrel::test::runInChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 10;
        NoticeLog log;
        auto store = RegistryStore::open({m_dir.path()}, log.sink());
        if (!store->isInMemory() || store->GetProfileInt(kOptions, QStringLiteral("Packets"), 0) != 11)
            return 11;
        const StoreWrite refused = store->WriteProfileInt(kOptions, QStringLiteral("Packets"), 12);
        if (refused ||
            refused.reason() != QStringLiteral("the settings run in memory only, since the file is "
                                               "read-only") ||
            store->GetProfileInt(kOptions, QStringLiteral("Packets"), 0) != 11)
            return 12;
        return log.count(StoreNotice::Kind::NotWritable) == 1 && log.notices.size() == 1 ? 0 : 13;
    });
    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(RegistryStore::open({m_dir.path()})->GetProfileInt(kOptions, QStringLiteral("Packets"), 0), 11);
}

TEST_F(StoreFailureTest, AFullDiskRefusesTheWriteWithItsReasonAndLosesNothingStored) {
    RegistryStore::open({m_dir.path()})->WriteProfileInt(kOptions, QStringLiteral("Packets"), 21);

    // The child may not grow any file past the store's present size: the next big write fails as on a
    // full disk. It answers how many values were stored.
    const int stored = vantrel::test::runInChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        NoticeLog log;
        auto store = RegistryStore::open({m_dir.path()}, log.sink());
        const rlimit limit{rlim_t(QFileInfo(storeFile()).size()), rlim_t(QFileInfo(storeFile()).size())};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 100;
        const QString big(20000, QLatin1Char('x'));
        int count = 0;
        StoreWrite written;
        for (; count < 20; ++count)
            if (!(written = store->WriteProfileString(QStringLiteral("Big"), QString::number(count), big)))
                break;
        if (written || written.reason().isEmpty() || store->isInMemory() || !log.notices.empty())
            return 101;
        // The store keeps its file and what it held; the refused value is not there.
        if (store->valueNames(QStringLiteral("Big")).size() != count ||
            store->GetProfileInt(kOptions, QStringLiteral("Packets"), 0) != 21)
            return 102;
        return count;
    });
    ASSERT_LT(stored, 20);

    NoticeLog log;
    auto store = RegistryStore::open({m_dir.path()}, log.sink());
    EXPECT_TRUE(log.notices.empty());
    EXPECT_EQ(store->GetProfileInt(kOptions, QStringLiteral("Packets"), 0), 21);
    EXPECT_EQ(store->valueNames(QStringLiteral("Big")).size(), stored);
    EXPECT_TRUE(store->WriteProfileInt(kOptions, QStringLiteral("Packets"), 22))
        << "without the limit it writes";
}

} // namespace
} // namespace vantrel::settings
