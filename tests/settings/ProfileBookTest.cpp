#include "settings/ProfileBook.h"

#include "settings/RegistryStore.h"
#include "support/ChildProcess.h"
#include "support/QtPrinters.h"

#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace vantrel::settings {
namespace {

QString longText(QChar letter) {
    return QString(ProfileBook::kLongestText + 1, letter);
}

class ProfileBookTest : public ::testing::Test {
protected:
    // Profiles as "name=address", the first written first.
    void storeProfiles(const QStringList& profiles) {
        for (const QString& profile : profiles)
            m_store->WriteProfileString(section::kProfiles, profile.section(QLatin1Char('='), 0, 0),
                                        profile.section(QLatin1Char('='), 1));
    }
    QStringList listed() const {
        QStringList shown;
        for (const ProfileEntry& entry : m_book.entries())
            shown << entry.name + QLatin1Char('=') + entry.address;
        return shown;
    }
    QStringList stored() const {
        QStringList values;
        for (const QString& name : m_store->valueNames(section::kProfiles))
            values << name + QLatin1Char('=') + m_store->GetProfileString(section::kProfiles, name);
        return values;
    }

    std::unique_ptr<RegistryStore> m_store = RegistryStore::openInMemory();
    ProfileBook m_book{*m_store};
};

TEST_F(ProfileBookTest, LoadShowsTheNewestFirstStopsAtALongNameAndSortsWhenAsked) {
    storeProfiles({QStringLiteral("b=2"), QStringLiteral("C=1"), QStringLiteral("a=3"),
                   longText(QLatin1Char('x')) + QStringLiteral("=9"), QStringLiteral("after=4")});
    m_book.load(false, kNameColumn);
    EXPECT_EQ(listed(), QStringList({"a=3", "C=1", "b=2"}));
    EXPECT_FALSE(m_book.sortState());
    m_book.load(true, kNameColumn);
    EXPECT_EQ(listed(), QStringList({"a=3", "b=2", "C=1"}));
    m_book.load(true, kAddressColumn);
    EXPECT_EQ(listed(), QStringList({"C=1", "b=2", "a=3"}));
}

// The command's decision, the list and the store after it, and the row it focuses.
TEST_F(ProfileBookTest, TheCommandAddsUpdatesOrDeletesAndWritesTheStoreAtOnce) {
    struct Case {
        const char* what;
        QString name, address;
        std::optional<ProfileAction> action;
        ProfileRefusal refusal;
        QStringList listAfter, storeAfter;
        std::optional<int> focus;
    };
    const QStringList before{"Home=10.0.0.1", "Work=10.0.0.2", "Lab=lab.test"}; // stored in this order
    const std::vector<Case> cases{
        {"a new name goes on top",
         "Office",
         "10.0.0.9",
         ProfileAction::Add,
         ProfileRefusal::None,
         {"Office=10.0.0.9", "Lab=lab.test", "Work=10.0.0.2", "Home=10.0.0.1"},
         {"Home=10.0.0.1", "Work=10.0.0.2", "Lab=lab.test", "Office=10.0.0.9"},
         0},
        {"a known name with another address",
         "Work",
         "example.test",
         ProfileAction::Update,
         ProfileRefusal::None,
         {"Work=example.test", "Lab=lab.test", "Home=10.0.0.1"},
         {"Home=10.0.0.1", "Work=example.test", "Lab=lab.test"},
         0},
        {"the name in other letter case stands for the same profile, spelt anew",
         "WORK",
         "10.0.0.2",
         ProfileAction::Update,
         ProfileRefusal::None,
         {"WORK=10.0.0.2", "Lab=lab.test", "Home=10.0.0.1"},
         {"Home=10.0.0.1", "Lab=lab.test", "WORK=10.0.0.2"},
         0},
        {"an address differing only in case is another address",
         "Lab",
         "LAB.test",
         ProfileAction::Update,
         ProfileRefusal::None,
         {"Lab=LAB.test", "Work=10.0.0.2", "Home=10.0.0.1"},
         {"Home=10.0.0.1", "Work=10.0.0.2", "Lab=LAB.test"},
         0},
        {"name and address both equal: deleted, the next one focused",
         "Work",
         "10.0.0.2",
         ProfileAction::Delete,
         ProfileRefusal::None,
         {"Lab=lab.test", "Home=10.0.0.1"},
         {"Home=10.0.0.1", "Lab=lab.test"},
         1},
        {"the last one deleted: the first focused",
         "Home",
         "10.0.0.1",
         ProfileAction::Delete,
         ProfileRefusal::None,
         {"Lab=lab.test", "Work=10.0.0.2"},
         {"Work=10.0.0.2", "Lab=lab.test"},
         0},
        {"a percent sign is kept",
         "50% off",
         "%s.test",
         ProfileAction::Add,
         ProfileRefusal::None,
         {"50% off=%s.test", "Lab=lab.test", "Work=10.0.0.2", "Home=10.0.0.1"},
         {"Home=10.0.0.1", "Work=10.0.0.2", "Lab=lab.test", "50% off=%s.test"},
         0},
        {"an empty name", "", "10.0.0.1", std::nullopt, ProfileRefusal::Empty, {}, {}, std::nullopt},
        {"an empty address", "Home", "", std::nullopt, ProfileRefusal::Empty, {}, {}, std::nullopt},
        {"a too long name",
         longText(QLatin1Char('n')),
         "10.0.0.1",
         std::nullopt,
         ProfileRefusal::NameTooLong,
         {},
         {},
         std::nullopt},
        {"a line break in the name",
         "Ho\nme",
         "10.0.0.1",
         std::nullopt,
         ProfileRefusal::NameControlCharacter,
         {},
         {},
         std::nullopt},
        {"a control character in the address",
         "Home",
         "10.0.0.1\t",
         std::nullopt,
         ProfileRefusal::AddressControlCharacter,
         {},
         {},
         std::nullopt},
        {"a too long address, even for a known name",
         "Work",
         longText(QLatin1Char('a')),
         std::nullopt,
         ProfileRefusal::AddressTooLong,
         {},
         {},
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_store->deleteKey(section::kProfiles);
        storeProfiles(before);
        m_book.load(false, kNameColumn);
        const QStringList listBefore = listed();
        if (c.action) {
            EXPECT_EQ(m_book.decide(c.name, c.address), *c.action);
        }
        const ProfileBook::Outcome outcome = m_book.apply(c.name, c.address, false, kNameColumn);
        EXPECT_EQ(outcome.action, c.action);
        EXPECT_EQ(outcome.refusal, c.refusal);
        EXPECT_EQ(outcome.focusRow, c.focus);
        EXPECT_EQ(listed(), c.action ? c.listAfter : listBefore);
        EXPECT_EQ(stored(), c.action ? c.storeAfter : before);
    }
}

TEST_F(ProfileBookTest, AutoSortKeepsTheListSortedAndFocusesTheChangedProfile) {
    storeProfiles({"b=1", "d=2"});
    m_book.load(true, kNameColumn);
    EXPECT_EQ(m_book.apply("c", "3", true, kNameColumn).focusRow, 1);
    EXPECT_EQ(listed(), QStringList({"b=1", "c=3", "d=2"}));
    EXPECT_EQ(m_book.apply("b", "1", true, kNameColumn).focusRow, 0) << "c, now first";
    EXPECT_EQ(m_book.apply("A", "9", true, kAddressColumn).focusRow, 2);
    EXPECT_EQ(listed(), QStringList({"d=2", "c=3", "A=9"}));
}

TEST_F(ProfileBookTest, RenameRefusesATakenOrTooLongNameAndMovesTheStoredValue) {
    storeProfiles({"Home=10.0.0.1", "Office=10.0.0.2"});
    m_book.load(false, kNameColumn);
    const QStringList before = stored();
    struct Refused {
        QString name;
        ProfileRefusal refusal;
    };
    for (const Refused& r :
         {Refused{"Office", ProfileRefusal::NameExists}, Refused{"oFFICE", ProfileRefusal::NameExists},
          Refused{longText(QLatin1Char('n')), ProfileRefusal::NameTooLong},
          Refused{"Lab\n", ProfileRefusal::NameControlCharacter}, Refused{"", ProfileRefusal::None},
          Refused{"Home", ProfileRefusal::None}}) {
        SCOPED_TRACE(r.name.toStdString());
        const ProfileBook::RenameOutcome outcome = m_book.rename(1, r.name, false, kNameColumn);
        EXPECT_FALSE(outcome.renamed);
        EXPECT_EQ(outcome.refusal, r.refusal);
        EXPECT_EQ(stored(), before);
        EXPECT_EQ(listed(), QStringList({"Office=10.0.0.2", "Home=10.0.0.1"}));
    }
    EXPECT_TRUE(m_book.rename(1, "HOME", false, kNameColumn).renamed) << "its own name in other case";
    EXPECT_EQ(stored(), QStringList({"Office=10.0.0.2", "HOME=10.0.0.1"}));
    EXPECT_TRUE(m_book.rename(0, "Lab 5%", false, kNameColumn).renamed);
    EXPECT_EQ(listed(), QStringList({"Lab 5%=10.0.0.2", "HOME=10.0.0.1"}));
    EXPECT_EQ(stored(), QStringList({"HOME=10.0.0.1", "Lab 5%=10.0.0.2"}));
    // Kept sorted by name, the list is read again and sorted.
    const ProfileBook::RenameOutcome sorted = m_book.rename(0, "Attic", true, kNameColumn);
    EXPECT_EQ(sorted.row, 0);
    EXPECT_EQ(listed(), QStringList({"Attic=10.0.0.2", "HOME=10.0.0.1"}));
}

TEST_F(ProfileBookTest, SortingIgnoresCaseAndKeepsTheOrderOfEquals) {
    storeProfiles({"b=x.test", "B=X.TEST", "a=y.test", "A=Y.test"});
    // Names that differ only in case cannot both be stored: the store keeps one value, the first spelling.
    EXPECT_EQ(stored(), QStringList({"b=X.TEST", "a=Y.test"}));
    storeProfiles({"c=X.test", "D=x.TEST"});
    m_book.load(false, kNameColumn);
    EXPECT_EQ(listed(), QStringList({"D=x.TEST", "c=X.test", "a=Y.test", "b=X.TEST"}));
    m_book.sort(kAddressColumn, true);
    EXPECT_EQ(listed(), QStringList({"D=x.TEST", "c=X.test", "b=X.TEST", "a=Y.test"}));
    m_book.sort(kAddressColumn, false);
    EXPECT_EQ(listed(), QStringList({"a=Y.test", "D=x.TEST", "c=X.test", "b=X.TEST"}));
    m_book.sortByHeader(kNameColumn);
    EXPECT_EQ(listed(), QStringList({"a=Y.test", "b=X.TEST", "c=X.test", "D=x.TEST"}));
    m_book.sortByHeader(kNameColumn);
    EXPECT_EQ(listed(), QStringList({"D=x.TEST", "c=X.test", "b=X.TEST", "a=Y.test"}));
    EXPECT_FALSE(m_book.sortState()->ascending);
}

// A change is in the store the moment it is made: a program killed right after it keeps it.
TEST(ProfileBookStoreTest, AChangeSurvivesAKillRightAfterIt) {
    QTemporaryDir dir;
    const StoreLocation location{dir.path()};
    const auto killedAfter = [&](const std::function<void(ProfileBook&)>& change) {
        return test::runInChild([&] {
            auto store = RegistryStore::open(location);
            ProfileBook book(*store);
            book.load(false, kNameColumn);
            change(book);
            ::raise(SIGKILL);
            return 0;
        });
    };
    const auto reopened = [&] {
        auto store = RegistryStore::open(location);
        ProfileBook book(*store);
        book.load(false, kNameColumn);
        return book.entries();
    };
    EXPECT_EQ(killedAfter([](ProfileBook& book) { book.apply("home", "10.0.0.1", false, kNameColumn); }),
              128 + SIGKILL);
    EXPECT_EQ(reopened(), (std::vector<ProfileEntry>{{"home", "10.0.0.1"}}));
    killedAfter([](ProfileBook& book) { book.apply("Home", "10.0.0.2", false, kNameColumn); });
    EXPECT_EQ(reopened(), (std::vector<ProfileEntry>{{"Home", "10.0.0.2"}}));
    killedAfter([](ProfileBook& book) { book.rename(0, "Office", false, kNameColumn); });
    EXPECT_EQ(reopened(), (std::vector<ProfileEntry>{{"Office", "10.0.0.2"}}));
    killedAfter([](ProfileBook& book) { book.apply("Office", "10.0.0.2", false, kNameColumn); });
    EXPECT_TRUE(reopened().empty());
}

} // namespace
} // namespace vantrel::settings
