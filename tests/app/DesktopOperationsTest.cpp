#include "app/DesktopOperations.h"

#include "FrameFixture.h"
#include "commands/CommandIds.h"
#include "history/HistoryDatabase.h"
#include "log/ResultLog.h"
#include "net/IpStatus.h"
#include "settings/WatchList.h"
#include "support/DataHome.h"
#include "support/FakeHostDatabase.h"
#include "support/FakeIcmpNetwork.h"
#include "ui/BalloonTip.h"
#include "ui/CNxISPingerOptionsPaneDialog.h"
#include "ui/CNxListScanOptionsPaneDialog.h"
#include "ui/CNxPingOptionsPaneDialog.h"
#include "ui/CNxSeqScanOptionsPaneDialog.h"
#include "ui/CStatusViewPane.h"
#include "ui/EntryListEditor.h"
#include "ui/HostComboBox.h"
#include "ui/NumberBox.h"
#include "ui/PathMonitorPane.h"
#include "ui/ResultsTextView.h"
#include "ui/RoundTripHistory.h"
#include "ui/RoundTripPlot.h"
#include "ui/StatusPane.h"
#include "ui/SystemTray.h"
#include "ui/WatchPane.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QSystemTrayIcon>
#include <QTableWidget>
#include <QTest>
#include <QTextCursor>
#include <QTreeWidget>
#include <QUrl>
#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

namespace vantrel::app::testing {
namespace {

using test::address;

class DesktopOperationsTest : public OperationsFrameFixture {
protected:
    void SetUp() override {
        names->addHost({"box.test", {}, {address("10.0.0.5"), address("10.0.0.6"), address("10.0.0.7")}});
        FrameFixture::SetUp();
        operations->start();
        frame->RefreshCommandUI();
    }
    void runUntil(const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    // Each request takes a while, so that an operation is still running when the test looks at it (its
    // worker never waits for the window).
    void slowRequests() {
        network.onRequest([](const test::FakeIcmpNetwork::SentRequest&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        });
    }
    // Until every operation has ended and the rows its workers handed over are shown, as at an end.
    void runUntilIdle() {
        runUntil([&] { return !frame->flags().anyBusy(); });
        operations->control().drainWorkerQueue();
    }
    QString results() const { return frame->resultsPane().view().toPlainText(); }
};

// A host added in the Watch List pane is probed while the Watch button is on, beside a ping; its changes
// and the watch's start and end are written to the Results window, its probes to the history.
TEST_F(DesktopOperationsTest, TheWatchListRunsBesideTheOperationsAndTellsEachChange) {
    const test::DataHome data;
    network.setDefaultAnswer(test::FakeIcmpNetwork::echoReply(address("10.0.0.1"), 2));
    ui::WatchPane& pane = frame->watchPane();
    pane.hostField()->setText(QStringLiteral("10.0.0.1"));
    pane.nameField()->setText(QStringLiteral("gw"));
    pane.intervalBox()->setValue(1);
    pane.lossBox()->setValue(20);
    pane.addButton()->click();
    ASSERT_EQ(pane.table()->rowCount(), 1);
    // The selected host's limits changed with Set; its name stays.
    pane.table()->selectRow(0);
    pane.roundTripBox()->setValue(300);
    pane.setButton()->click();
    const settings::WatchEntry stored = settings::WatchList(frame->store()).load().at(0);
    EXPECT_EQ(stored.name, QStringLiteral("gw"));
    EXPECT_EQ(stored.degradedLossPercent, 20);
    EXPECT_EQ(stored.degradedRoundTripMs, 300);
    pane.watchButton()->click();
    const auto state = [&] { return pane.table()->item(0, ui::WatchPane::kState)->text(); };
    runUntil([&] { return state() == QLatin1String("up"); });
    EXPECT_EQ(state(), QStringLiteral("up"));
    frame->putHostAtStart(QStringLiteral("10.0.0.1"));
    frame->commands().trigger(400);
    runUntilIdle();
    EXPECT_TRUE(results().contains(QStringLiteral("Ping Successful")));
    EXPECT_TRUE(settings::WatchList(frame->store()).watching());
    pane.watchButton()->click();
    EXPECT_FALSE(settings::WatchList(frame->store()).watching());
    const QString shown = results();
    EXPECT_TRUE(shown.contains(QStringLiteral("Starting Watch - ")));
    EXPECT_TRUE(shown.contains(QStringLiteral("10.0.0.1 (gw) is up - ")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Watch ended - ")));
    EXPECT_TRUE(QFile::exists(data.filePath(QStringLiteral("history.sqlite"))));
}

// A minute of the history summed with one probe of six lost is marked on the week's plot.
TEST_F(DesktopOperationsTest, TheWatchPlotMarksLossesInMinutesSummedLongAgo) {
    const test::DataHome data;
    ASSERT_TRUE(QDir().mkpath(data.folder()));
    {
        QString error;
        const auto history =
            history::HistoryDatabase::open(data.filePath(QStringLiteral("history.sqlite")), error);
        ASSERT_TRUE(history) << error.toStdString();
        const std::int64_t minute = (QDateTime::currentMSecsSinceEpoch() - 2 * 86'400'000) / 60'000 * 60'000;
        std::vector<history::ProbeSample> probes;
        for (int i = 0; i < 6; ++i)
            probes.push_back({minute + i * 10'000, QStringLiteral("10.0.0.1"),
                              i == 3 ? std::nullopt : std::optional<std::int64_t>(2000)});
        ASSERT_TRUE(history->write(probes, {}));
        ASSERT_TRUE(history->compact(QDateTime::currentMSecsSinceEpoch(), std::chrono::hours(24 * 30)));
    }
    network.setDefaultAnswer(test::FakeIcmpNetwork::echoReply(address("10.0.0.1"), 2));
    ui::WatchPane& pane = frame->watchPane();
    pane.hostField()->setText(QStringLiteral("10.0.0.1"));
    pane.addButton()->click();
    pane.watchButton()->click();
    pane.table()->selectRow(0);
    pane.findChild<QComboBox*>()->setCurrentIndex(2); // the last week
    EXPECT_EQ(pane.plot()->lostCount(), 1u);
    const auto buckets = pane.plot()->history().buckets();
    ASSERT_FALSE(buckets.empty());
    EXPECT_TRUE(buckets.front().answered);
    EXPECT_TRUE(buckets.front().lostX.has_value());
    pane.watchButton()->click();
}

TEST_F(DesktopOperationsTest, TheBannerAndTheStartUpReportOpenTheResults) {
    EXPECT_TRUE(results().startsWith(QStringLiteral("Vantrel 2.0")));
    EXPECT_TRUE(results().contains(QStringLiteral("started OK.")));
    EXPECT_TRUE(frame->status().get().contains(QStringLiteral("started OK.")));
    operations->control().StartLocalHostLookup(QStringLiteral("box.test"));
    runUntil([&] { return frame->windowTitle().contains(QStringLiteral("Local Host Name")); });
    EXPECT_EQ(frame->windowTitle(),
              QStringLiteral("Vantrel 2.0    Local Host Name:  box.test   Local IP Address:  10.0.0.5"));
    EXPECT_EQ(results().count(QStringLiteral("Additional Local IP address")), 2);
}

TEST_F(DesktopOperationsTest, ThePingButtonPingsTheHostBoxAndTheRowsReachTheResultsAndTheLog) {
    frame->options().setNumber(settings::OptionId::Packets, 2);
    network.reply(address("10.0.0.1"), 4);
    network.reply(address("10.0.0.1"), 6);
    slowRequests();
    frame->putHostAtStart(QStringLiteral("10.0.0.1"));
    frame->resultLog().ToggleLogging();
    frame->commands().trigger(400);
    EXPECT_EQ(frame->commands().action(400)->text(), QStringLiteral("       Cancel       "));
    runUntilIdle();
    runUntil([&] { return results().contains(QStringLiteral("Round Trip Time")); });

    EXPECT_TRUE(results().contains(QStringLiteral("Starting ping to 10.0.0.1")));
    EXPECT_TRUE(results().contains(QStringLiteral("Ping Successful")));
    EXPECT_TRUE(
        results().contains(QStringLiteral("2 of 2 packets returned successfully : 0.0% PACKET LOSS")));
    frame->RefreshCommandUI();
    EXPECT_EQ(frame->status().get(), QStringLiteral("Ready"));
    EXPECT_EQ(frame->commands().action(400)->text(), QStringLiteral("         Ping         "));

    QFile log(logPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray rtf = log.readAll();
    EXPECT_TRUE(rtf.contains("Ping Successful"));
    EXPECT_TRUE(rtf.endsWith("}"));
}

TEST_F(DesktopOperationsTest, ClosingDuringAPingWaitsForTheWorkerAndSavesNothingHalfWay) {
    frame->options().setNumber(settings::OptionId::Packets, 50);
    test::FakeIcmpNetwork::Answer answer;
    answer.from = address("10.0.0.1");
    answer.roundTripMs = 1;
    network.setDefaultAnswer(answer);
    slowRequests();
    frame->putHostAtStart(QStringLiteral("10.0.0.1"));
    frame->commands().trigger(400);
    ASSERT_TRUE(bool(frame->flags().m_bPing));
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->flags().anyBusy());
    EXPECT_TRUE(results().contains(QStringLiteral("Exiting...Shutting down ping operation first...")));
    EXPECT_FALSE(results().contains(QStringLiteral("PACKET LOSS")))
        << "no statistics while the program exits";
    EXPECT_EQ(network.openHandles(), 0u);
}

TEST_F(DesktopOperationsTest, EnterStartsAPingAndEnterAgainCancelsIt) {
    frame->options().setNumber(settings::OptionId::Packets, 50);
    test::FakeIcmpNetwork::Answer answer;
    answer.from = address("10.0.0.1");
    network.setDefaultAnswer(answer);
    slowRequests(); // the ping is still running when Enter comes again
    frame->putHostAtStart(QStringLiteral("10.0.0.1"));
    QLineEdit* hostEdit = frame->hostBox()->lineEdit();

    QTest::keyClick(hostEdit, Qt::Key_Return);
    ASSERT_TRUE(bool(frame->flags().m_bPing));
    frame->RefreshCommandUI();
    EXPECT_EQ(frame->commands().action(400)->text(), QStringLiteral("       Cancel       "));
    EXPECT_EQ(frame->commands().action(11000)->text(), QStringLiteral("Cancel Ping"));

    QTest::keyClick(hostEdit, Qt::Key_Return);
    runUntilIdle();
    EXPECT_TRUE(results().contains(QStringLiteral("Ping canceled")));
    EXPECT_LE(results().count(QStringLiteral("10.0.0.1")), 3) << "the start line and a row or two";
    frame->RefreshCommandUI();
    EXPECT_EQ(frame->status().get(), QStringLiteral("Ready"));
    EXPECT_EQ(frame->commands().action(400)->text(), QStringLiteral("         Ping         "));
    EXPECT_EQ(network.openHandles(), 0u);
}

TEST_F(DesktopOperationsTest, WhatThePingPaneSetsReachesTheNextPingAndTheNextStart) {
    auto typeInto = [](QWidget* box, const QString& text) {
        auto* edit = qobject_cast<QLineEdit*>(box);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    };
    auto pingOnce = [&] {
        const std::size_t before = network.sent().size();
        frame->putHostAtStart(QStringLiteral("10.0.0.1"));
        frame->commands().trigger(400);
        runUntilIdle();
        const std::vector<test::FakeIcmpNetwork::SentRequest> all = network.sent();
        return std::vector(all.begin() + std::ptrdiff_t(before), all.end());
    };
    ui::CNxPingOptionsPaneDialog* pane = frame->pingOptionsPane();
    typeInto(pane->control(1088), QStringLiteral("2"));
    typeInto(pane->control(1010), QStringLiteral("1"));
    pane->checkBox(1038)->click(); // Don't Fragment takes effect at the next start
    std::vector<test::FakeIcmpNetwork::SentRequest> sent = pingOnce();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].timeoutMs, 1000u);
    EXPECT_FALSE(sent[0].dontFragment);

    // A restart shows what the panes held and uses it.
    reopen();
    operations->start();
    pane = frame->pingOptionsPane();
    EXPECT_EQ(qobject_cast<QLineEdit*>(pane->control(1088))->text(), QStringLiteral("2"));
    EXPECT_TRUE(pane->checkBox(1038)->isChecked());
    sent = pingOnce();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(sent[0].dontFragment);
}

TEST_F(DesktopOperationsTest, OnlyTheOperationsThatRunAreEnabled) {
    for (ops::CommandId runs :
         {ops::CommandId::PingButton, ops::CommandId::LookupMenu, ops::CommandId::TraceButton,
          ops::CommandId::SeqScanMenu, ops::CommandId::ListScanMenu})
        EXPECT_TRUE(frame->commands().action(int(runs))->isEnabled()) << int(runs);
    // The SeqScan button waits for a range, the ListScan button for an address list.
    for (ops::CommandId pending : {ops::CommandId::SeqScanButton, ops::CommandId::ListScanButton})
        EXPECT_FALSE(frame->commands().action(int(pending))->isEnabled()) << int(pending);
    // The SeqScan button waits for all six octet fields; the menu item does not look at them.
    EXPECT_FALSE(frame->commands().action(int(ops::CommandId::SeqScanButton))->isEnabled());
    for (settings::OptionId octet : {settings::OptionId::SeqScanStart1, settings::OptionId::SeqScanStart2,
                                     settings::OptionId::SeqScanStart3, settings::OptionId::SeqScanStart4,
                                     settings::OptionId::SeqScanEnd3, settings::OptionId::SeqScanEnd4})
        frame->options().setText(octet, QStringLiteral("1"));
    frame->RefreshCommandUI();
    EXPECT_TRUE(frame->commands().action(int(ops::CommandId::SeqScanButton))->isEnabled());
}

TEST_F(DesktopOperationsTest, TheSeqScanPaneCorrectsItsFieldsAndSavesLoadsAndScansAGroup) {
    ui::CNxSeqScanOptionsPaneDialog* pane = frame->seqScanPane();
    auto type = [&](int id, const QString& text) {
        QLineEdit* field = pane->octetField(id);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    };
    type(1119, QStringLiteral("10"));
    type(1120, QStringLiteral("0"));
    type(1121, QStringLiteral("07"));  // the leading zero goes, with a word why
    type(1122, QStringLiteral("300")); // cut to its first two digits
    type(1123, QStringLiteral("7"));
    type(1124, QStringLiteral("31"));
    EXPECT_EQ(pane->octetField(1121)->text(), QStringLiteral("7"));
    EXPECT_EQ(pane->octetField(1122)->text(), QStringLiteral("30"));
    EXPECT_EQ(pane->octetField(1125)->text(), QStringLiteral("0"));
    EXPECT_EQ(frame->options().text(settings::OptionId::SeqScanStart4), QStringLiteral("30"));
    ui::EntryListEditor* groups = pane->groupList();
    groups->field()->setText(QStringLiteral("la\\b"));
    EXPECT_EQ(groups->field()->text(), QStringLiteral("lab")) << "no backslash in a group's name";
    groups->button()->click();
    ASSERT_EQ(groups->entries(), QStringList{QStringLiteral("lab")});
    // The parallel probes show on both scan panes: typed in one, the other follows.
    const int parallelId = settings::optionSpec(settings::OptionId::ParallelProbes).controlId;
    pane->numberBox(parallelId)->lineEdit()->selectAll();
    QTest::keyClicks(pane->numberBox(parallelId)->lineEdit(), QStringLiteral("16"));
    EXPECT_EQ(frame->optionPane(cmd::kListScanOptions)->numberBox(parallelId)->text(), QStringLiteral("16"));
    EXPECT_EQ(frame->options().number(settings::OptionId::ParallelProbes), 16);

    reopen();
    EXPECT_EQ(frame->optionPane(cmd::kListScanOptions)->numberBox(parallelId)->text(), QStringLiteral("16"));
    pane = frame->seqScanPane();
    groups = pane->groupList();
    for (int id : {1119, 1120, 1121, 1122, 1123, 1124})
        pane->octetField(id)->clear();
    network.reply(address("10.0.7.31"), 2, 64, address("10.0.7.31"));
    // A double click on the group: its item current, then the list's double-click signal.
    QTreeWidget* list = groups->list();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    list->setCurrentItem(list->topLevelItem(0));
    emit list->itemDoubleClicked(list->topLevelItem(0), 0);
    EXPECT_EQ(pane->octetField(1122)->text(), QStringLiteral("30"));
    runUntilIdle();
    const QString scanned = results();
    EXPECT_TRUE(scanned.contains(QStringLiteral("10.0.7.30"))) << scanned.toStdString();
    EXPECT_TRUE(scanned.contains(QStringLiteral("Sequence Scan ended")));
}

TEST_F(DesktopOperationsTest, AClickedGroupAndTheOneADeleteSelectsLoadExactlyTheirRanges) {
    ui::CNxSeqScanOptionsPaneDialog* pane = frame->seqScanPane();
    const std::array ids{1119, 1120, 1121, 1122, 1123, 1124};
    const auto shown = [&] {
        QStringList texts;
        for (int id : ids)
            texts.append(pane->octetField(id)->text());
        return texts;
    };
    ui::EntryListEditor* groups = pane->groupList();
    // The end first, so that no start is typed above the end shown before it.
    const auto save = [&](const QString& name, const QStringList& octets) {
        for (int i : {0, 1, 4, 5, 2, 3})
            pane->octetField(ids[std::size_t(i)])->setText(octets[i]);
        ASSERT_EQ(shown(), octets);
        groups->field()->setText(name);
        groups->button()->click();
    };
    const QStringList low{"10", "0", "1", "10", "1", "20"};
    const QStringList high{"10", "0", "1", "30", "1", "40"};
    save(QStringLiteral("A"), low);
    save(QStringLiteral("M"), low);
    save(QStringLiteral("Z"), high);
    ASSERT_EQ(groups->entries(), QStringList({"A", "M", "Z"}));
    const auto click = [&](int row) {
        QTreeWidgetItem* item = groups->list()->topLevelItem(row);
        groups->list()->setCurrentItem(item);
        emit groups->list()->itemClicked(item, 0);
    };
    click(0);
    EXPECT_EQ(shown(), low);
    click(2);
    EXPECT_EQ(shown(), high) << "not held against the end octets of the range shown before";
    click(0);
    groups->field()->setText(QStringLiteral("M"));
    ASSERT_EQ(groups->button()->text(), QStringLiteral("Delete Group"));
    groups->button()->click();
    EXPECT_EQ(groups->field()->text(), QStringLiteral("Z")) << "the group now in its place";
    EXPECT_EQ(shown(), high);
}

TEST_F(DesktopOperationsTest, TheListScanButtonScansTheListAsShownAndCancelsTheScan) {
    auto listEditor = [this] {
        return qobject_cast<ui::CNxListScanOptionsPaneDialog*>(frame->optionPane(cmd::kListScanOptions))
            ->addressList();
    };
    auto press = [&](const QString& text) {
        listEditor()->field()->setText(text);
        listEditor()->button()->click();
    };
    press(QStringLiteral("box.test"));
    press(QStringLiteral("gone.test"));
    press(QStringLiteral("10.0.0.1"));
    press(QStringLiteral("BOX.test"));
    EXPECT_EQ(boxes.value(0), QStringLiteral("Input Error: The ListScan addresses already hold \"box.test\", "
                                             "which differs from this address only in case."));
    listEditor()->field()->setText(QStringLiteral("gone.test"));
    EXPECT_EQ(listEditor()->button()->text(), QStringLiteral("Delete Address"));
    listEditor()->button()->click();
    reopen(); // the list is loaded at start
    ASSERT_EQ(frame->listScanAddresses(), QStringList({"box.test", "10.0.0.1"}));
    frame->RefreshCommandUI();
    network.reply(address("10.0.0.1"), 3, 64, address("10.0.0.1"));
    network.reply(address("10.0.0.5"), 4, 64, address("10.0.0.5"));
    ASSERT_TRUE(frame->commands().trigger(cmd::kListScanButton));
    runUntilIdle();
    const QString scanned = results();
    EXPECT_LT(scanned.indexOf(QStringLiteral(" 10.0.0.5\t 4\t box.test")),
              scanned.indexOf(QStringLiteral(" 10.0.0.1\t 3")))
        << scanned.toStdString();
    EXPECT_TRUE(results().contains(QStringLiteral("ListScan ended - ")));

    // The cancel comes while the first host's request is out.
    slowRequests();
    ASSERT_TRUE(frame->commands().trigger(cmd::kListScanButton));
    frame->RefreshCommandUI();
    EXPECT_EQ(frame->commands().action(cmd::kListScanButton)->text(), QStringLiteral("      Cancel        "));
    EXPECT_EQ(frame->commands().action(cmd::kListScanMenu)->text(), QStringLiteral("Cancel ListScan"));
    ASSERT_TRUE(frame->commands().trigger(cmd::kListScanMenu));
    EXPECT_EQ(frame->status().get(), QStringLiteral("Cancelling ListScan..."));
    runUntilIdle();
    EXPECT_TRUE(results().contains(QStringLiteral("ListScan canceled - ")));
    frame->RefreshCommandUI();
    EXPECT_EQ(frame->status().get(), QStringLiteral("Ready"));
    EXPECT_EQ(frame->commands().action(cmd::kListScanButton)->text(), QStringLiteral("      ListScan      "));
    EXPECT_EQ(network.openHandles(), 0u);
}

TEST_F(DesktopOperationsTest, TheHelpMenuGivesTheWinsockReportAndSaysWhenTheManualIsMissing) {
    ASSERT_TRUE(frame->commands().trigger(11019));
    EXPECT_TRUE(results().contains(QStringLiteral("Winsock Information")));
    EXPECT_TRUE(results().contains(QStringLiteral("Maximum datagram packet size: 65507")));

    // The test's home folder has no manual.
    ASSERT_TRUE(frame->commands().trigger(57667));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(
        boxes[0].startsWith(QStringLiteral("Help Error: The manual \"Vantrel.html\" could not be opened")));

    // Without a browser or mail program a link says so, with its address: from the menu and from a click
    // on a link in the Results window.
    const QStringList& opened = dialogs.opened;
    ASSERT_TRUE(frame->commands().trigger(11020));
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1],
              QStringLiteral("Link Error: The address https://www.quenlo.example/vantrel could not be "
                             "opened: no web browser or mail program is set up on this desktop."));
    ui::ResultsTextView& view = frame->resultsPane().view();
    view.endFrame();
    QTextCursor link(view.document());
    while (!link.atEnd() && !link.charFormat().isAnchor())
        link.movePosition(QTextCursor::NextCharacter);
    link.movePosition(QTextCursor::NextCharacter);
    ASSERT_TRUE(link.charFormat().isAnchor());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.cursorRect(link).center());
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_TRUE(boxes[2].contains(opened.last())) << boxes[2].toStdString();
    EXPECT_TRUE(opened.last().startsWith(QStringLiteral("http"))) << opened.last().toStdString();
}

// ISPinger from its button beside a ping, its rate in pane 901 and its flash in pane 902; the window
// goes to the tray, where the icon and tooltip follow ISPinger's steps and the menu stops it, and comes
// back maximised as it went; closing stops it with its line.
// The plot shows the run that started last: a ping's requests with the lost one, a new ping afresh, and
// ISPinger's requests once it starts, without the ping's that run beside it.
TEST_F(DesktopOperationsTest, TheRoundTripPlotFollowsTheRunThatStartedLastAndCopiesAsAnImage) {
    ui::RoundTripPlot& plot = frame->roundTripPlot();
    frame->commands().trigger(cmd::kRoundTripPlotPane);
    EXPECT_TRUE(frame->pane(cmd::kRoundTripPlotPane)->isVisible());
    frame->options().setNumber(settings::OptionId::Packets, 3);
    network.reply(address("10.0.0.1"), 4);
    network.fail(net::IP_REQ_TIMED_OUT);
    network.reply(address("10.0.0.1"), 8);
    frame->putHostAtStart(QStringLiteral("10.0.0.1"));
    const auto ping = [&] {
        frame->commands().trigger(cmd::kPingButton);
        runUntilIdle();
        QCoreApplication::processEvents();
    };
    ping();
    EXPECT_EQ(plot.sampleCount(), 3u);
    EXPECT_EQ(plot.lostCount(), 1u);
    EXPECT_EQ(std::tuple(*plot.minimum(), *plot.average(), *plot.maximum()), std::tuple(4.0, 6.0, 8.0));
    plot.copyImage();
    EXPECT_EQ(QApplication::clipboard()->image().size(), plot.size());

    network.reply(address("10.0.0.1"), 2);
    frame->options().setNumber(settings::OptionId::Packets, 1);
    ping();
    EXPECT_EQ(plot.sampleCount(), 1u) << "the last run stays until the next one starts";

    ops::ISPinger& isp = operations->ispinger();
    isp.setSecondLength(std::chrono::hours(1));
    frame->options().setText(settings::OptionId::ISPAddress, QStringLiteral("10.0.0.9"));
    network.setDefaultAnswer(test::FakeIcmpNetwork::echoReply(address("10.0.0.9"), 3));
    isp.OnISPinger();
    runUntil([&] { return isp.sent() == 1 && !isp.requestRunning(); });
    EXPECT_EQ(plot.sampleCount(), 1u) << "ISPinger took the plot over";
    frame->options().setNumber(settings::OptionId::Packets, 2);
    ping();
    EXPECT_EQ(plot.sampleCount(), 2u) << "and the ping that started then";
    isp.OnTimer(ops::TIMER_ISPINGER_REQUEST);
    runUntil([&] { return isp.sent() == 2 && !isp.requestRunning(); });
    EXPECT_EQ(plot.sampleCount(), 2u) << "ISPinger's requests stay out of the ping's plot";
    isp.OnISPinger();
}

// Ctrl+M starts the path monitor on the host box's host: its pane comes up with a row per hop updated
// as rounds go by, the hop selected there is drawn in the plot, and Ctrl+M again stops it with its report.
TEST_F(DesktopOperationsTest, ThePathMonitorFillsItsPaneFeedsThePlotAndReportsAtTheStop) {
    frame->options().setNumber(settings::OptionId::PathMonitorInterval, 1);
    network.onRequest([this](const test::FakeIcmpNetwork::SentRequest& request) {
        if (request.ttl == 1)
            network.error(address("10.0.0.254"), net::IP_TTL_EXPIRED_TRANSIT, 1);
        else
            network.reply(address("10.0.0.1"), 3);
    });
    frame->putHostAtStart(QStringLiteral("10.0.0.1"));
    QTest::keyClick(frame->hostBox(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(frame->commands().action(cmd::kPathMonitorButton)->text().trimmed(), QStringLiteral("Cancel"));
    ui::PathMonitorPane& pane = frame->pathMonitorPane();
    QTableWidget& table = *pane.table();
    const auto sent = [&](int row) { return table.item(row, ui::PathMonitorPane::kSent)->text().toUInt(); };
    runUntil([&] { return table.rowCount() == 2 && sent(1) >= 2; });
    EXPECT_TRUE(frame->pane(cmd::kPathMonitorPane)->isVisible());
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.item(0, ui::PathMonitorPane::kAddress)->text(), QStringLiteral("10.0.0.254"));
    EXPECT_EQ(table.item(1, ui::PathMonitorPane::kAddress)->text(), QStringLiteral("10.0.0.1"));

    ui::RoundTripPlot& plot = frame->roundTripPlot();
    table.selectRow(1);
    runUntil([&] { return plot.sampleCount() >= 2; });
    EXPECT_GE(plot.sampleCount(), 2u);
    EXPECT_EQ(plot.maximum(), std::optional(3.0)) << "the target's hop, not the router's";

    QTest::keyClick(frame->hostBox(), Qt::Key_M, Qt::ControlModifier);
    runUntilIdle();
    QCoreApplication::processEvents();
    EXPECT_TRUE(results().contains(QStringLiteral("Starting path monitor to 10.0.0.1")));
    EXPECT_TRUE(results().contains(QStringLiteral("Path monitor stopped after")));
    EXPECT_TRUE(pane.heading().contains(QStringLiteral("stopped after")));
    EXPECT_EQ(frame->commands().action(cmd::kPathMonitorButton)->text().trimmed(),
              QStringLiteral("Path Monitor"));
}

// A day of requests keeps the plot's memory bounded: neighbouring buckets merge, yet the count, losses and
// times stay exact, and a single spike and a single loss among 100,000 requests are still drawn.
TEST(RoundTripPlotTest, ALongRunStaysBoundedAndStillShowsItsSpikeAndLoss) {
    constexpr int kRequests = 100000;
    constexpr int kSpike = 61234;
    constexpr int kLost = 30000;
    ui::RoundTripPlot plot;
    plot.resize(360, 220);
    plot.startRun(ui::RoundTripPlot::Axis::Packet);
    double sum = 0;
    for (int i = 1; i <= kRequests; ++i) {
        const double rtt = i == kSpike ? 50.0 : 0.25 * (1 + i % 4); // sums exactly in binary
        if (i == kLost) {
            plot.addSample(i, std::nullopt);
            continue;
        }
        sum += rtt;
        plot.addSample(i, rtt);
    }
    const ui::RoundTripHistory& history = plot.history();
    EXPECT_LE(history.buckets().size(), history.capacity());
    EXPECT_EQ(std::tuple(plot.sampleCount(), plot.lostCount()), std::tuple(std::size_t(kRequests), 1u));
    EXPECT_EQ(std::tuple(*plot.minimum(), *plot.average(), *plot.maximum()),
              std::tuple(0.25, sum / (kRequests - 1), 50.0));
    const auto spike = std::ranges::max_element(history.buckets(), {}, &ui::RoundTripHistory::Bucket::maxRtt);
    EXPECT_EQ(spike->maxRtt, 50.0);
    EXPECT_LE(spike->firstX, kSpike);
    EXPECT_GE(spike->lastX, kSpike);
    const auto lost =
        std::ranges::count_if(history.buckets(), [](const auto& bucket) { return bucket.lostX.has_value(); });
    EXPECT_EQ(lost, 1);

    // The spike reaches the upper half (the axis ends at 100 ms), the loss is a red mark, each where it was.
    const QImage image = plot.image();
    std::optional<QPoint> top;
    std::optional<QPoint> red;
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.blue() > colour.red() + 60 && colour.blue() > colour.green() + 60)
                top = QPoint(x, y);
            if (colour.red() > colour.green() + 100 && colour.red() > colour.blue() + 100)
                red = QPoint(x, y);
        }
    ASSERT_TRUE(top && red);
    EXPECT_LT(top->y(), image.height() / 2);
    EXPECT_NEAR(double(top->x()) / image.width(), double(kSpike) / kRequests, 0.1);
    EXPECT_NEAR(double(red->x()) / image.width(), double(kLost) / kRequests, 0.1);
}

// Round trips below a millisecond fill the plot on a microsecond scale, and the last request's dot stays
// inside the frame (the plot's margin, right of it, stays blank).
TEST(RoundTripPlotTest, SubMillisecondTimesFillThePlotAndTheLastSampleStaysInside) {
    ui::RoundTripPlot plot;
    plot.resize(360, 220);
    plot.startRun(ui::RoundTripPlot::Axis::Packet);
    for (int i = 1; i <= 10; ++i)
        plot.addSample(i, i == 10 ? 0.090 : 0.045);
    const QImage image = plot.image();
    int top = image.height();
    int right = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.blue() > colour.red() + 60 && colour.blue() > colour.green() + 60) {
                top = std::min(top, y);
                right = std::max(right, x);
            }
        }
    EXPECT_LT(top, image.height() / 2) << "0.090 ms reaches the upper half";
    EXPECT_LT(right, image.width() - 9) << "the last dot ends inside the frame";
}

// Merged buckets keep their first and last answered times in order, their extremes, their first loss and
// whether the line goes on into their neighbours.
TEST(RoundTripPlotTest, MergedBucketsKeepTheShapeOfTheirRequests) {
    ui::RoundTripHistory history(4);
    const std::array<std::optional<double>, 9> rtts{{std::nullopt, 3, 9, 1, 4, std::nullopt, 2, 5, 7}};
    for (std::size_t i = 0; i < rtts.size(); ++i)
        history.add(double(i + 1), rtts[i]);
    ASSERT_EQ(history.buckets().size(), 3u);
    EXPECT_EQ(history.requestsPerBucket(), 4u);
    const auto shape = [](const ui::RoundTripHistory::Bucket& b) {
        return std::tuple(b.firstX, b.lastX, b.firstRtt, b.lastRtt, b.minRtt, b.maxRtt, b.lostX,
                          b.startsAnswered, b.endsAnswered);
    };
    EXPECT_EQ(shape(history.buckets()[0]), std::tuple(1.0, 4.0, 3.0, 1.0, 1.0, 9.0, 1.0, false, true));
    EXPECT_EQ(shape(history.buckets()[1]), std::tuple(5.0, 8.0, 4.0, 5.0, 2.0, 5.0, 6.0, true, true));
    EXPECT_EQ(shape(history.buckets()[2]),
              std::tuple(9.0, 9.0, 7.0, 7.0, 7.0, 7.0, std::optional<double>(), true, true));
}

TEST_F(DesktopOperationsTest, ISPingerRunsBesideAPingAndTheTrayFollowsIt) {
    ops::ISPinger& isp = operations->ispinger();
    isp.setSecondLength(std::chrono::hours(1)); // the test fires the timers
    auto* pane = qobject_cast<ui::CNxISPingerOptionsPaneDialog*>(frame->optionPane(cmd::kISPingerOptions));
    pane->serverAddressBox()->setText(QStringLiteral("10.0.0.9"));
    test::FakeIcmpNetwork::Answer answer;
    answer.from = address("10.0.0.9");
    network.setDefaultAnswer(answer);
    frame->putHostAtStart(QStringLiteral("10.0.0.9"));
    frame->commands().trigger(cmd::kPingButton);
    ASSERT_TRUE(frame->commands().trigger(cmd::kISPingerButton));
    EXPECT_EQ(frame->commands().action(cmd::kISPingerButton)->text(), QStringLiteral("       Cancel       "));
    EXPECT_TRUE(pane->serverAddressBox()->isReadOnly());
    runUntil([&] { return isp.sent() == 1 && !isp.requestRunning() && !frame->flags().anyBusy(); });
    EXPECT_EQ(frame->statusPane(cmd::kISPingerStatusPane)->text(),
              QStringLiteral("ISPinger: Active - 100% ping success."));
    EXPECT_EQ(frame->statusPane(cmd::kISPingerIndicatorPane)->background(),
              std::optional<QColor>(QColor(0, 0, 255)));

    ui::SystemTray& tray = frame->systemTray();
    tray.setAvailability([] { return true; });
    frame->showMaximized();
    frame->setWindowTitle(QString(140, QLatin1Char('V')));
    frame->commands().trigger(cmd::kSystemTrayMenu);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(tray.icon().toolTip(), QString(127, QLatin1Char('V')));
    const qint64 programIcon = tray.icon().icon().cacheKey();
    isp.OnTimer(ops::TIMER_ISPINGER_REQUEST);
    EXPECT_EQ(tray.icon().toolTip(), QStringLiteral("ISPinger: Active - 100% ping success."));
    EXPECT_NE(tray.icon().icon().cacheKey(), programIcon);
    runUntil([&] { return isp.sent() == 2 && !isp.requestRunning(); });
    isp.OnTimer(ops::TIMER_ISPINGER_INDICATOR);
    EXPECT_EQ(tray.icon().icon().cacheKey(), programIcon);
    EXPECT_EQ(frame->statusPane(cmd::kISPingerIndicatorPane)->background(), std::nullopt);
    EXPECT_EQ(tray.ispingerAction()->text(), QStringLiteral("Stop ISPi&nger"));

    tray.ispingerAction()->trigger();
    EXPECT_EQ(tray.icon().toolTip(), QStringLiteral("ISPinger: Inactive."));
    EXPECT_TRUE(results().contains(QStringLiteral("ISPinger stopped - 100% ping success rate to 10.0.0.9.")));
    EXPECT_FALSE(pane->serverAddressBox()->isReadOnly());
    EXPECT_EQ(tray.ispingerAction()->text(), QStringLiteral("Start ISPi&nger"));
    tray.RestoreFromTray();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_FALSE(tray.isPresent());

    ASSERT_TRUE(frame->commands().trigger(cmd::kISPingerMenu));
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(results().contains(QStringLiteral("Shutting down ISPinger...")));
    EXPECT_EQ(network.openHandles(), 0u);
}

// Without a notification area the window is minimised instead, and the reason said once.
TEST_F(DesktopOperationsTest, WithoutATrayTheWindowIsMinimisedAndTheReasonSaidOnce) {
    ui::SystemTray& tray = frame->systemTray();
    tray.setAvailability([] { return false; });
    frame->commands().trigger(cmd::kSystemTrayButton);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->isMinimized());
    EXPECT_FALSE(tray.isPresent());
    frame->showNormal();
    frame->commands().trigger(cmd::kSystemTrayMenu);
    EXPECT_EQ(boxes.filter(QStringLiteral("no system tray")).size(), 1) << boxes.join(u'\n').toStdString();
}

// An empty host is an input error: a balloon on the host box while the stored preference allows
// balloons (as it does unless set otherwise), the message box once it is switched off.
TEST_F(DesktopOperationsTest, TheBalloonPreferenceChoosesBetweenBalloonAndMessageBox) {
    frame->putHostAtStart(QString());
    frame->commands().trigger(cmd::kPingMenu);
    ui::BalloonTip* balloon = ui::BalloonTip::current();
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(balloon->anchor(), frame->hostBox());
    EXPECT_EQ(balloon->title(), QStringLiteral("Input Error"));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'\n').toStdString();
    balloon->close();

    store->WriteProfileInt(QStringLiteral("Workspace"), QStringLiteral("EnableBalloonTips"), 0);
    frame->commands().trigger(cmd::kPingMenu);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ui::BalloonTip::current(), nullptr);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].endsWith(QStringLiteral("Please enter a Host Name or IP Address first.")))
        << boxes[0].toStdString();
}

} // namespace
} // namespace vantrel::app::testing
