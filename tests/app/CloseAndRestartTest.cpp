// The close sequence, and what a restart finds of the last run: options, hosts, layout and style.
#include "FrameFixture.h"
#include "app/CVantrelApp.h"
#include "app/DesktopOperations.h"
#include "app/ProfileManager.h"
#include "app/WorkspaceLayout.h"
#include "commands/CommandIds.h"
#include "log/ResultLog.h"
#include "rows/TimeStamp.h"
#include "settings/ProfileBook.h"
#include "settings/SettingsModel.h"
#include "support/FakeHostDatabase.h"
#include "support/FakeIcmpNetwork.h"
#include "ui/CNxISPingerOptionsPaneDialog.h"
#include "ui/CNxMFCToolBar.h"
#include "ui/CNxOtherOptionsPaneDialog.h"
#include "ui/CStatusViewPane.h"
#include "ui/HostComboBox.h"
#include "ui/ResultsTextView.h"
#include "ui/StatusPane.h"
#include "ui/ToolBarCustomizeDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <gmock/gmock.h>
#include <mutex>
#include <optional>
#include <thread>

namespace vantrel::app::testing {
namespace {

using settings::OptionId;
using ::testing::ElementsAre;

using CloseSequence = FrameFixture;

// The Results window's lines from the first one starting with `start`.
QStringList linesFrom(const CMainFrame& frame, const QString& start) {
    const QString text = frame.resultsPane().view().toPlainText();
    const qsizetype at = text.indexOf(start);
    return at < 0 ? QStringList() : text.mid(at).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TEST_F(CloseSequence, WaitsForRunningWorkersThenSaves) {
    frame->options().setNumber(OptionId::Packets, 17);
    frame->flags().startOperation(ops::Operation::Ping);
    frame->flags().workerStarted(ops::Worker::Ping);
    frame->flags().startOperation(ops::Operation::SeqScan);

    // The worker ends a little later; until then nothing is saved.
    bool savedBeforeWorkerEnded = true;
    bool shuttingDownSeen = false;
    QString statusDuringTheWait;
    QTimer::singleShot(50, [&] {
        shuttingDownSeen = frame->flags().m_bShuttingDown;
        statusDuringTheWait = frame->status().get();
        savedBeforeWorkerEnded = store->valueKind(settings::section::kOptions, "Packets").has_value();
        frame->flags().workerEndedOperations(ops::Worker::Ping);
        frame->flags().workerFinished(ops::Worker::Ping);
    });
    EXPECT_TRUE(frame->close());

    EXPECT_TRUE(shuttingDownSeen);
    EXPECT_FALSE(savedBeforeWorkerEnded);
    EXPECT_THAT(linesFrom(*frame, "Exiting"),
                ElementsAre("Exiting...Shutting down ping operation first...",
                            "Exiting...Shutting down SeqScan operation first..."));
    EXPECT_EQ(statusDuringTheWait, "Exiting...Shutting down SeqScan operation first...");
    EXPECT_EQ(store->GetProfileInt(settings::section::kOptions, "Packets", 0), 17);
}

TEST_F(CloseSequence, SecondCloseDuringTheWaitIsAbsorbed) {
    int shutdowns = 0;
    QObject::connect(frame.get(), &CMainFrame::shuttingDown, [&] { ++shutdowns; });
    frame->flags().startOperation(ops::Operation::Trace);
    frame->flags().workerStarted(ops::Worker::ISPinger);

    bool visibleAfterSecondClose = false;
    QTimer::singleShot(20, [&] {
        // The last ISPinger worker asks for a close while the first one waits for it, as a call and
        // as a close event of its own.
        frame->close();
        QCloseEvent request;
        QCoreApplication::sendEvent(frame.get(), &request);
        EXPECT_FALSE(request.isAccepted());
        visibleAfterSecondClose = frame->isVisible();
        frame->flags().workerFinished(ops::Worker::ISPinger);
    });
    QTimer::singleShot(60, [&] { frame->flags().workerEndedOperations(ops::Worker::Trace); });
    EXPECT_TRUE(frame->close());

    EXPECT_TRUE(visibleAfterSecondClose);
    EXPECT_EQ(linesFrom(*frame, "Exiting").size(), 1);
    EXPECT_EQ(shutdowns, 1);
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(CloseSequence, ContinuousPingCountdownAloneDoesNotHoldTheClose) {
    frame->flags().startOperation(ops::Operation::ContinuousPing);
    EXPECT_TRUE(frame->close());
    EXPECT_THAT(linesFrom(*frame, "Exiting"), ElementsAre("Exiting...Shutting down ping operation first..."));
}

// Closing while an operation of each kind runs, on a scripted network whose every request takes a few
// milliseconds: the window closes every time, at once, and saves its layout. A close that hangs cannot
// report itself, so a watchdog ends the test program with the case's name.
class CloseWatchdog {
public:
    CloseWatchdog(const char* name, std::chrono::milliseconds limit)
        : m_thread([this, name, limit] {
            std::unique_lock lock(m_mutex);
            if (!m_done.wait_for(lock, limit, [this] { return m_closed; })) {
                std::fprintf(stderr, "The close during %s did not end within %lld ms\n", name,
                             static_cast<long long>(limit.count()));
                std::_Exit(EXIT_FAILURE);
            }
        }) {}
    ~CloseWatchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_closed = true;
        }
        m_done.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_closed = false;
    std::thread m_thread;
};

enum class Running {
    Ping,
    ContinuousPing,
    Trace,
    Lookup,
    SeqScan,
    ListScan,
    ISPinger,
    PingEndingWithContPing
};

struct RunningCase {
    const char* name;
    Running running;
};
void PrintTo(const RunningCase& running, std::ostream* out) {
    *out << running.name;
}

class CloseDuringAnOperation : public OperationsFrameFixture,
                               public ::testing::WithParamInterface<RunningCase> {
protected:
    void SetUp() override {
        names->addHost({"box.test", {}, {test::address("10.0.0.1")}});
        network.setDefaultAnswer(test::FakeIcmpNetwork::echoReply(test::address("10.0.0.1"), 1));
        network.onRequest([](const test::FakeIcmpNetwork::SentRequest&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        });
        FrameFixture::SetUp();
        operations->start();
        frame->putHostAtStart(QStringLiteral("10.0.0.1"));
        frame->options().setNumber(OptionId::Packets, 5000);
    }
    void TearDown() override {
        names->release();
        FrameFixture::TearDown();
    }
    void start(Running running) {
        ops::OperationControl& control = operations->control();
        switch (running) {
        case Running::Ping:
            control.OnPing();
            break;
        case Running::ContinuousPing:
            frame->options().setNumber(OptionId::ContPing, 1);
            control.OnPing();
            break;
        case Running::Trace:
            network.setDefaultAnswer(std::nullopt); // no hop answers: the trace goes on to its last hop
            control.OnTrace();
            break;
        case Running::Lookup:
            names->hold();
            frame->putHostAtStart(QStringLiteral("box.test"));
            control.OnLookup();
            break;
        case Running::SeqScan: {
            const std::pair<OptionId, const char*> octets[] = {
                {OptionId::SeqScanStart1, "10"}, {OptionId::SeqScanStart2, "0"},
                {OptionId::SeqScanStart3, "0"},  {OptionId::SeqScanStart4, "1"},
                {OptionId::SeqScanEnd3, "3"},    {OptionId::SeqScanEnd4, "254"}};
            for (const auto& [id, octet] : octets)
                frame->options().setText(id, QString::fromLatin1(octet));
            control.OnSeqScan();
            break;
        }
        case Running::ListScan: {
            QStringList hosts;
            for (int host = 1; host < 255; ++host)
                hosts.append(QStringLiteral("10.0.1.%1").arg(host));
            control.OnListScan(hosts);
            break;
        }
        case Running::ISPinger:
            frame->options().setText(OptionId::ISPAddress, QStringLiteral("10.0.0.1"));
            frame->options().setNumber(OptionId::ISPInterval, 1);
            operations->ispinger().OnISPinger();
            break;
        case Running::PingEndingWithContPing:
            // A plain ping runs, the user ticks Continuous Ping, and the window is closed as its last
            // request returns: the worker would then ask for the next ping on its way out.
            frame->options().setNumber(OptionId::Packets, 3);
            network.onRequest([this](const test::FakeIcmpNetwork::SentRequest&) {
                if (network.sent().size() == 1)
                    QMetaObject::invokeMethod(
                        frame.get(), [this] { frame->options().setNumber(OptionId::ContPing, 1); },
                        Qt::BlockingQueuedConnection);
                if (network.sent().size() == 3) {
                    QMetaObject::invokeMethod(
                        frame.get(), [this] { frame->close(); }, Qt::QueuedConnection);
                    // The worker never waits for the window: the last request lasts until the close is
                    // under way.
                    std::this_thread::sleep_for(std::chrono::milliseconds(300));
                }
            });
            control.OnPing();
            break;
        }
    }
    bool underWay(Running running) const {
        if (running == Running::Lookup)
            return !names->namesAsked().empty();
        return !network.sent().empty();
    }
};

TEST_P(CloseDuringAnOperation, ClosesAtOnceAndSavesItsLayout) {
    const RunningCase& running = GetParam();
    std::optional<CloseWatchdog> watchdog;
    const auto watch = [&] { watchdog.emplace(running.name, std::chrono::seconds(2)); };
    const bool closedByTheRun = running.running == Running::PingEndingWithContPing;
    if (closedByTheRun)
        watch();
    start(running.running);
    if (closedByTheRun) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->isVisible(); }, 2000));
    } else {
        ASSERT_TRUE(QTest::qWaitFor([&] { return underWay(running.running); })) << running.name;
        watch();
        EXPECT_TRUE(frame->close());
    }
    watchdog.reset();

    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(frame->flags().anyBusy());
    EXPECT_TRUE(store->valueKind(kWorkspaceSection, "MainFrameState").has_value()) << "the layout is saved";
    if (running.running != Running::ContinuousPing) {
        EXPECT_FALSE(frame->resultsPane().view().toPlainText().contains(QStringLiteral("continuous ping")))
            << "no command starts during the close";
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachKind, CloseDuringAnOperation,
    ::testing::Values(RunningCase{"Ping", Running::Ping},
                      RunningCase{"ContinuousPing", Running::ContinuousPing},
                      RunningCase{"Trace", Running::Trace}, RunningCase{"Lookup", Running::Lookup},
                      RunningCase{"SeqScan", Running::SeqScan}, RunningCase{"ListScan", Running::ListScan},
                      RunningCase{"ISPinger", Running::ISPinger},
                      RunningCase{"PingEndingWithContPing", Running::PingEndingWithContPing}),
    [](const ::testing::TestParamInfo<RunningCase>& running) { return std::string(running.param.name); });

using Restart = FrameFixture;

TEST_F(Restart, HostTextsHistoryAndLayoutSurvive) {
    frame->profileNameBox()->setText(QStringLiteral("Lab router"));
    frame->addHostToHistory(QStringLiteral("example.org"), false);
    frame->addHostToHistory(QStringLiteral("10.0.0.1"), false);
    frame->hostBox()->setEditText(QStringLiteral("10.0.0.1"));
    frame->toolBar("SeqScan")->hide();
    frame->pane(cmd::kProfileManagerPane)->hide();
    frame->commands().trigger(cmd::kRoundTripPlotPane);
    frame->resize(1000, 700);

    reopen();

    EXPECT_EQ(frame->profileNameBox()->text(), QStringLiteral("Lab router"));
    EXPECT_THAT(frame->hostBox()->history(), ElementsAre("example.org", "10.0.0.1"));
    EXPECT_TRUE(frame->layoutRestored());
    EXPECT_FALSE(frame->toolBar("SeqScan")->isVisible());
    EXPECT_TRUE(frame->toolBar("Toolkit")->isVisible());
    EXPECT_FALSE(frame->pane(cmd::kProfileManagerPane)->isVisible());
    EXPECT_TRUE(frame->pane(cmd::kRoundTripPlotPane)->isVisible());
    frame->RefreshCommandUI();
    EXPECT_TRUE(frame->commands().action(cmd::kRoundTripPlotPane)->isChecked());
    EXPECT_EQ(store->GetProfileString("MRU", "Address"), QStringLiteral("10.0.0.1"));
}

TEST_F(Restart, AHiddenStatusBarAndHiddenToolbarButtonsStayHidden) {
    frame->commands().action(cmd::kStatusBar)->trigger();
    // Customize is offered in the bars' context menu.
    {
        const std::unique_ptr<QMenu> barsMenu(frame->createPopupMenu());
        ASSERT_TRUE(barsMenu->actions().contains(frame->commands().action(cmd::kCustomize)));
    }
    frame->commands().action(cmd::kCustomize)->trigger();
    auto* customize = frame->findChild<ui::ToolBarCustomizeDialog*>();
    ASSERT_NE(customize, nullptr);
    auto* lookup = frame->toolBar("Toolkit")->findChild<QToolButton*>(QStringLiteral("button401"));
    ASSERT_TRUE(customize->checkBox(cmd::kLookupButton)->isChecked());
    customize->checkBox(cmd::kLookupButton)->click();
    customize->checkBox(cmd::kClearLogButton)->click();
    // The toolbar lays its buttons out again when it next can.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !lookup->isVisibleTo(frame.get()); }));
    // Only the button goes: the command keeps its menu item and its key.
    EXPECT_TRUE(frame->commands().action(cmd::kLookupButton)->isVisible());
    customize->close();

    reopen();

    EXPECT_FALSE(frame->statusBar()->isVisible());
    EXPECT_FALSE(frame->commands().action(cmd::kStatusBar)->isChecked());
    lookup = frame->toolBar("Toolkit")->findChild<QToolButton*>(QStringLiteral("button401"));
    EXPECT_FALSE(lookup->isVisible());
    EXPECT_FALSE(frame->toolBar("Log")->findChild<QToolButton*>(QStringLiteral("button432"))->isVisible());
    EXPECT_TRUE(frame->toolBar("Toolkit")->findChild<QToolButton*>(QStringLiteral("button400"))->isVisible());

    // Reset shows every button again, and so it stays.
    frame->commands().action(cmd::kCustomize)->trigger();
    customize = frame->findChild<ui::ToolBarCustomizeDialog*>();
    ASSERT_NE(customize, nullptr);
    EXPECT_FALSE(customize->checkBox(cmd::kLookupButton)->isChecked());
    customize->findChild<QPushButton*>(QStringLiteral("ResetButton"))->click();
    EXPECT_TRUE(customize->checkBox(cmd::kLookupButton)->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([&] { return lookup->isVisible(); }));
    frame->commands().action(cmd::kStatusBar)->trigger();
    customize->close();

    reopen();

    EXPECT_TRUE(frame->statusBar()->isVisible());
    EXPECT_TRUE(frame->toolBar("Toolkit")->findChild<QToolButton*>(QStringLiteral("button401"))->isVisible());
    EXPECT_TRUE(frame->toolBar("Log")->findChild<QToolButton*>(QStringLiteral("button432"))->isVisible());
}

TEST_F(Restart, DamagedLayoutValuesAreIgnored) {
    frame->close();
    frame.reset();
    ASSERT_TRUE(
        store->WriteProfileBinary(kWorkspaceSection, "HostBoxHistory", QByteArray("\xff\x01junk", 7)));
    ASSERT_TRUE(store->WriteProfileBinary(kWorkspaceSection, "MainFrameState", QByteArray(40, '\x7f')));
    ASSERT_TRUE(store->WriteProfileBinary(kWorkspaceSection, "MainFrameGeometry", QByteArray("short")));
    ASSERT_TRUE(store->WriteProfileString(kWorkspaceSection, "HiddenButtons", "x,-3,,99999999999"));
    store.reset();
    open();
    EXPECT_TRUE(frame->hostBox()->history().isEmpty());
    EXPECT_FALSE(frame->layoutRestored());
    EXPECT_TRUE(frame->toolBar("Toolkit")->isVisible());
    EXPECT_TRUE(frame->resultsPane().isVisible());
}

TEST_F(Restart, TheResultsKeepTheirRoomOverRestartsAndGainWhatTheWindowGains) {
    QWidget* results = &frame->resultsPane();
    QDockWidget* options = frame->pane(cmd::kPingOptions);
    auto placeOf = [&](QWidget* widget) {
        return QRect(widget->mapTo(frame.get(), QPoint()), widget->size());
    };
    frame->resize(1000, 700);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->width() == 1000 && results->width() > 400; }));
    const QRect place = placeOf(results);
    const int optionsHeight = options->height();
    for (int restart = 0; restart < 5; ++restart) {
        reopen();
        results = &frame->resultsPane();
        EXPECT_EQ(placeOf(results), place) << "after restart " << restart + 1;
    }

    // A larger window gives its room to the Results, not to the panes around them; that is kept too.
    frame->resize(1400, 1000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->height() == 1000; }));
    EXPECT_GE(results->height(), place.height() + 300);
    EXPECT_EQ(frame->pane(cmd::kPingOptions)->height(), optionsHeight);
    const QRect larger = placeOf(results);
    reopen();
    EXPECT_EQ(placeOf(&frame->resultsPane()), larger);

    // A layout that leaves the Results less than their least room (as an older version saved it) is not
    // used: the window starts with its starting layout.
    frame->resultsPane().setMinimumSize(0, 0);
    frame->resizeDocks({frame->pane(cmd::kPingOptions)}, {frame->height()}, Qt::Vertical);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->resultsPane().height() < 160; }));
    reopen();
    EXPECT_LT(frame->pane(cmd::kPingOptions)->height(), frame->height() / 4);
    EXPECT_GT(frame->resultsPane().height(), frame->height() / 2);
}

TEST_F(Restart, ChosenStyleIsAppliedSavedAndChecked) {
    // A new store has the System look, which follows the desktop's palette as it changes: on a dark one
    // the Results page is dark too.
    EXPECT_EQ(frame->applicationLook(), cmd::kLookSystem);
    EXPECT_TRUE(frame->commands().action(cmd::kLookSystem)->isChecked());
    const QColor desktopWindow = QApplication::palette().color(QPalette::Window);
    const auto page = [&] { return frame->resultsPane().view().viewport()->palette(); };
    EXPECT_EQ(page().color(QPalette::Base), QColor(Qt::white));
    QApplication::setPalette(QPalette(QColor(50, 50, 50), QColor(35, 38, 41)));
    EXPECT_EQ(frame->resultsPane().view().pageColours().shade(), output::PageColours::Shade::Dark);
    EXPECT_LT(page().color(QPalette::Base).lightness(), 64);
    EXPECT_GT(page().color(QPalette::Text).lightness(), 192);

    ASSERT_TRUE(frame->commands().trigger(216));
    EXPECT_EQ(store->GetProfileInt(kWorkspaceSection, "ApplicationLook", 0), 216);
    EXPECT_TRUE(frame->commands().action(216)->isChecked());
    EXPECT_FALSE(frame->commands().action(214)->isChecked());
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(83, 83, 83));

    ASSERT_TRUE(frame->commands().trigger(210));
    EXPECT_EQ(QApplication::style()->name(), QStringLiteral("windows"));
    const QColor classic = QApplication::palette().color(QPalette::Window);
    ASSERT_TRUE(frame->commands().trigger(218));
    EXPECT_EQ(QApplication::style()->name(), QStringLiteral("fusion"));
    EXPECT_NE(QApplication::palette().color(QPalette::Window), classic);
    // Back to the System look: the desktop's palette again, and a light page on it.
    ASSERT_TRUE(frame->commands().trigger(cmd::kLookSystem));
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), desktopWindow);
    EXPECT_EQ(page().color(QPalette::Base), QColor(Qt::white));
    ASSERT_TRUE(frame->commands().trigger(218));

    reopen();
    EXPECT_EQ(frame->applicationLook(), 218);
    EXPECT_TRUE(frame->commands().action(218)->isChecked());
}

// With logging off a start and a close touch no log: the folder a bare log name goes to stays empty. A log
// that cannot be opened at a start with logging on turns logging off and says so in the Results window.
TEST_F(Restart, TheLogIsTouchedOnlyWhenLoggingAndFailsToOpenWithoutABox) {
    QTemporaryDir current;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current.path()));
    const auto back = qScopeGuard([&] { QDir::setCurrent(previous); });
    auto restartWith = [this](const QString& logName, int logCheck) {
        ASSERT_TRUE(frame->close());
        frame.reset();
        store->WriteProfileString(settings::section::kOptions, "Log String", logName);
        store->WriteProfileInt(settings::section::kOptions, "Log Check", logCheck);
        store.reset();
        open();
    };
    restartWith(QStringLiteral("Vtrlog.rtf"), 0);
    restartWith(QStringLiteral("Vtrlog.rtf"), 0);
    EXPECT_TRUE(
        QDir(current.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));

    const QString unreachable = current.filePath(QStringLiteral("missing/Vtrlog.rtf"));
    restartWith(unreachable, 1);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'\n').toStdString();
    EXPECT_FALSE(frame->resultLog().isLogging());
    EXPECT_EQ(frame->statusPane(cmd::kLogPane)->toolTip(),
              QStringLiteral("Double-click here to start logging"));
    EXPECT_TRUE(frame->resultsPane().view().toPlainText().contains(
        QStringLiteral("Could not open the log file \"%1\": No such file or directory. Logging is off.")
            .arg(unreachable)));
    ASSERT_TRUE(frame->close());
    EXPECT_EQ(store->GetProfileInt(settings::section::kOptions, "Log Check", 0), 1)
        << "the next start tries the log again";
}

TEST_F(Restart, TheResultsStayBlackOnWhiteInADarkLook) {
    ASSERT_TRUE(frame->commands().trigger(216));
    reopen();
    frame->show();
    const QPalette page = frame->resultsPane().view().viewport()->palette();
    EXPECT_EQ(page.color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(page.color(QPalette::Text), QColor(Qt::black));
}

TEST_F(Restart, StoredStyleThatNamesNoneFallsBackToTheDefault) {
    frame->close();
    ASSERT_TRUE(store->WriteProfileInt(kWorkspaceSection, "ApplicationLook", 999));
    frame.reset();
    store.reset();
    open();
    EXPECT_EQ(frame->applicationLook(), cmd::kLookSystem);
}

// Export, a change, and import from the Other pane's buttons: the export holds the options shown (an
// ISPinger server typed in this run), the import asks first, and the running window shows the imported
// options, profiles and ListScan list at once; a damaged file is refused and changes nothing. The
// buttons' tips name the export file and the home folder.
TEST_F(Restart, ImportedSettingsTakeEffectInTheRunningWindow) {
    frame->close();
    frame.reset();
    store->WriteProfileInt(settings::section::kOptions, "Packets", 9);
    store->WriteProfileString(settings::section::kProfiles, "Lab", "10.1.1.1");
    store->WriteProfileString(settings::section::kListScanHosts, "lab.test", "lab.test");
    store.reset();
    open();
    const QString file = dirPath() + QStringLiteral("/VantrelExport.vtr");
    QPushButton* exportButton = frame->otherOptionsPane()->button(cmd::kExportSettings);
    QPushButton* importButton = frame->otherOptionsPane()->button(cmd::kImportSettings);
    const auto tipOf = [](QWidget* button) {
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(button, &help);
        return QToolTip::text();
    };
    const QString home = dirPath() + QStringLiteral("/");
    EXPECT_FALSE(frame->commands().action(cmd::kImportSettings)->isEnabled()) << "no export file yet";
    EXPECT_EQ(tipOf(exportButton),
              QStringLiteral("Export Vantrel's settings to the file VantrelExport.vtr.\n"
                             "This file will be placed in the Vantrel home directory...\n") +
                  home);
    EXPECT_EQ(
        tipOf(importButton),
        QStringLiteral("There is no import file VantrelExport.vtr\n in the Vantrel home directory...\n") +
            home);
    auto* ispinger = static_cast<ui::CNxISPingerOptionsPaneDialog*>(frame->optionPane(cmd::kISPingerOptions));
    ispinger->serverAddressBox()->setText(QStringLiteral("isp.test"));
    frame->commands().trigger(cmd::kExportSettings);
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_TRUE(boxes.last().startsWith(QStringLiteral("Export Settings Success: ")));
    EXPECT_TRUE(boxes.last().contains(QStringLiteral("  [") + home + QStringLiteral("]")));
    EXPECT_EQ(store->GetProfileString(settings::section::kOptions, "ISPAddress"), QStringLiteral("isp.test"))
        << "the export saved the options shown first";
    EXPECT_TRUE(tipOf(exportButton).startsWith(QStringLiteral("Delete the current export file and export")));
    EXPECT_EQ(tipOf(importButton), QStringLiteral("Import Vantrel's settings."));

    // A second export asks first; Cancel keeps the old file as it is.
    store->WriteProfileInt(settings::section::kOptions, "Packets", 3);
    store->deleteKey(settings::section::kProfiles);
    store->deleteKey(settings::section::kListScanHosts);
    ispinger->serverAddressBox()->clear();
    const QByteArray exported = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QStringList& asked = dialogs.asked;
    frame->commands().trigger(cmd::kExportSettings);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked.takeFirst().startsWith(QStringLiteral("Export File Delete Warning: ")));
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), exported);
    kept.close();

    // Import names the file and its date, and Cancel leaves everything as it is.
    frame->RefreshCommandUI();
    ASSERT_TRUE(frame->commands().action(cmd::kImportSettings)->isEnabled());
    const qsizetype shown = boxes.size();
    frame->commands().trigger(cmd::kImportSettings);
    EXPECT_EQ(asked, QStringList{QStringLiteral("Import Settings: Replace all current settings with those in "
                                                "\"%1\" (saved %2)?")
                                     .arg(file, output::formatTimeStamp(QFileInfo(file).lastModified()))});
    EXPECT_EQ(boxes.size(), shown);
    EXPECT_EQ(store->GetProfileInt(settings::section::kOptions, "Packets", 0), 3);
    dialogs.okAnswer = true;
    frame->commands().trigger(cmd::kImportSettings);
    EXPECT_EQ(boxes.last(), QStringLiteral("Import Settings: Settings were successfully imported."));
    EXPECT_EQ(frame->options().number(OptionId::Packets), 9);
    EXPECT_EQ(frame->options().text(OptionId::ISPAddress), QStringLiteral("isp.test"));
    EXPECT_EQ(ispinger->serverAddressBox()->text(), QStringLiteral("isp.test"));
    ASSERT_EQ(frame->profiles().book().entries().size(), 1u);
    EXPECT_EQ(frame->profiles().book().entries().front().address, QStringLiteral("10.1.1.1"));
    EXPECT_EQ(frame->listScanAddresses(), QStringList{QStringLiteral("lab.test")});

    // A truncated file: refused whole, and the window and store keep what they have.
    store->WriteProfileInt(settings::section::kOptions, "Packets", 4);
    QFile truncated(file);
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    truncated.write(exported.left(exported.size() / 2));
    truncated.close();
    frame->commands().trigger(cmd::kImportSettings);
    EXPECT_TRUE(
        boxes.last().startsWith(QStringLiteral("Import Error: Import: Restore failed with error code ")))
        << boxes.last().toStdString();
    EXPECT_EQ(store->GetProfileInt(settings::section::kOptions, "Packets", 0), 4);
    EXPECT_EQ(frame->options().number(OptionId::Packets), 9);
}

// The application start, with the command line's host or the last one.
class ApplicationStart : public FrameFixture {
protected:
    std::unique_ptr<CVantrelApp> start(const QStringList& arguments) {
        GuiArguments parsed = parseGuiArguments(arguments);
        EXPECT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();
        auto app = std::make_unique<CVantrelApp>(parsed, dirPath(), dialogs);
        EXPECT_TRUE(app->InitInstance());
        return app;
    }
};

TEST_F(ApplicationStart, HostArgumentOverridesTheLastHost) {
    frame->addHostToHistory(QStringLiteral("a.example"), false);
    frame->hostBox()->setEditText(QStringLiteral("a.example"));
    frame->close();
    frame.reset();
    store.reset();

    auto app = start({QStringLiteral("--config-dir"), dirPath(), QStringLiteral("192.0.2.7")});
    EXPECT_EQ(app->frame()->hostBoxText(), QStringLiteral("192.0.2.7"));
    EXPECT_THAT(app->frame()->hostBox()->history(), ElementsAre("a.example", "192.0.2.7"));
    EXPECT_EQ(app->frame()->windowTitle(), QStringLiteral("Vantrel 2.0"));
    app->frame()->close();
    app.reset();

    app = start({QStringLiteral("--config-dir"), dirPath()});
    EXPECT_EQ(app->frame()->hostBoxText(), QStringLiteral("192.0.2.7"));
    app->frame()->hostBox()->setEditText(QString());
    app->frame()->close();
    app.reset();

    // An empty host at close leaves the box empty next time and adds nothing.
    app = start({QStringLiteral("--config-dir=") + dirPath()});
    EXPECT_EQ(app->frame()->hostBoxText(), QString());
    EXPECT_THAT(app->frame()->hostBox()->history(), ElementsAre("a.example", "192.0.2.7"));
    app->frame()->close();
}

TEST_F(ApplicationStart, FirstStartHasNoSavedLayout) {
    QTemporaryDir fresh;
    settings::RegistryStore::open(settings::StoreLocation{fresh.path()})
        ->WriteProfileString(settings::section::kOptions, "Log String", fresh.filePath("Vtrlog.rtf"));
    auto app = start({QStringLiteral("--config-dir"), fresh.path()});
    EXPECT_FALSE(app->frame()->layoutRestored());
    EXPECT_TRUE(app->frame()->isVisible());
    // Un-maximised, it leaves room on the screen for the window manager's title bar.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LT(app->frame()->normalGeometry().height(), screen.height());
    EXPECT_GE(app->frame()->normalGeometry().top(), screen.top());
    app->frame()->close();
}

// The first start of another version throws the saved layout away and keeps the starting one for Reset
// GUI, which puts it back later without moving the window or losing the boxes' texts.
TEST_F(ApplicationStart, AnotherVersionStartsWithTheStartingLayoutWhichResetGuiBringsBack) {
    frame->toolBar("SeqScan")->hide();
    frame->close();
    frame.reset();
    store->WriteProfileString("Version", "ProductVersion", "1.9.0.0");
    store.reset();
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0.0.0"));
    const auto restoreVersion = qScopeGuard([] { QCoreApplication::setApplicationVersion(QString()); });

    auto app = start({QStringLiteral("--config-dir"), dirPath()});
    CMainFrame& started = *app->frame();
    QStringList& shown = dialogs.boxes;
    shown.clear();
    EXPECT_TRUE(started.isMaximized());
    EXPECT_TRUE(started.toolBar("SeqScan")->isVisibleTo(&started));
    EXPECT_EQ(started.CheckProductVersion(), true) << "the version is stored now";

    started.toolBar("Toolkit")->hide();
    started.profileNameBox()->setText(QStringLiteral("Edge"));
    started.hostBox()->setEditText(QStringLiteral("edge.test"));
    // Reset GUI asks first; Cancel changes nothing.
    const QStringList& asked = dialogs.asked;
    dialogs.asked.clear();
    dialogs.okAnswer = false;
    started.commands().trigger(cmd::kResetGui);
    EXPECT_EQ(asked, QStringList{QStringLiteral(
                         "Reset GUI: Reset the toolbars and panes to their original layout?")});
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_FALSE(started.toolBar("Toolkit")->isVisibleTo(&started));
    // In a narrow window the reset toolbars break into lines again, so the host box stays in view.
    started.showNormal();
    started.resize(800, 600);
    QCoreApplication::processEvents();
    const QRect narrow = started.geometry();
    dialogs.okAnswer = true;
    started.commands().trigger(cmd::kResetGui);
    EXPECT_EQ(shown, QStringList{QStringLiteral("Reset GUI: The GUI was successfully reset.")});
    EXPECT_TRUE(started.toolBar("Toolkit")->isVisibleTo(&started));
    EXPECT_TRUE(started.hostBox()->isVisibleTo(&started));
    EXPECT_EQ(started.profileNameBox()->text(), QStringLiteral("Edge"));
    EXPECT_EQ(started.hostBoxText(), QStringLiteral("edge.test"));
    EXPECT_EQ(started.geometry(), narrow);
    started.close();
}

} // namespace
} // namespace vantrel::app::testing
