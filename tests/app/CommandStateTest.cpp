// Enabling and captions of the commands, from the flags, the panes and the log; status-pane commands.
#include "FrameFixture.h"
#include "app/DefaultProgramOpener.h"
#include "app/DesktopLogFrontEnd.h"
#include "app/ProfileManager.h"
#include "commands/CommandIds.h"
#include "ui/CHTMLAboutDialog.h"
#include "ui/CHTMLMessageBox.h"
#include "ui/CHostViewPane.h"
#include "ui/CNxEditBrowseControl.h"
#include "ui/CNxListScanOptionsPaneDialog.h"
#include "ui/CNxLogOptionsPaneDialog.h"
#include "ui/CNxSeqScanOptionsPaneDialog.h"
#include "ui/CStatusViewPane.h"
#include "ui/EntryListEditor.h"
#include "ui/HostComboBox.h"
#include "ui/ResultsTextView.h"
#include "ui/StatusPane.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <functional>
#include <gmock/gmock.h>
#include <sqlite3.h>

namespace vantrel::app::testing {
namespace {

using settings::OptionId;
using ::testing::ElementsAre;

QAction* action(const CMainFrame& frame, int id) {
    return frame.commands().action(id);
}

using CommandState = FrameFixture;

TEST_F(CommandState, OperationCommandsFollowTheFlags) {
    EXPECT_TRUE(action(*frame, cmd::kPingButton)->isEnabled());
    EXPECT_TRUE(action(*frame, cmd::kTraceMenu)->isEnabled());

    frame->flags().startOperation(ops::Operation::Trace);
    frame->RefreshCommandUI();
    EXPECT_FALSE(action(*frame, cmd::kPingButton)->isEnabled());
    EXPECT_FALSE(action(*frame, cmd::kLookupMenu)->isEnabled());
    EXPECT_TRUE(action(*frame, cmd::kTraceButton)->isEnabled());
    EXPECT_EQ(action(*frame, cmd::kTraceButton)->text(), QStringLiteral("      Cancel     "));
    EXPECT_EQ(action(*frame, cmd::kTraceMenu)->text(), QStringLiteral("Cancel Trace"));

    frame->flags().lookupReported(); // the trace is over
    frame->flags().startOperation(ops::Operation::Ping);
    frame->RefreshCommandUI();
    EXPECT_EQ(action(*frame, cmd::kPingButton)->text(), QStringLiteral("       Cancel       "));
    // The running button shows a stop picture, the others keep theirs.
    const QIcon stop = action(*frame, cmd::kPingButton)->icon();
    EXPECT_EQ(action(*frame, cmd::kPingButton)->iconText(), QStringLiteral("Cancel"));
    EXPECT_EQ(action(*frame, cmd::kPingMenu)->text(), QStringLiteral("Cancel Ping"));
    EXPECT_FALSE(action(*frame, cmd::kTraceButton)->isEnabled());
    EXPECT_EQ(action(*frame, cmd::kTraceButton)->text(), QStringLiteral("       Trace       "));

    frame->flags().lookupReported(); // the ping is over
    frame->RefreshCommandUI();
    EXPECT_EQ(action(*frame, cmd::kPingButton)->text(), QStringLiteral("         Ping         "));
    EXPECT_NE(action(*frame, cmd::kPingButton)->icon().cacheKey(), stop.cacheKey());
    EXPECT_EQ(action(*frame, cmd::kPingMenu)->text(), QStringLiteral("&Ping"));
    EXPECT_TRUE(action(*frame, cmd::kTraceButton)->isEnabled());
}

// A context menu as a right-click through the window system opens it over a place of the frame.
QStringList contextMenu(CMainFrame& frame, const QWidget* place) {
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        if (!QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }))
            return;
        QWidget* menu = QApplication::activePopupWidget();
        for (const QAction* item : menu->actions())
            texts.append(item->isSeparator() ? QStringLiteral("-")
                                             : item->text() + (item->isEnabled() ? "" : " (off)"));
        menu->close();
    });
    QTest::mouseClick(frame.windowHandle(), Qt::RightButton, {},
                      place->mapTo(&frame, place->rect().center()));
    // The closed menu leaves the window inactive, which keys and the focus need.
    frame.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
    return texts;
}

QStringList resultsContextMenu(CMainFrame& frame) {
    return contextMenu(frame, frame.resultsPane().view().viewport());
}

TEST_F(CommandState, TheResultsContextMenuCaptionsFollowTheStateFromTheOneTable) {
    EXPECT_THAT(resultsContextMenu(*frame),
                ElementsAre("Clea&r All Text", "-", "Cop&y (off)", "&Cut (off)", "&Select All", "-",
                            "&Undo (off)", "-", "&Ping", "&Lookup", "&Trace", "-", "SeqScan", "ListScan", "-",
                            "Start Logg&ing", "Show Lo&g", "Cle&ar Log", "-", "&Hide All Options", "-",
                            "Add Pro&file (off)", "-", "Start ISPi&nger (off)", "-", "Help T&opics", "-",
                            "&Exit"));

    frame->flags().startOperation(ops::Operation::Ping);
    ASSERT_TRUE(frame->commands().trigger(cmd::kStartLoggingMenu));
    ASSERT_TRUE(frame->commands().trigger(cmd::kShowAllOptions));
    // While an operation runs, the log's commands are brought up to date once a frame.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return frame->commands().contextCaption(cmd::kStartLoggingMenu) ==
                   QStringLiteral("Stop Logg&ing");
        },
        5000));
    const QStringList busy = resultsContextMenu(*frame);
    frame->flags().lookupReported(); // the ping is over
    EXPECT_THAT(busy, ::testing::IsSupersetOf(
                          {"Cancel &Ping", "&Lookup (off)", "Stop Logg&ing", "S&how All Options"}));
}

TEST_F(CommandState, TheCommandsAndTheStatusFollowTheirChangesWithoutBeingAsked) {
    frame->flags().startOperation(ops::Operation::Lookup);
    frame->status().set(QStringLiteral("Looking up host..."));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !action(*frame, cmd::kPingButton)->isEnabled(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return frame->statusPane(cmd::kStatusPane)->text() == "Status: Looking up host..."; }, 5000));
    frame->flags().lookupReported();
}

TEST_F(CommandState, DisabledCommandsDoNotRunFromAnySource) {
    std::vector<ops::CommandId> ran;
    QObject::connect(frame.get(), &CMainFrame::operationCommand,
                     [&](ops::CommandId command) { ran.push_back(command); });
    frame->flags().startOperation(ops::Operation::SeqScan);
    frame->RefreshCommandUI();
    EXPECT_FALSE(frame->commands().trigger(cmd::kLookupButton));
    QTest::keyClick(frame->hostBox()->lineEdit(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(ran.empty());

    frame->flags().workerNotStarted(); // the scan is over
    frame->RefreshCommandUI();
    EXPECT_TRUE(frame->commands().trigger(cmd::kLookupMenu));
    QTest::keyClick(frame->hostBox()->lineEdit(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_THAT(ran, ::testing::ElementsAre(ops::CommandId::LookupMenu, ops::CommandId::TraceButton));
}

TEST_F(CommandState, CommandsOfFeaturesStillToComeArePresentAndDisabled) {
    for (int id : {cmd::kISPingerButton, cmd::kISPingerMenu, cmd::kAboutWinsock}) {
        ASSERT_NE(action(*frame, id), nullptr) << id;
        EXPECT_FALSE(action(*frame, id)->isEnabled()) << id;
    }
    // Export and Reset GUI are always there; Import waits for an export file.
    EXPECT_TRUE(action(*frame, cmd::kExportSettings)->isEnabled());
    EXPECT_TRUE(action(*frame, cmd::kResetGui)->isEnabled());
    EXPECT_FALSE(action(*frame, cmd::kImportSettings)->isEnabled());
    // The ListScan button waits for an address list.
    EXPECT_FALSE(action(*frame, cmd::kListScanButton)->isEnabled());
    EXPECT_TRUE(action(*frame, cmd::kListScanMenu)->isEnabled());
}

// The About command shows the About box, whose buttons open the maker's mail, web page and the manual and
// say nothing when the desktop cannot; the frame's messages come in the program's own box, but a worker's
// failure to start keeps the desktop's warning box.
TEST_F(CommandState, AboutBoxAndMessageBoxesAreTheProgramsOwn) {
    const QStringList& opened = dialogs.opened;
    QString shownTitle;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<ui::CHTMLAboutDialog*>(QApplication::activeModalWidget());
        if (!about)
            return;
        shownTitle = about->windowTitle();
        for (const char* name : {"ButtonEMail", "ButtonWebPage", "ButtonHelp", "ButtonOK"})
            about->clickButton(QLatin1String(name));
    });
    ASSERT_TRUE(frame->commands().trigger(cmd::kAbout));
    EXPECT_EQ(shownTitle, QStringLiteral("About Vantrel"));
    EXPECT_THAT(opened,
                ElementsAre(QStringLiteral("mailto:pimbo@quenlo.example?subject=Vantrel 2.0"),
                            QStringLiteral("https://www.quenlo.example/vantrel"),
                            QUrl::fromLocalFile(dirPath() + QStringLiteral("/Vantrel.html")).toString()));
    EXPECT_TRUE(boxes.isEmpty());

    FrameDialogs& desktop = FrameDialogs::desktop();
    QStringList seen;
    const auto closeTheBox = [&] {
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            seen.append(QLatin1String(box ? box->metaObject()->className() : "none") + QLatin1Char(' ') +
                        (box ? box->windowTitle() : QString()));
            if (box)
                box->close();
        });
    };
    closeTheBox();
    desktop.showMessage(frame.get(), QStringLiteral("Log Error"), QStringLiteral("text"),
                        ops::MessageIcon::Error);
    closeTheBox();
    desktop.showMessage(frame.get(), QStringLiteral("Vantrel 2.0"), QStringLiteral("text"),
                        ops::MessageIcon::Exclamation);
    EXPECT_THAT(seen, ElementsAre(QStringLiteral("vantrel::ui::CHTMLMessageBox Log Error"),
                                  QStringLiteral("QMessageBox Vantrel 2.0")));
}

// One round through the Profile Manager: add, update, rename, delete from its three command sources,
// with the captions each shows, and the profiles and column widths kept over a restart.
TEST_F(CommandState, ProfilesAreAddedRenamedUsedAndDeletedFromThePaneAndSurviveARestart) {
    QTableWidget* list = frame->profileManagerList();
    QLineEdit* name = frame->profileNameBox();
    const auto captions = [&] {
        frame->RefreshCommandUI();
        QStringList shown;
        for (int id : {cmd::kAddProfileButton, cmd::kProfilePaneButton, cmd::kAddProfile})
            shown << action(*frame, id)->text() + (action(*frame, id)->isEnabled() ? "" : " (off)");
        return shown;
    };
    const auto rows = [&] {
        QStringList shown;
        for (int row = 0; row < list->rowCount(); ++row)
            shown << list->item(row, 0)->text() + QLatin1Char('=') + list->item(row, 1)->text();
        return shown;
    };
    const auto rename = [&](int row, const QString& text) {
        frame->profiles().pane()->editName(row);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return); // the edit ends, and the rename is handled, a little later
    };
    EXPECT_THAT(captions(),
                ElementsAre("      Add Profile       (off)", "Add Profile (off)", "Add Profile (off)"));

    name->setText(QStringLiteral("Home"));
    frame->hostBox()->setEditText(QStringLiteral("10.0.0.1"));
    EXPECT_THAT(captions(), ElementsAre("      Add Profile      ", "Add Profile", "Add Profile"));
    EXPECT_EQ(action(*frame, cmd::kProfilePaneButton)->toolTip(),
              QStringLiteral("Add the current Profile Name and 'Hosts:' address to the Profile Manager."));
    ASSERT_TRUE(frame->commands().trigger(cmd::kAddProfileButton));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_THAT(captions(), ElementsAre("    Delete Profile    ", "Delete Profile", "Delete Pro&file"));

    frame->hostBox()->setEditText(QStringLiteral("10.0.0.2"));
    EXPECT_THAT(captions(), ElementsAre("    Update Profile    ", "Update Profile", "Update Pro&file"));
    // The list's menu: the frame's commands without the edit commands.
    EXPECT_THAT(contextMenu(*frame, list->viewport()),
                ElementsAre("&Ping", "&Lookup", "&Trace", "-", "SeqScan", "ListScan", "-", "Start Logg&ing",
                            "Show Lo&g", "Cle&ar Log", "-", "&Hide All Options", "-", "Update Pro&file", "-",
                            "Start ISPi&nger (off)", "-", "Help T&opics", "-", "&Exit"));
    ASSERT_TRUE(frame->commands().trigger(cmd::kProfilePaneButton));
    name->setText(QStringLiteral("Office"));
    frame->hostBox()->setEditText(QStringLiteral("office.test"));
    QTest::keyClick(frame->windowHandle(), Qt::Key_F, Qt::ControlModifier); // 11017
    EXPECT_THAT(rows(), ElementsAre("Office=office.test", "Home=10.0.0.2"));

    // A name in use is refused and the old one kept; a free one moves the stored value.
    rename(1, QStringLiteral("office"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.isEmpty(); }));
    EXPECT_THAT(boxes, ElementsAre("Profile Manager: Profile Name \"office\" already exists."));
    EXPECT_THAT(rows(), ElementsAre("Office=office.test", "Home=10.0.0.2"));
    rename(1, QStringLiteral("Lab"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return name->text() == QStringLiteral("Lab"); }));
    EXPECT_THAT(rows(), ElementsAre("Office=office.test", "Lab=10.0.0.2"));
    EXPECT_EQ(name->text(), QStringLiteral("Lab"));
    EXPECT_EQ(store->valueNames(settings::section::kProfiles), QStringList({"Office", "Lab"}));

    // A double click puts the profile into the boxes and pings it.
    std::vector<ops::CommandId> ran;
    QObject::connect(frame.get(), &CMainFrame::operationCommand,
                     [&](ops::CommandId command) { ran.push_back(command); });
    const QRect officeRow = list->visualItemRect(list->item(0, 1));
    QTest::mouseDClick(frame->windowHandle(), Qt::LeftButton, {},
                       list->viewport()->mapTo(frame.get(), officeRow.center()));
    EXPECT_EQ(frame->hostBoxText(), QStringLiteral("office.test"));
    EXPECT_EQ(name->text(), QStringLiteral("Office"));
    EXPECT_THAT(ran, ElementsAre(ops::CommandId::PingButton));

    // A header click sorts, tells which column, and the header says what the next click does.
    QSignalSpy sorted(frame->profiles().pane(), &ui::CHostViewPane::sortedByHeader);
    QHeaderView* header = list->horizontalHeader();
    const QPoint nameSection(header->sectionViewportPosition(0) + header->sectionSize(0) / 2,
                             header->height() / 2);
    QTest::mouseClick(frame->windowHandle(), Qt::LeftButton, {},
                      header->viewport()->mapTo(frame.get(), nameSection));
    EXPECT_THAT(rows(), ElementsAre("Lab=10.0.0.2", "Office=office.test"));
    ASSERT_EQ(sorted.size(), 1);
    EXPECT_EQ(sorted.at(0).at(0).toInt(), 0);
    EXPECT_EQ(list->horizontalHeaderItem(0)->toolTip(),
              QStringLiteral("Sort the Profile Names in descending order."));
    EXPECT_EQ(list->horizontalHeaderItem(1)->toolTip(),
              QStringLiteral("Click here to sort the Profile Addresses."));

    // Deleting asks first; Cancel keeps the profile and returns to the host box.
    bool answer = false;
    frame->profiles().setDeleteConfirmation([&](const QString& caption, const QString&) {
        EXPECT_EQ(caption, QStringLiteral("Profile Manager Delete Warning"));
        return answer;
    });
    ASSERT_TRUE(frame->commands().trigger(cmd::kAddProfile));
    EXPECT_EQ(list->rowCount(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame->hostBox()->lineEdit()->hasFocus(); }));
    answer = true;
    ASSERT_TRUE(frame->commands().trigger(cmd::kAddProfile));
    EXPECT_THAT(rows(), ElementsAre("Lab=10.0.0.2"));
    EXPECT_EQ(name->text(), QStringLiteral("Lab")) << "the profile left in its place is used";

    list->setColumnWidth(0, 210);
    reopen();
    list = frame->profileManagerList();
    EXPECT_THAT(rows(), ElementsAre("Lab=10.0.0.2"));
    EXPECT_EQ(list->columnWidth(0), 210);
    EXPECT_EQ(list->columnWidth(1), 150);
}

// A store that takes no change: every edit of a saved list, a chosen look and a reset layout say why in a
// box, and the lists show what is stored.
TEST_F(CommandState, EditsTheStoreDidNotTakeAreReportedAndNotShownAsDone) {
    using settings::section::kListScanHosts;
    using settings::section::kProfiles;
    using settings::section::kSeqScan;
    ASSERT_TRUE(store->WriteProfileString(kProfiles, QStringLiteral("Home"), QStringLiteral("10.0.0.1")));
    ASSERT_TRUE(
        store->WriteProfileString(kListScanHosts, QStringLiteral("10.0.0.5"), QStringLiteral("10.0.0.5")));
    ASSERT_TRUE(store->WriteProfileString(kSeqScan, QStringLiteral("core"), QStringLiteral("core")));
    ASSERT_TRUE(frame->close());
    frame.reset();
    const QString file = store->filePath();
    store.reset();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version = 7", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    open();
    const QString reason = QStringLiteral(
        "the settings run in memory only, since the settings file was written by a newer version of Vantrel");

    QTableWidget* list = frame->profileManagerList();
    const auto profileRows = [&] {
        QStringList shown;
        for (int row = 0; row < list->rowCount(); ++row)
            shown << list->item(row, 0)->text() + QLatin1Char('=') + list->item(row, 1)->text();
        return shown;
    };
    frame->profiles().setDeleteConfirmation([](const QString&, const QString&) { return true; });
    ui::EntryListEditor* addresses =
        qobject_cast<ui::CNxListScanOptionsPaneDialog*>(frame->optionPane(cmd::kListScanOptions))
            ->addressList();
    ui::EntryListEditor* groups = frame->seqScanPane()->groupList();
    for (int id : {1119, 1120, 1121, 1122, 1123, 1124})
        frame->seqScanPane()->octetField(id)->setText(QStringLiteral("10"));

    const auto profileCommand = [&](const QString& name, const QString& host) {
        frame->profileNameBox()->setText(name);
        frame->hostBox()->setEditText(host);
        frame->commands().trigger(cmd::kAddProfileButton);
    };
    const auto press = [](ui::EntryListEditor* editor, const QString& text) {
        editor->field()->setText(text);
        editor->button()->click();
    };
    const QString profileBox =
        "Settings Error: The Profile Manager could not save this change: " + reason + ".";
    const QString addressBox = "Settings Error: The ListScan addresses could not be saved: " + reason + ".";
    struct Edit {
        std::function<void()> make;
        QString box;
    };
    const QList<Edit> edits{
        {[&] { profileCommand(QStringLiteral("Lab"), QStringLiteral("10.0.0.2")); }, profileBox},
        {[&] { profileCommand(QStringLiteral("Home"), QStringLiteral("10.0.0.1")); }, profileBox},
        {[&] {
             list->setCurrentCell(0, 0);
             frame->profiles().pane()->editName(0);
             auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
             ASSERT_NE(editor, nullptr);
             editor->setText(QStringLiteral("Office"));
             QTest::keyClick(editor, Qt::Key_Return);
             ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.isEmpty(); }));
         },
         profileBox},
        {[&] { press(addresses, QStringLiteral("10.0.0.6")); }, addressBox},
        {[&] { press(addresses, QStringLiteral("10.0.0.5")); }, addressBox},
        {[&] { press(groups, QStringLiteral("edge")); },
         "Settings Error: Could not create SeqScan Group Registry Subfolder: " + reason + "."},
        {[&] { press(groups, QStringLiteral("core")); },
         "Settings Error: The SeqScan group could not be deleted: " + reason + "."},
        {[&] { frame->commands().trigger(cmd::kLookFirst); },
         "Settings Error: The Application Look was not saved: " + reason + "."},
        {[&] {
             dialogs.okAnswer = true;
             frame->commands().trigger(cmd::kResetGui);
         },
         "Reset GUI: The window layout was not saved: " + reason + "."},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.box.toStdString());
        boxes.clear();
        edit.make();
        EXPECT_THAT(boxes, ElementsAre(edit.box));
        EXPECT_THAT(profileRows(), ElementsAre("Home=10.0.0.1"));
        EXPECT_EQ(addresses->entries(), QStringList{QStringLiteral("10.0.0.5")});
        EXPECT_EQ(groups->entries(), QStringList{QStringLiteral("core")});
    }
}

TEST_F(CommandState, ShowAllAndSingleOptionPanes) {
    QDockWidget* ping = frame->pane(cmd::kPingOptions);
    QDockWidget* log = frame->pane(cmd::kLogOptions);
    EXPECT_EQ(action(*frame, cmd::kShowAllOptions)->text(), QStringLiteral("&Hide All Options"));

    frame->commands().trigger(cmd::kShowAllOptions); // some visible: hides all
    for (int id : {cmd::kPingOptions, cmd::kLogOptions, cmd::kSeqScanOptions, cmd::kListScanOptions,
                   cmd::kISPingerOptions, cmd::kOtherOptions}) {
        EXPECT_FALSE(frame->pane(id)->toggleViewAction()->isChecked()) << id;
        EXPECT_TRUE(action(*frame, id)->text().startsWith(QStringLiteral("Show "))) << id;
    }
    EXPECT_EQ(action(*frame, cmd::kShowAllOptions)->text(), QStringLiteral("S&how All Options"));

    frame->commands().trigger(cmd::kLogOptions);
    EXPECT_TRUE(log->isVisible());
    EXPECT_EQ(action(*frame, cmd::kLogOptions)->text(), QStringLiteral("Hide Log Options"));
    EXPECT_EQ(action(*frame, cmd::kShowAllOptions)->text(), QStringLiteral("&Hide All Options"));

    frame->commands().trigger(cmd::kOptionsButton); // the Options button: one visible, so all hide
    EXPECT_FALSE(log->toggleViewAction()->isChecked());
    frame->commands().trigger(cmd::kOptionsButton); // none visible: all show, Ping/TraceRoute in front
    EXPECT_TRUE(ping->isVisible());
    EXPECT_TRUE(log->toggleViewAction()->isChecked());
    EXPECT_EQ(action(*frame, cmd::kISPingerOptions)->text(), QStringLiteral("Hide ISPInger Options"));
}

void doubleClick(QWidget* widget) {
    QTest::mouseDClick(widget, Qt::LeftButton);
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(CommandState, LogOpensWhenLoggingStartsAndItsCommandsFollowIt) {
    // A start with logging off makes no file: the pane shows the log closed.
    EXPECT_FALSE(QFile::exists(logPath()));
    EXPECT_EQ(frame->statusPane(cmd::kLogSizePane)->text(), QStringLiteral("Log closed."));
    EXPECT_EQ(frame->statusPane(cmd::kLogPane)->text(), QStringLiteral("  LOG"));
    EXPECT_EQ(frame->statusPane(cmd::kLogPane)->background(), std::nullopt);
    EXPECT_FALSE(action(*frame, cmd::kClearLogButton)->isEnabled());
    EXPECT_FALSE(frame->logOptionsPane()->logCheck()->isChecked());

    // The check box starts logging: captions, the check, the read-only box, the blue pane.
    frame->logOptionsPane()->logCheck()->click();
    EXPECT_EQ(action(*frame, cmd::kStartLoggingButton)->text(), QStringLiteral("      Stop Logging       "));
    EXPECT_EQ(action(*frame, cmd::kStartLoggingMenu)->text(), QStringLiteral("Stop &Logging"));
    EXPECT_TRUE(frame->logOptionsPane()->logCheck()->isChecked());
    EXPECT_TRUE(frame->logOptionsPane()->fileNameBox()->isReadOnly());
    EXPECT_EQ(frame->statusPane(cmd::kLogPane)->background(), std::optional<QColor>(QColor(0, 0, 255)));
    EXPECT_TRUE(frame->options().isOn(OptionId::LogCheck));
    const QByteArray started = contentsOf(logPath());
    EXPECT_TRUE(started.startsWith("{\\rtf1 \\par  \\par {")) << started.constData(); // a time line
    EXPECT_TRUE(started.endsWith("} \\par }")) << started.constData();
    EXPECT_EQ(frame->statusPane(cmd::kLogSizePane)->text(),
              QStringLiteral("Log Size: %1 Bytes").arg(started.size()));

    // Double-clicks on the panes: 903 stops logging, 905 empties the log.
    doubleClick(frame->statusPane(cmd::kLogPane));
    EXPECT_EQ(action(*frame, cmd::kStartLoggingMenu)->text(), QStringLiteral("Start &Logging"));
    EXPECT_FALSE(frame->logOptionsPane()->fileNameBox()->isReadOnly());
    doubleClick(frame->statusPane(cmd::kLogSizePane));
    EXPECT_TRUE(contentsOf(logPath()).isEmpty());
    EXPECT_EQ(frame->statusPane(cmd::kLogSizePane)->text(), QStringLiteral("Log Size: 0 Bytes"));
    EXPECT_FALSE(action(*frame, cmd::kClearLogButton)->isEnabled());
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(CommandState, LogFileNameBoxAndShowLog) {
    // Editing the name closes the file and becomes the option.
    const QString other = dirPath() + QStringLiteral("/other.rtf");
    frame->logOptionsPane()->fileNameBox()->lineEdit()->setText(other);
    frame->RefreshCommandUI();
    EXPECT_EQ(frame->options().text(OptionId::LogString), other);
    EXPECT_EQ(frame->statusPane(cmd::kLogSizePane)->text(), QStringLiteral("Log closed."));

    // Show Log of a file not made yet says so; of an existing one it hands the file to the desktop.
    QStringList opened;
    frame->logFrontEnd().setOpener([&](const QString& path) {
        opened.append(path);
        return true;
    });
    frame->commands().trigger(cmd::kShowLogMenu);
    EXPECT_THAT(boxes,
                ::testing::ElementsAre(QStringLiteral("Log Error: Could not open the log file. The log "
                                                      "file could not be found.\nThe log file is \"%1\".")
                                           .arg(other)));
    frame->commands().trigger(cmd::kStartLoggingButton);
    frame->commands().trigger(cmd::kShowLogButton);
    EXPECT_THAT(opened, ::testing::ElementsAre(other));

    // An empty name: the commands that need a name are off.
    frame->commands().trigger(cmd::kStartLoggingButton);
    frame->logOptionsPane()->fileNameBox()->lineEdit()->clear();
    frame->RefreshCommandUI();
    EXPECT_FALSE(action(*frame, cmd::kStartLoggingButton)->isEnabled());
    EXPECT_FALSE(action(*frame, cmd::kShowLogButton)->isEnabled());
    EXPECT_FALSE(frame->logOptionsPane()->logCheck()->isEnabled());
    EXPECT_TRUE(action(*frame, cmd::kShowLogMenu)->isEnabled());
}

// Show Log hands the file to the desktop's default program for RTF through xdg-open, and says so when no
// default is set (Qt's opener would start xdg-open and call that success). Stand-ins for xdg-utils.
TEST(DefaultProgram, TheLogOpensWithTheDefaultForRtfOrNotAtAll) {
    QTemporaryDir bin;
    const QString opened = bin.filePath(QStringLiteral("opened"));
    const auto script = [&](const QString& name, const QByteArray& body) {
        QFile file(bin.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body);
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    };
    script(QStringLiteral("xdg-open"), "printf '%s' \"$1\" > '" + QFile::encodeName(opened) + "'\n");
    const QByteArray previousPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ":/usr/bin:/bin");
    const auto back = qScopeGuard([&] { qputenv("PATH", previousPath); });
    const QString log = bin.filePath(QStringLiteral("Vtrlog.rtf"));
    QFile(log).open(QIODevice::WriteOnly);

    script(QStringLiteral("xdg-mime"), "exit 0\n"); // no default set
    EXPECT_FALSE(openWithDefaultProgram(log));
    EXPECT_FALSE(QFile::exists(opened));

    script(QStringLiteral("xdg-mime"), "[ \"$3\" = application/rtf ] && echo writer.desktop\nexit 0\n");
    EXPECT_TRUE(openWithDefaultProgram(log));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(opened).size() > 0; }, 10000));
    QFile answer(opened);
    ASSERT_TRUE(answer.open(QIODevice::ReadOnly));
    EXPECT_EQ(QFile::decodeName(answer.readAll()), log);
}

TEST_F(CommandState, LogPastItsPurgeLimitIsMovedAsideAtARefresh) {
    frame->options().setNumber(OptionId::PurgeLog, 1);
    frame->commands().trigger(cmd::kStartLoggingButton);
    auto resizeLog = [this](qint64 size) {
        QFile log(logPath());
        return log.open(QIODevice::ReadWrite) && log.resize(size);
    };
    ASSERT_TRUE(resizeLog(1000000)); // exactly the limit is kept
    frame->RefreshCommandUI();
    EXPECT_EQ(QFileInfo(logPath()).size(), 1000000);
    EXPECT_EQ(frame->statusPane(cmd::kLogSizePane)->text(), QStringLiteral("Log Size: 1.00 Mb"));
    ASSERT_TRUE(resizeLog(1000001));
    frame->RefreshCommandUI();
    const QString previous = dirPath() + QStringLiteral("/Vtrlog.old.rtf");
    EXPECT_EQ(QFileInfo(previous).size(), 1000001);
    EXPECT_TRUE(contentsOf(logPath()).startsWith("{\\rtf1 \\par  \\par {"));
    EXPECT_TRUE(frame->resultsPane().view().toPlainText().contains(
        QStringLiteral("The log reached its size limit and was moved to \"%1\"; a new log starts here.")
            .arg(previous)));
    EXPECT_TRUE(contentsOf(logPath()).contains("a new log starts here"));
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(CommandState, TextSizePaneClearsTheResults) {
    const ui::ResultsTextView& results = frame->resultsPane().view();
    frame->RefreshCommandUI();
    ASSERT_GT(results.textSizeBytes(), 0) << "the banner";
    EXPECT_EQ(frame->statusPane(cmd::kTextSizePane)->text(),
              output::textSizePane(double(results.textSizeBytes())).text);
    doubleClick(frame->statusPane(cmd::kTextSizePane));
    EXPECT_EQ(results.toPlainText(), QString());
    EXPECT_EQ(frame->statusPane(cmd::kTextSizePane)->text(), QStringLiteral("Text Size: 0 Bytes"));
}

} // namespace
} // namespace vantrel::app::testing

namespace vantrel::app::testing {
namespace {

using FrontEnd = FrameFixture;

TEST_F(FrontEnd, EditCommandsActOnTheFocusedToolbarBox) {
    QLineEdit* host = frame->hostBox()->lineEdit();
    QLineEdit* profile = frame->profileNameBox();
    profile->setText(QStringLiteral("Office"));
    host->setText(QStringLiteral("example.org"));

    host->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return host->hasFocus(); }));
    frame->commands().action(cmd::kClearAllText)->trigger();
    EXPECT_EQ(host->text(), QString());
    frame->commands().action(cmd::kUndo)->trigger();
    EXPECT_EQ(host->text(), QStringLiteral("example.org"));

    // In the Profile Name box too; Cut without a selection takes nothing.
    profile->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return profile->hasFocus(); }));
    profile->deselect();
    frame->commands().action(cmd::kCut)->trigger();
    EXPECT_EQ(profile->text(), QStringLiteral("Office"));
    frame->commands().action(cmd::kSelectAll)->trigger();
    EXPECT_EQ(profile->selectedText(), QStringLiteral("Office"));
    frame->commands().action(cmd::kClearAllText)->trigger();
    EXPECT_EQ(profile->text(), QString());
}

TEST_F(FrontEnd, HostBoxCallsOfOperationControl) {
    frame->hostBox()->setEditText(QStringLiteral("  typed.example "));
    EXPECT_EQ(frame->hostBoxText(), QStringLiteral("  typed.example "));
    // Adding a host to the history leaves what the user typed in the box.
    frame->addHostToHistory(QStringLiteral("typed.example"), true);
    EXPECT_EQ(frame->hostBox()->count(), 1);
    EXPECT_EQ(frame->hostBoxText(), QStringLiteral("  typed.example "));

    frame->hostBox()->lineEdit()->selectAll();
    frame->returnFocusToHostBox();
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame->hostBox()->lineEdit()->hasFocus(); }));
    EXPECT_FALSE(frame->hostBox()->lineEdit()->hasSelectedText());
    EXPECT_EQ(frame->hostBox()->lineEdit()->cursorPosition(), 0);
}

TEST_F(FrontEnd, StatusBarCommandShowsAndHidesIt) {
    QAction* statusBarCommand = frame->commands().action(cmd::kStatusBar);
    EXPECT_TRUE(statusBarCommand->isChecked());
    statusBarCommand->trigger();
    EXPECT_FALSE(frame->statusBar()->isVisible());
    frame->RefreshCommandUI();
    EXPECT_FALSE(statusBarCommand->isChecked());
    statusBarCommand->trigger();
    EXPECT_TRUE(frame->statusBar()->isVisible());
}

} // namespace
} // namespace vantrel::app::testing
