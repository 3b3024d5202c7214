#include "settings/SettingsModel.h"

#include "settings/ListScanAddressList.h"
#include "settings/LiveOptions.h"
#include "settings/RegistryStore.h"
#include "settings/SeqScanGroups.h"
#include "settings/WatchList.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace vantrel::settings {
namespace {

using enum OptionId;

class SettingsModelTest : public ::testing::Test {
protected:
    void store(const char* name, int value) {
        m_store->WriteProfileInt(section::kOptions, QString::fromLatin1(name), value);
    }

    std::unique_ptr<RegistryStore> m_store = RegistryStore::openInMemory();
};

TEST_F(SettingsModelTest, AnEmptyStoreGivesEveryDefaultAndWritesNothing) {
    LiveOptions live;
    live.assign(LoadSettings(*m_store).options);
    EXPECT_EQ(live.number(Packets), 5);
    EXPECT_EQ(live.number(Timeout), 5);
    EXPECT_EQ(live.number(Hops), 30);
    EXPECT_TRUE(live.isOn(Verbose));
    EXPECT_TRUE(live.isOn(Statistics));
    EXPECT_TRUE(live.isOn(WarnCurrent));
    EXPECT_EQ(live.text(LogString), QStringLiteral("Vtrlog.rtf"));
    EXPECT_EQ(live.number(PurgeStatus), 1);
    EXPECT_EQ(live.number(PurgeLog), 4);
    EXPECT_EQ(live.number(ISPInterval), 10);
    EXPECT_EQ(live.number(ContPingInterval), 2);
    EXPECT_EQ(live.packetDataSize(), 67);
    EXPECT_FALSE(live.isOn(Beep));
    EXPECT_EQ(live.snapshot(), OptionSet::defaults());
    EXPECT_TRUE(m_store->subKeyNames(QString()).isEmpty());
}

TEST_F(SettingsModelTest, StoredNumbersOutsideTheirRangeAreCorrectedAtLoad) {
    store("ListScanTimeout20", 250);
    store("SeqScanTimeout20", 0);
    store("Packets", 9000);
    store("ISPInterval", 1500);
    store("Hops", -4);
    store("Beep", 7);
    store("Verbose", 2);
    store("AddressFamily", 9);
    store("PreciseTimes", 7);
    m_store->WriteProfileString(section::kOptions, QStringLiteral("Timeout"), QStringLiteral("12"));
    // The watch list's options are values of its own section.
    m_store->WriteProfileInt(section::kWatch, QStringLiteral("WatchDownAfter"), 0);
    m_store->WriteProfileInt(section::kWatch, QStringLiteral("WatchRetentionDays"), 9999);
    store("WatchDownAfter", 7); // not the section it is read from
    // Written by hand in another spelling: names are compared without regard to case.
    store("PURGELOG", 7);
    m_store->WriteProfileString(section::kOptions, QStringLiteral("log string"), QStringLiteral("a.rtf"));
    const OptionSet loaded = LoadSettings(*m_store).options;
    EXPECT_EQ(loaded.number(ListScanTimeout20), 99);
    EXPECT_EQ(loaded.number(SeqScanTimeout20), 1);
    EXPECT_EQ(loaded.number(Packets), 5000);
    EXPECT_EQ(loaded.number(ISPInterval), 999);
    EXPECT_EQ(loaded.number(Hops), 1);
    EXPECT_EQ(loaded.number(Beep), 1);
    EXPECT_EQ(loaded.number(Verbose), 2) << "a yes/no number is held as stored";
    EXPECT_EQ(loaded.number(AddressFamily), 4);
    EXPECT_EQ(loaded.number(PreciseTimes), 1) << "a flag: any number but 0 is on";
    EXPECT_EQ(loaded.number(Timeout), 5) << "a text where a number belongs reads as the default";
    EXPECT_EQ(loaded.number(PurgeLog), 7);
    EXPECT_EQ(loaded.text(LogString), QStringLiteral("a.rtf"));
    EXPECT_EQ(loaded.number(WatchDownAfter), 1);
    EXPECT_EQ(loaded.number(WatchRetentionDays), 3650);
}

TEST_F(SettingsModelTest, SavedListsLoadInStoreOrderUpToANameOfAHundredCharacters) {
    const QString hosts = section::kListScanHosts;
    m_store->WriteProfileString(hosts, QStringLiteral("zulu.example"), QStringLiteral("zulu.example"));
    m_store->WriteProfileString(hosts, QString(99, QLatin1Char('a')), QStringLiteral("ninety-nine"));
    m_store->WriteProfileString(hosts, QStringLiteral("Alpha.example"), QStringLiteral("Alpha.example"));
    m_store->WriteProfileString(hosts, QString(100, QLatin1Char('b')), QStringLiteral("hundred"));
    m_store->WriteProfileString(hosts, QStringLiteral("after"), QStringLiteral("after"));
    EXPECT_EQ(LoadSettings(*m_store).listScanAddresses,
              (QStringList{"zulu.example", "ninety-nine", "Alpha.example"}));

    store("ListScanAutoSort", 1);
    EXPECT_EQ(LoadSettings(*m_store).listScanAddresses,
              (QStringList{"Alpha.example", "ninety-nine", "zulu.example"}));

    for (const char* group : {"lab", "Core", "edge"})
        m_store->WriteProfileString(section::kSeqScan, QString::fromLatin1(group),
                                    QString::fromLatin1(group));
    m_store->WriteProfileString(QStringLiteral("SeqScan\\lab"), QStringLiteral("START1"),
                                QStringLiteral("10"));
    EXPECT_EQ(LoadSettings(*m_store).seqScanGroups, (QStringList{"lab", "Core", "edge"}));
    store("SeqScanAutoSort", 2); // sorted only when it is exactly 1
    EXPECT_EQ(LoadSettings(*m_store).seqScanGroups, (QStringList{"lab", "Core", "edge"}));
    store("SeqScanAutoSort", 1);
    EXPECT_EQ(LoadSettings(*m_store).seqScanGroups, (QStringList{"Core", "edge", "lab"}));
}

TEST_F(SettingsModelTest, ListScanAddressEditsChangeTheListAndTheStoreTogetherOrNeither) {
    m_store->WriteProfileString(section::kListScanHosts, QStringLiteral("beta"), QStringLiteral("beta"));
    ListScanAddressList list(*m_store, LoadSettings(*m_store).listScanAddresses);
    enum Op { AddOrDelete, Add, Delete };
    struct Edit {
        Op op;
        QString text;
        bool sorted;
        AddressEdit result;
        QStringList entries; // the list afterwards, which the store loads back in its own order
    };
    const QString longest(ListScanAddressList::kLongestAddress, QLatin1Char('a'));
    const Edit edits[] = {
        {AddOrDelete, QStringLiteral(" gamma "), false, AddressEdit::Added, {"beta", " gamma "}},
        // Sorted without regard to case, the blanks kept.
        {AddOrDelete, QStringLiteral("Alpha"), true, AddressEdit::Added, {" gamma ", "Alpha", "beta"}},
        {AddOrDelete, QStringLiteral("BETA"), false, AddressEdit::CaseTwin, {" gamma ", "Alpha", "beta"}},
        {AddOrDelete, QString(), false, AddressEdit::Empty, {" gamma ", "Alpha", "beta"}},
        {Add, longest + QLatin1Char('a'), false, AddressEdit::TooLong, {" gamma ", "Alpha", "beta"}},
        {Add,
         QStringLiteral("10.0.0.1\n10.0.0.2"),
         false,
         AddressEdit::ControlCharacter,
         {" gamma ", "Alpha", "beta"}},
        {Add, longest, false, AddressEdit::Added, {" gamma ", "Alpha", "beta", longest}},
        {Add,
         QStringLiteral("beta"),
         false,
         AddressEdit::AlreadyListed,
         {" gamma ", "Alpha", "beta", longest}},
        {Delete,
         QStringLiteral("gamma"),
         false,
         AddressEdit::NotListed,
         {" gamma ", "Alpha", "beta", longest}},
        {AddOrDelete, QStringLiteral("beta"), false, AddressEdit::Deleted, {" gamma ", "Alpha", longest}},
        {Delete, QStringLiteral("alpha"), false, AddressEdit::NotListed, {" gamma ", "Alpha", longest}},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.text.toStdString());
        const AddressEdit result = edit.op == Add      ? list.add(edit.text, edit.sorted)
                                   : edit.op == Delete ? list.remove(edit.text, edit.sorted)
                                                       : list.addOrDelete(edit.text, edit.sorted);
        EXPECT_EQ(result, edit.result);
        EXPECT_EQ(list.entries(), edit.entries);
        QStringList stored = LoadSettings(*m_store).listScanAddresses;
        sortListEntries(stored);
        QStringList expected = edit.entries;
        sortListEntries(expected);
        EXPECT_EQ(stored, expected);
    }
    EXPECT_EQ(list.caseTwin(QStringLiteral("ALPHA")), QStringLiteral("Alpha"));
}

TEST_F(SettingsModelTest, SortAndAutoSortShareOneBox) {
    store("Sort", 1);
    store("AutoSort", 0);
    OptionSet loaded = LoadSettings(*m_store).options;
    EXPECT_EQ(loaded.number(Sort), 1) << "the run keeps the Sort value it started with";
    EXPECT_EQ(loaded.number(AutoSort), 0);

    SaveSettings(*m_store, loaded);
    EXPECT_EQ(m_store->GetProfileInt(section::kOptions, QStringLiteral("Sort"), -1), 0);

    loaded.setNumber(AutoSort, 1);
    SaveSettings(*m_store, loaded);
    EXPECT_EQ(m_store->GetProfileInt(section::kOptions, QStringLiteral("Sort"), -1), 1);
    EXPECT_EQ(m_store->GetProfileInt(section::kOptions, QStringLiteral("AutoSort"), -1), 1);
}

TEST_F(SettingsModelTest, SavedOptionsLoadBackAsTheyWereShown) {
    OptionSet shown = OptionSet::defaults();
    shown.setNumber(Packets, 12);
    shown.setText(PingString, QStringLiteral("{data} with \\ and ü"));
    shown.setText(SeqScanStart1, QStringLiteral("192"));
    shown.setNumber(SeqDNS, 3);  // saved from the frame's field as it is
    shown.setNumber(Verbose, 2); // saved from its check box: checked
    shown.setNumber(LogCheck, 1);
    shown.setNumber(AddressFamily, 2);
    shown.setNumber(PreciseTimes, 1);
    shown.setNumber(WatchDownAfter, 5);
    shown.setNumber(WatchRetentionDays, 7);
    SaveSettings(*m_store, shown);

    EXPECT_EQ(m_store->valueNames(section::kOptions).size(), qsizetype(kOptionCount) - 2);
    EXPECT_EQ(m_store->valueNames(section::kWatch),
              (QStringList{QStringLiteral("WatchDownAfter"), QStringLiteral("WatchRetentionDays")}));
    EXPECT_EQ(m_store->valueNames(section::kOptions).first(), QStringLiteral("Ping String"));
    const OptionSet loaded = LoadSettings(*m_store).options;
    OptionSet expected = shown;
    expected.setNumber(Verbose, 1);
    EXPECT_EQ(loaded, expected);
}

TEST_F(SettingsModelTest, SeqScanGroupsAreStoredAtOnceOneSectionEachAndComeBackAtTheNextLoad) {
    SeqScanGroups groups(*m_store, LoadSettings(*m_store).seqScanGroups, true);
    SeqScanOctets lab;
    lab.texts = {"192", "168", "1", "250", "2", "3"};
    ASSERT_EQ(groups.add(QStringLiteral("lab"), lab), SeqScanGroups::AddResult::Added);
    ASSERT_EQ(groups.add(QStringLiteral("Core"), SeqScanOctets{{"10", "0", "0", "0", "0", "255"}}),
              SeqScanGroups::AddResult::Added);
    EXPECT_EQ(groups.names(), (QStringList{"Core", "lab"}));
    EXPECT_EQ(m_store->valueNames(section::kSeqScan), (QStringList{"lab", "Core"}));
    EXPECT_EQ(m_store->GetProfileString(section::kSeqScan, QStringLiteral("lab")), QStringLiteral("lab"));
    EXPECT_EQ(m_store->valueNames(QStringLiteral("SeqScan\\lab")),
              (QStringList{"START1", "START2", "START3", "START4", "END3", "END4"}));
    EXPECT_EQ(m_store->GetProfileString(QStringLiteral("SeqScan\\lab"), QStringLiteral("START4")),
              QStringLiteral("250"));

    // Names the store could not keep apart, or not keep at all, are refused and nothing is written.
    EXPECT_EQ(groups.add(QStringLiteral("LAB"), SeqScanOctets{}), SeqScanGroups::AddResult::NameTaken);
    EXPECT_EQ(groups.nameTaken(QStringLiteral("LAB")), QStringLiteral("lab"));
    EXPECT_EQ(groups.add(QStringLiteral("a\\b"), lab), SeqScanGroups::AddResult::Backslash);
    EXPECT_EQ(groups.add(QString(100, QLatin1Char('n')), lab), SeqScanGroups::AddResult::TooLong);
    EXPECT_EQ(groups.add(QStringLiteral("new\nline"), lab), SeqScanGroups::AddResult::ControlCharacter);
    EXPECT_EQ(groups.octets(QStringLiteral("lab")), lab);
    EXPECT_EQ(m_store->subKeyNames(section::kSeqScan), (QStringList{"lab", "Core"}));

    SeqScanGroups reloaded(*m_store, LoadSettings(*m_store).seqScanGroups, false);
    EXPECT_EQ(reloaded.names(), (QStringList{"lab", "Core"}));
    EXPECT_EQ(reloaded.remove(QStringLiteral("LAB")), SeqScanGroups::RemoveResult::NotListed)
        << "deleting takes the exact name";
    EXPECT_EQ(reloaded.remove(QStringLiteral("lab")), SeqScanGroups::RemoveResult::Removed);
    EXPECT_EQ(reloaded.names(), QStringList{"Core"});
    EXPECT_FALSE(m_store->keyExists(QStringLiteral("SeqScan\\lab")));
    EXPECT_EQ(reloaded.octets(QStringLiteral("lab")), SeqScanOctets{});
    EXPECT_EQ(LoadSettings(*m_store).seqScanGroups, QStringList{"Core"});
}

} // namespace
} // namespace vantrel::settings
