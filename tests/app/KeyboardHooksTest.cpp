// The keyboard rules: Tab from the Profile Name box to the host box, Enter anywhere runs Ping.
#include "FrameFixture.h"
#include "output/CommandIds.h"
#include "ui/CNxEditBrowseControl.h"
#include "ui/CNxLogOptionsPaneDialog.h"
#include "ui/HostComboBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

namespace vantrel::app::testing {
namespace {

using KeyboardRules = FrameFixture;

TEST_F(KeyboardRules, TabInProfileNameBoxSelectsTheHostText) {
    frame->hostBox()->setEditText(QStringLiteral("example.org"));
    frame->profileNameBox()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->profileNameBox()->hasFocus(); }));

    QTest::keyClick(frame->profileNameBox(), Qt::Key_Tab);

    EXPECT_TRUE(frame->hostBox()->lineEdit()->hasFocus());
    EXPECT_EQ(frame->hostBox()->lineEdit()->selectedText(), QStringLiteral("example.org"));
}

TEST_F(KeyboardRules, EnterReleasedAnywhereRunsPingEvenWhileDisabled) {
    std::vector<ops::CommandId> ran;
    frame->setOperationHandler([&](ops::CommandId command) { ran.push_back(command); });

    QTest::keyClick(frame->hostBox()->lineEdit(), Qt::Key_Return);
    QTest::keyClick(frame->logOptionsPane()->fileNameBox()->lineEdit(), Qt::Key_Enter);
    ASSERT_EQ(ran.size(), 2u);
    EXPECT_EQ(ran[0], ops::CommandId::PingButton);

    // The rule runs Ping whatever its enabling; the Ping command itself decides on start or cancel.
    frame->flags().startOperation(ops::Operation::Trace);
    frame->RefreshCommandUI();
    QTest::keyClick(frame->profileNameBox(), Qt::Key_Return);
    EXPECT_EQ(ran.size(), 3u);
    frame->flags().lookupReported(); // the trace is over
}

TEST_F(KeyboardRules, EnterFromTheWindowSystemRunsPingOnce) {
    std::vector<ops::CommandId> ran;
    frame->setOperationHandler([&](ops::CommandId command) { ran.push_back(command); });
    frame->show();
    frame->activateWindow();
    frame->hostBox()->lineEdit()->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));

    // Typed keys reach the top-level window before the focused widget and its parents.
    QTest::keyClick(frame->windowHandle(), Qt::Key_Return);
    EXPECT_EQ(ran.size(), 1u);
}

TEST_F(KeyboardRules, EnterReleaseWithoutItsPressInTheWindowRunsNothing) {
    int pings = 0;
    frame->setOperationHandler([&](ops::CommandId) { ++pings; });

    // The press closed a box outside the main window; only the release reaches the frame.
    QWidget outside;
    outside.show();
    QTest::keyPress(&outside, Qt::Key_Return);
    QTest::keyRelease(frame->hostBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(pings, 0);

    // Nor does the Enter that chose a menu item.
    QMenu* menu = frame->menuBar()->actions().front()->menu();
    QTest::keyPress(menu, Qt::Key_Return);
    QTest::keyRelease(frame->hostBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(pings, 0);

    // Keys outside the window run nothing either.
    QTest::keyClick(&outside, Qt::Key_Return);
    EXPECT_EQ(pings, 0);

    QTest::keyClick(frame->hostBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(pings, 1);
}

} // namespace
} // namespace vantrel::app::testing
