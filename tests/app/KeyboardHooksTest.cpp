// The keyboard rules: Tab from the Profile Name box to the host box, Enter in the window runs Ping,
// the accelerators keep their commands wherever the focus is.
#include "FrameFixture.h"
#include "app/CommandTable.h"
#include "commands/CommandIds.h"
#include "ui/CNxEditBrowseControl.h"
#include "ui/CNxLogOptionsPaneDialog.h"
#include "ui/CNxSeqScanOptionsPaneDialog.h"
#include "ui/CStatusViewPane.h"
#include "ui/HostComboBox.h"
#include "ui/OptionPane.h"
#include "ui/ResultsTextView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <map>
#include <string>

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

TEST_F(KeyboardRules, ShiftTabFromTheHostBoxStaysInTheProfileNameBox) {
    QWindow* window = frame->windowHandle();
    // Released with Shift held, or after Shift: the Tab came from the host box and moves nothing more.
    for (const Qt::KeyboardModifiers releasedWith :
         {Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::KeyboardModifiers(Qt::NoModifier)}) {
        frame->hostBox()->lineEdit()->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return frame->hostBox()->lineEdit()->hasFocus(); }));
        QTest::keyPress(window, Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyRelease(window, releasedWith ? Qt::Key_Backtab : Qt::Key_Tab, releasedWith);
        EXPECT_TRUE(frame->profileNameBox()->hasFocus()) << int(releasedWith);
    }
}

// The control a screen reader is told has the focus, followed down the accessibility tree.
QObject* accessibleFocus() {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(qApp);
    for (int depth = 0; face && depth < 64; ++depth) {
        QAccessibleInterface* child = face->focusChild();
        if (!child || child == face)
            break;
        face = child;
    }
    return face ? face->object() : nullptr;
}

// The controls the keys reach from the host box, in turn, until they come back to it.
QList<QObject*> walk(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QList<QObject*> reached{accessibleFocus()};
    for (int step = 0; step < 200; ++step) {
        QTest::keyClick(window, key, modifiers);
        // The docks' tab bar is not in the tree: it is the widget with the focus.
        QObject* now = accessibleFocus();
        if (!now)
            now = QApplication::focusWidget();
        if (now == reached.front())
            return reached;
        reached.append(now);
    }
    return reached; // no way back: the walk is caught somewhere
}

QString describe(const QList<QObject*>& controls) {
    QStringList names;
    for (QObject* control : controls) {
        QAccessibleInterface* face = control ? QAccessible::queryAccessibleInterface(control) : nullptr;
        names.append(face ? face->text(QAccessible::Name) + QLatin1Char('/') + control->objectName()
                          : QStringLiteral("(none)"));
    }
    return names.join(QStringLiteral(", "));
}

TEST_F(KeyboardRules, TabAndShiftTabWalkEveryControlOfTheWindowBothWays) {
    QWindow* window = frame->windowHandle();
    QWidget* host = frame->hostBox()->lineEdit();
    QWidget* results = &frame->resultsPane().view();
    frame->pane(cmd::kSeqScanOptions)->raise();
    host->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return host->hasFocus() && accessibleFocus() == host; }));
    const QList<QObject*> forward = walk(window, Qt::Key_Tab, Qt::NoModifier);
    const QList<QObject*> backward = walk(window, Qt::Key_Backtab, Qt::ShiftModifier);
    const std::string where = describe(forward).toStdString();
    ASSERT_TRUE(host->hasFocus()) << where;
    // Shift+Tab goes the same way back.
    QList<QObject*> reversed(forward.rbegin(), forward.rend() - 1);
    reversed.prepend(host);
    EXPECT_EQ(backward, reversed) << where << "\n" << describe(backward).toStdString();

    // The toolbar's boxes, the Profile Manager, the Results, which Tab leaves, and the options.
    const auto at = [&](const QObject* control) { return forward.indexOf(control); };
    EXPECT_EQ(at(frame->profileNameBox()), forward.size() - 1) << where;
    EXPECT_GT(at(frame->profileManagerList()), 0) << where;
    EXPECT_GT(at(results), at(frame->profileManagerList())) << where;
    for (int pane : {cmd::kPingOptions, cmd::kLogOptions, cmd::kSeqScanOptions, cmd::kListScanOptions,
                     cmd::kISPingerOptions, cmd::kOtherOptions}) {
        // Every control of the pane in front that takes the focus by Tab, after the Results; none of the
        // panes behind it, where a typed key would change an option out of sight.
        for (QWidget* control : frame->optionPane(pane)->findChildren<QWidget*>()) {
            if ((control->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
                control->isVisibleTo(frame.get()) && control->isEnabled() && !control->focusProxy()) {
                if (pane == cmd::kSeqScanOptions)
                    EXPECT_GT(at(control), at(results)) << control->objectName().toStdString() << where;
                else
                    EXPECT_EQ(at(control), -1) << control->objectName().toStdString() << where;
            }
        }
    }
    // The SeqScan pane as it reads: the range, the groups, the ping options.
    const ui::CNxSeqScanOptionsPaneDialog* seqScan = frame->seqScanPane();
    QWidget* groupName = seqScan->findChild<QLineEdit*>(QStringLiteral("edit1157"));
    for (int octet : {1119, 1120, 1121, 1122, 1123})
        EXPECT_EQ(at(seqScan->octetField(octet)) + 1,
                  at(seqScan->octetField(octet == 1122 ? 1123 : octet + 1)))
            << octet << where;
    EXPECT_LT(at(seqScan->octetField(1124)), at(groupName)) << where;
    EXPECT_LT(at(groupName),
              at(seqScan->control(settings::optionSpec(settings::OptionId::SeqScanPackets).controlId)))
        << where;
}

TEST_F(KeyboardRules, ADottedAddressTypedIntoTheOctetFieldsFillsThemInTurn) {
    ui::CNxSeqScanOptionsPaneDialog* pane = frame->seqScanPane();
    frame->pane(cmd::kSeqScanOptions)->raise();
    pane->octetField(1119)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pane->octetField(1119)->hasFocus(); }));
    // Typed as a user types: each key to the window, which hands it to the focused field. The period
    // after three digits, which moved on by themselves, moves no further.
    for (const char c : std::string("192.168.1.10.5"))
        QTest::keyClick(frame->windowHandle(), c);
    EXPECT_EQ(pane->octetField(1119)->text(), QStringLiteral("192"));
    EXPECT_EQ(pane->octetField(1120)->text(), QStringLiteral("168"));
    EXPECT_EQ(pane->octetField(1121)->text(), QStringLiteral("1"));
    EXPECT_EQ(pane->octetField(1122)->text(), QStringLiteral("10"));
    EXPECT_EQ(pane->octetField(1123)->text(), QStringLiteral("5"));
    QTest::keyClick(frame->windowHandle(), Qt::Key_Right);
    QTest::keyClick(frame->windowHandle(), Qt::Key_Right); // from the last field back to the first
    EXPECT_TRUE(pane->octetField(1119)->hasFocus());
}

TEST_F(KeyboardRules, EnterReleasedAnywhereRunsPingEvenWhileDisabled) {
    std::vector<ops::CommandId> ran;
    QObject::connect(frame.get(), &CMainFrame::operationCommand,
                     [&](ops::CommandId command) { ran.push_back(command); });

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
    QObject::connect(frame.get(), &CMainFrame::operationCommand,
                     [&](ops::CommandId command) { ran.push_back(command); });
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
    QObject::connect(frame.get(), &CMainFrame::operationCommand, [&](ops::CommandId) { ++pings; });

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

    // Nor the Enter that ends the renaming of a profile in its list.
    QLineEdit editor(frame->profileManagerList()->viewport());
    QTest::keyClick(&editor, Qt::Key_Return);
    EXPECT_EQ(pings, 0);

    // Keys outside the window run nothing either.
    QTest::keyClick(&outside, Qt::Key_Return);
    EXPECT_EQ(pings, 0);

    QTest::keyClick(frame->hostBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(pings, 1);
}

TEST_F(KeyboardRules, EnterThatClosesADialogOfTheWindowStartsNoPing) {
    int pings = 0;
    QObject::connect(frame.get(), &CMainFrame::operationCommand, [&](ops::CommandId) { ++pings; });
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Log Error"), QStringLiteral("No room."),
                    QMessageBox::Ok, frame.get());
    QFileDialog files(frame->logOptionsPane());
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.selectFile(logPath());
    for (QDialog* dialog : {static_cast<QDialog*>(&box), static_cast<QDialog*>(&files)}) {
        QTimer::singleShot(0, dialog, [dialog] {
            ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
            QTest::keyPress(dialog->windowHandle(), Qt::Key_Return);
        });
        dialog->exec();
        EXPECT_FALSE(dialog->isVisible());
        // The release comes to the main window, which has the focus again.
        QTest::keyRelease(frame->windowHandle(), Qt::Key_Return);
        EXPECT_EQ(pings, 0) << dialog->metaObject()->className();
    }
}

// Counts the key presses, other than of modifier keys alone, that reach a widget.
class KeyPressCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            presses += key != Qt::Key_Control && key != Qt::Key_Shift && key != Qt::Key_Alt;
        }
        return false;
    }
};

TEST_F(KeyboardRules, EveryAcceleratorRunsItsCommandWhereverTheFocusIs) {
    // The commands' handlers stay out of it: what counts is which command each key reaches.
    std::map<int, int> ran;
    for (QAction* action : frame->commands().actions()) {
        QObject::disconnect(action, &QAction::triggered, frame.get(), nullptr);
        QObject::connect(action, &QAction::triggered, [&ran, id = action->data().toInt()] { ++ran[id]; });
    }
    frame->pane(cmd::kLogOptions)->raise();
    const QList<int> editCommands = {cmd::kClearAllText, cmd::kCopy,      cmd::kCut,
                                     cmd::kPaste,        cmd::kSelectAll, cmd::kUndo};
    const std::vector<QWidget*> places = {
        frame->hostBox()->lineEdit(), frame->profileNameBox(), &frame->resultsPane().view(),
        frame->logOptionsPane()->fileNameBox()->lineEdit(), frame->profileManagerList()};
    for (QWidget* place : places) {
        place->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return place->hasFocus(); })) << place->objectName().toStdString();
        // The keys reach the focus widget: the host box itself, which hands them to its edit field.
        QWidget* receiver = QApplication::focusWidget();
        KeyPressCounter counter;
        receiver->installEventFilter(&counter);
        const bool textBox = qobject_cast<QLineEdit*>(place) != nullptr;
        for (const CommandSpec& spec : commandSpecs()) {
            for (const QKeySequence& key : spec.keys) {
                ran.clear();
                counter.presses = 0;
                const bool enabled = frame->commands().action(spec.id)->isEnabled();
                QTest::keyClick(frame->windowHandle(), key[0].key(), key[0].keyboardModifiers());
                const std::string where =
                    key.toString().toStdString() + " in " + place->metaObject()->className();
                if (textBox && editCommands.contains(spec.id)) {
                    // A text box keeps the editing keys it knows; the command serves it with the others.
                    EXPECT_EQ(ran[spec.id] + counter.presses, 1) << where;
                    continue;
                }
                EXPECT_EQ(ran[spec.id], enabled ? 1 : 0) << where;
                EXPECT_EQ(ran.size(), 1u) << where;
                EXPECT_EQ(counter.presses, 0) << where;
            }
        }
        receiver->removeEventFilter(&counter);
    }
}

TEST_F(KeyboardRules, EditKeysActOnTheFocusedBoxOrTheResultsAndCtrlEExits) {
    std::vector<ops::CommandId> ran;
    QObject::connect(frame.get(), &CMainFrame::operationCommand,
                     [&](ops::CommandId command) { ran.push_back(command); });
    QWindow* window = frame->windowHandle();
    QApplication::clipboard()->setText(QStringLiteral("lab"));

    QWidget* results = &frame->resultsPane().view();
    results->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return results->hasFocus(); }));
    QTest::keyClick(window, Qt::Key_Delete, Qt::ShiftModifier); // Clear All, not Cut
    EXPECT_EQ(frame->resultsPane().view().textSizeBytes(), 0);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("lab"));
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_GT(frame->resultsPane().view().textSizeBytes(), 0);
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier); // Ping, not the line above
    EXPECT_EQ(ran.size(), 1u);

    QLineEdit* profile = frame->profileNameBox();
    profile->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return profile->hasFocus(); }));
    QTest::keyClick(window, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(profile->text(), QStringLiteral("lab"));

    QLineEdit* host = frame->hostBox()->lineEdit();
    host->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return host->hasFocus(); }));
    QTest::keyClicks(host, QStringLiteral("example.org"));
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_Delete, Qt::ShiftModifier); // the box's Cut
    EXPECT_EQ(host->text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("example.org"));
    QTest::keyClick(window, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(host->text(), QStringLiteral("example.org"));

    // The multi-line packet data box edits with the same keys.
    frame->pane(cmd::kPingOptions)->raise();
    auto* data = frame->optionPane(cmd::kPingOptions)->findChild<QPlainTextEdit*>();
    ASSERT_NE(data, nullptr);
    const QString sent = data->toPlainText();
    data->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return data->hasFocus(); }));
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_Delete, Qt::ShiftModifier); // the box's Cut
    EXPECT_EQ(data->toPlainText(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), sent);
    QTest::keyClick(window, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(data->toPlainText(), sent);
    QTest::keyClick(window, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(data->toPlainText(), sent + sent);
    QTest::keyClick(window, Qt::Key_E, Qt::ControlModifier); // Exit, not the end of the line
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(KeyboardRules, TheHostsToolbarBoxesKeepQtsStandardEditingKeys) {
    const struct {
        QKeyCombination key;
        const char* text;      // the box's text after the key
        const char* clipboard; // the clipboard's text after it
    } steps[] = {
        {Qt::CTRL | Qt::Key_A, "lab", "pasted"},
        {Qt::CTRL | Qt::Key_C, "lab", "lab"},
        {Qt::CTRL | Qt::Key_X, "", "lab"},
        {Qt::CTRL | Qt::Key_Z, "lab", "lab"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, "", "lab"}, // redo, no command of the frame's
        {Qt::CTRL | Qt::Key_V, "lab", "lab"},
        {Qt::SHIFT | Qt::Key_Insert, "lablab", "lab"},
        {Qt::CTRL | Qt::Key_A, "lablab", "lab"},
        {Qt::CTRL | Qt::Key_Insert, "lablab", "lablab"},
        {Qt::SHIFT | Qt::Key_Delete, "", "lablab"}, // Cut, as in any text box
        {Qt::ALT | Qt::Key_Backspace, "lablab", "lablab"},
    };
    for (QLineEdit* box : {frame->profileNameBox(), frame->hostBox()->lineEdit()}) {
        box->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return box->hasFocus(); }));
        box->clear();
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keyClicks(box, QStringLiteral("lab"));
        for (const auto& step : steps) {
            const std::string where =
                QKeySequence(step.key).toString().toStdString() + " in " + box->objectName().toStdString();
            QTest::keyClick(box, step.key.key(), step.key.keyboardModifiers());
            EXPECT_EQ(box->text(), QString::fromLatin1(step.text)) << where;
            EXPECT_EQ(QApplication::clipboard()->text(), QString::fromLatin1(step.clipboard)) << where;
        }
    }
}

} // namespace
} // namespace vantrel::app::testing
