// The window as built: title, menus, toolbars, status bar and docking panes.
#include "FrameFixture.h"
#include "commands/CommandIds.h"
#include "ui/CNxMFCToolBar.h"
#include "ui/CNxSeqScanOptionsPaneDialog.h"
#include "ui/CStatusViewPane.h"
#include "ui/HostComboBox.h"
#include "ui/NumberBox.h"
#include "ui/OptionPane.h"
#include "ui/PaneWindowsDialog.h"
#include "ui/ResultsTextView.h"
#include "ui/StatusPane.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <gmock/gmock.h>

namespace vantrel::app::testing {
namespace {

using ::testing::ElementsAre;

QStringList menuTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

const QMenu* topMenu(const CMainFrame& frame, const QString& title) {
    for (const QAction* action : frame.menuBar()->actions()) {
        if (action->text() == title)
            return action->menu();
    }
    return nullptr;
}

QStringList buttonTexts(const QToolBar* bar) {
    QStringList texts;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator()) {
            texts.append(QStringLiteral("-"));
        } else if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
            texts.append(button->text());
        }
    }
    return texts;
}

using MainFrameLayout = FrameFixture;

// What a screen reader would read for a widget: its accessible name.
QString accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name).trimmed() : QString();
}

TEST_F(MainFrameLayout, TitleAndMenusCarryTheCommandTable) {
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vantrel 2.0"));
    QStringList titles;
    for (const QAction* action : frame->menuBar()->actions())
        titles.append(action->text());
    EXPECT_THAT(titles, ElementsAre("&Toolkit", "&Log", "&Options", "&View", "&Help"));

    EXPECT_THAT(menuTexts(topMenu(*frame, "&Toolkit")),
                ElementsAre("&Ping", "&Lookup", "&Trace", "&SeqScan", "L&istScan", "Path &Monitor", "-",
                            "&Hide All Options", "-", "ISPi&nger", "System Tra&y", "-", "E&xit"));
    EXPECT_THAT(menuTexts(topMenu(*frame, "&Log")), ElementsAre("Start &Logging", "&Show Log", "&Clear Log"));
    EXPECT_THAT(menuTexts(topMenu(*frame, "&Options")),
                ElementsAre("&Hide All Options", "-", "Hide Ping/TraceRoute Options", "Hide Log Options",
                            "Hide SeqScan Options", "Hide ListScan Options", "Hide ISPInger Options",
                            "Hide Other Options"));
    EXPECT_THAT(menuTexts(topMenu(*frame, "&Help")),
                ElementsAre("&Help Topics", "-", "Reset &GUI", "-", "About Your &Winsock", "&Quenlo Homepage",
                            "&Send an EMail to Pimbo", "-", "&About Vantrel..."));

    // Every menu item is the table's action, so its ID travels with it.
    EXPECT_EQ(topMenu(*frame, "&Toolkit")->actions().front()->data().toInt(), cmd::kPingMenu);
    EXPECT_EQ(frame->commands().action(cmd::kPingButton)->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_EQ(frame->commands().action(cmd::kExit)->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    EXPECT_EQ(frame->commands().action(cmd::kStartLoggingButton)->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+O")));
}

TEST_F(MainFrameLayout, ViewMenuOffersEveryApplicationLook) {
    const QMenu* view = topMenu(*frame, "&View");
    ASSERT_NE(view, nullptr);
    const QMenu* look = nullptr;
    for (const QAction* action : view->actions()) {
        if (action->text() == QStringLiteral("&Application Look"))
            look = action->menu();
    }
    ASSERT_NE(look, nullptr);
    EXPECT_THAT(menuTexts(look), ElementsAre("&System", "Windows &2000", "Office &XP", "&Windows XP",
                                             "Office 200&3", "Visual Studio.NET 200&5", "Office 200&7"));
    EXPECT_THAT(menuTexts(look->actions().last()->menu()),
                ElementsAre("&Blue Style", "B&lack Style", "&Silver Style", "&Aqua Style"));
}

TEST_F(MainFrameLayout, ToolbarsHoldTextButtonsWithoutPadding) {
    ASSERT_NE(frame->toolBar("Toolkit"), nullptr);
    EXPECT_THAT(buttonTexts(frame->toolBar("Toolkit")),
                ElementsAre("Ping", "Lookup", "Trace", "Path Monitor", "-", "Options", "-", "Exit"));
    EXPECT_THAT(buttonTexts(frame->toolBar("SeqScan")),
                ElementsAre("SeqScan", "-", "ListScan", "-", "ISPinger", "-", "System Tray"));
    EXPECT_THAT(buttonTexts(frame->toolBar("Log")), ElementsAre("Start Logging", "Show Log", "Clear Log"));
    EXPECT_THAT(buttonTexts(frame->toolBar("Hosts")), ElementsAre("Add Profile"));
    EXPECT_FALSE(static_cast<ui::CNxMFCToolBar*>(frame->toolBar("Toolkit"))->toolTipsShown());
    EXPECT_TRUE(static_cast<ui::CNxMFCToolBar*>(frame->toolBar("Log"))->toolTipsShown());

    // Every button has a picture, from the desktop's theme or the program's own, with its caption
    // beside it or, in the large looks, under it.
    for (const char* title : {"Toolkit", "SeqScan", "Log", "Hosts"}) {
        for (QToolButton* button : frame->toolBar(title)->findChildren<QToolButton*>()) {
            if (!button->defaultAction())
                continue;
            EXPECT_FALSE(button->icon().isNull()) << button->text().toStdString();
            EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        }
    }
    ASSERT_TRUE(frame->commands().trigger(215));
    EXPECT_EQ(frame->toolBar("Log")->findChild<QToolButton*>("button431")->toolButtonStyle(),
              Qt::ToolButtonTextUnderIcon);
    ASSERT_TRUE(frame->commands().trigger(cmd::kLookSystem));

    // The Options button drops down the Options menu.
    auto* options = frame->toolBar("Toolkit")->findChild<QToolButton*>(QStringLiteral("button405"));
    ASSERT_NE(options, nullptr);
    ASSERT_NE(options->menu(), nullptr);
    EXPECT_EQ(options->menu()->title(), QStringLiteral("&Options"));
}

TEST_F(MainFrameLayout, HostsToolbarHasItsBoxesAndDisabledLabels) {
    QToolBar* hosts = frame->toolBar("Hosts");
    auto* profileLabel = hosts->findChild<QLabel*>(QStringLiteral("label505"));
    auto* hostLabel = hosts->findChild<QLabel*>(QStringLiteral("label502"));
    ASSERT_NE(profileLabel, nullptr);
    ASSERT_NE(hostLabel, nullptr);
    EXPECT_EQ(profileLabel->text(), QStringLiteral("Profile Name:"));
    EXPECT_EQ(hostLabel->text(), QStringLiteral("Host:"));
    EXPECT_FALSE(profileLabel->isEnabled());
    EXPECT_FALSE(hostLabel->isEnabled());
    EXPECT_EQ(frame->profileNameBox()->width(), 175);
    EXPECT_EQ(frame->hostBox()->width(), 250);
    EXPECT_TRUE(frame->hostBox()->isEditable());
    // The window opens with the focus in the host box, ready for a host.
    EXPECT_TRUE(frame->hostBox()->lineEdit()->hasFocus());
}

TEST_F(MainFrameLayout, AtItsLeastWidthTheBoxesStayInViewAndThePanesApart) {
    EXPECT_LE(frame->minimumWidth(), 800);
    frame->resize(400, 600);
    EXPECT_GE(frame->width(), frame->minimumWidth());
    // The toolbars break into more lines once the layout has placed them for the new width.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return frame->toolBar("Hosts")->y() > frame->toolBar("Toolkit")->y(); }));
    for (QWidget* box :
         {static_cast<QWidget*>(frame->profileNameBox()), static_cast<QWidget*>(frame->hostBox())}) {
        EXPECT_TRUE(box->isVisible());
        EXPECT_TRUE(frame->rect().contains(QRect(box->mapTo(frame.get(), QPoint()), box->size())));
    }
    QList<ui::StatusPane*> panes = frame->statusBar()->findChildren<ui::StatusPane*>();
    std::sort(panes.begin(), panes.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
    for (qsizetype i = 1; i < panes.size(); ++i)
        EXPECT_LT(panes[i - 1]->geometry().right(), panes[i]->x()) << panes[i]->id();
    EXPECT_LE(panes.last()->geometry().right(), frame->statusBar()->width());
    // A box at the far side of a pane, out of view at this width, scrolls into view as it takes the focus.
    frame->pane(cmd::kPingOptions)->raise();
    QWidget* hops = frame->optionPane(cmd::kPingOptions)
                        ->numberBox(settings::optionSpec(settings::OptionId::Hops).controlId);
    QWidget* view = hops->parentWidget();
    while (view && !qobject_cast<QScrollArea*>(view))
        view = view->parentWidget();
    ASSERT_NE(view, nullptr);
    view = static_cast<QScrollArea*>(view)->viewport();
    const auto shown = [&] {
        return view->rect().contains(QRect(hops->mapTo(view, QPoint()), hops->size()));
    };
    ASSERT_FALSE(shown());
    hops->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(QTest::qWaitFor(shown));

    // Wide again, the toolbars join their lines as they were.
    frame->resize(1600, 900);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return frame->toolBar("Hosts")->y() == frame->toolBar("Toolkit")->y(); }));
}

TEST_F(MainFrameLayout, EverySeparatorMovesBothWays) {
    frame->resize(1200, 800);
    QWindow* window = frame->windowHandle();
    QWidget* results = &frame->resultsPane();
    auto rectOf = [&](QWidget* widget) {
        return QRect(widget->mapTo(frame.get(), QPoint()), widget->size());
    };
    // Drags the separator at `at` by `by` as the mouse does, and answers the Results' new size.
    auto drag = [&](QPoint at, QPoint by) {
        const QSize before = results->size();
        QTest::mousePress(window, Qt::LeftButton, {}, at);
        QTest::mouseMove(window, at + by / 2);
        QTest::mouseMove(window, at + by);
        QTest::mouseRelease(window, Qt::LeftButton, {}, at + by);
        // A drag that moves nothing leaves the size as it was; the caller's check says so.
        static_cast<void>(QTest::qWaitFor([&] { return results->size() != before; }, 500));
        return results->size();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return results->height() > 300; }));

    const QRect options = rectOf(frame->pane(cmd::kPingOptions));
    const QSize start = results->size();
    const QPoint below((rectOf(results).center().x()), (rectOf(results).bottom() + options.top()) / 2);
    // The options are as low as their controls allow: first up, then down again.
    EXPECT_EQ(drag(below, {0, -60}).height(), start.height() - 60);
    EXPECT_EQ(drag(below - QPoint(0, 60), {0, 60}).height(), start.height());

    const QRect profiles = rectOf(frame->pane(cmd::kProfileManagerPane));
    const QPoint beside((profiles.right() + rectOf(results).left()) / 2, rectOf(results).center().y());
    const int width = results->width();
    EXPECT_EQ(drag(beside, {-50, 0}).width(), width + 50);
    EXPECT_EQ(drag(beside - QPoint(50, 0), {100, 0}).width(), width - 50);
}

TEST_F(MainFrameLayout, StatusBarHasSixPanesInOrder) {
    QList<int> ids;
    for (auto* pane : frame->statusBar()->findChildren<ui::StatusPane*>())
        ids.append(pane->id());
    std::sort(ids.begin(), ids.end(),
              [this](int a, int b) { return frame->statusPane(a)->x() < frame->statusPane(b)->x(); });
    EXPECT_THAT(ids, ElementsAre(900, 901, 902, 904, 903, 905));
    EXPECT_EQ(frame->statusPane(900)->text(), QStringLiteral("Status: Ready"));
    EXPECT_EQ(frame->statusPane(901)->text(), QStringLiteral("ISPinger: Inactive"));
    // The size panes are 115 pixels, or as wide as their longest text needs in the font in use.
    const QFontMetrics metrics = frame->statusBar()->fontMetrics();
    EXPECT_GE(frame->statusPane(904)->width(),
              std::max(115, metrics.horizontalAdvance(QStringLiteral("Text Size: 99999 Bytes"))));
    EXPECT_GE(frame->statusPane(905)->width(),
              std::max(115, metrics.horizontalAdvance(QStringLiteral("Log Size: 99999 Bytes"))));
    EXPECT_GE(frame->statusPane(900)->width(), 200);
    EXPECT_EQ(frame->statusPane(902)->textColour(), QColor(Qt::white));
}

TEST_F(MainFrameLayout, ResultsInTheCentreWithTabbedOptionsInOrderAround) {
    EXPECT_EQ(frame->centralWidget(), &frame->resultsPane());
    EXPECT_EQ(frame->resultsPane().windowTitle(), QStringLiteral("Results"));
    EXPECT_EQ(frame->pane(cmd::kResultsPane), nullptr);
    EXPECT_EQ(frame->pane(cmd::kProfileManagerPane)->windowTitle(), QStringLiteral("Profile Manager"));
    EXPECT_EQ(frame->dockWidgetArea(frame->pane(cmd::kProfileManagerPane)), Qt::LeftDockWidgetArea);
    EXPECT_EQ(frame->dockWidgetArea(frame->pane(cmd::kPingOptions)), Qt::BottomDockWidgetArea);
    // The options take the height their controls need, the Results the rest.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return frame->pane(cmd::kLogOptions)->widget()->isVisible() ||
               frame->pane(cmd::kPingOptions)->widget()->isVisible();
    }));
    int tallest = 0;
    for (int id : {cmd::kPingOptions, cmd::kLogOptions, cmd::kSeqScanOptions, cmd::kListScanOptions,
                   cmd::kISPingerOptions, cmd::kOtherOptions})
        tallest = std::max(tallest, frame->pane(id)->sizeHint().height());
    EXPECT_LE(frame->pane(cmd::kPingOptions)->height(), tallest + 40);
    EXPECT_GT(frame->resultsPane().height(), frame->height() / 2);

    QTabBar* tabs = nullptr;
    for (QTabBar* bar : frame->findChildren<QTabBar*>()) {
        if (bar->isVisible() && bar->count() == 7)
            tabs = bar;
    }
    ASSERT_NE(tabs, nullptr);
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles.append(tabs->tabText(i));
    EXPECT_THAT(titles, ElementsAre("Ping/TraceRoute Options", "Log Options", "SeqScan Options",
                                    "ListScan Options", "ISPinger Options", "Other Options", "Path Monitor"));
    EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST_F(MainFrameLayout, At800By600EveryPaneFitsAndTheResultsKeepTwelveLines) {
    frame->resize(800, 600);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->size() == QSize(800, 600); }));
    ui::ResultsTextView& results = frame->resultsPane().view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->resultsPane().height() < 500; }));
    EXPECT_GE(results.viewport()->height(), 12 * results.fontMetrics().lineSpacing());
    // The Results' toolbar shows every button; none goes into an overflow menu.
    const auto* resultsBar = frame->resultsPane().findChild<QToolBar*>();
    for (QAction* action : resultsBar->actions()) {
        if (QWidget* button = resultsBar->widgetForAction(action)) {
            EXPECT_TRUE(button->isVisible()) << action->text().toStdString();
        }
    }
    for (int id : {cmd::kPingOptions, cmd::kLogOptions, cmd::kSeqScanOptions, cmd::kListScanOptions,
                   cmd::kISPingerOptions, cmd::kOtherOptions}) {
        frame->pane(id)->raise();
        auto* scroller = qobject_cast<QScrollArea*>(frame->pane(id)->widget());
        ASSERT_NE(scroller, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return scroller->isVisible(); }));
        // No control is cut off at the side or out of reach but by scrolling down.
        EXPECT_LE(scroller->widget()->width(), scroller->viewport()->width()) << id;
        EXPECT_FALSE(scroller->horizontalScrollBar()->isVisible()) << id;
    }
    // The group name box keeps room for a name.
    const QWidget* groupName = frame->seqScanPane()->findChild<QLineEdit*>(QStringLiteral("edit1157"));
    EXPECT_GE(groupName->width(), groupName->fontMetrics().horizontalAdvance(QString(12, u'0')));

    // Check boxes stand in a column, each under the one before it.
    frame->pane(cmd::kPingOptions)->raise();
    ui::OptionPane* ping = frame->optionPane(cmd::kPingOptions);
    const auto xOf = [&](int id) { return ping->control(id)->mapTo(ping, QPoint()).x(); };
    for (int id : {1077, 1078})
        EXPECT_EQ(xOf(id), xOf(1033)) << id;
    EXPECT_EQ(xOf(1038), xOf(1080));
    // The packet data size is read by its own label.
    EXPECT_EQ(accessibleName(ping->control(1000)), QStringLiteral("Packet Data Size (bytes)"));
}

TEST_F(MainFrameLayout, TheWindowsDialogShowsHidesAndActivatesEveryDockingPane) {
    // Raised panes, the bars' menu and the dialog still list the panes in their own order.
    frame->pane(cmd::kOtherOptions)->raise();
    frame->pane(cmd::kProfileManagerPane)->raise();
    const QStringList panes = {"Profile Manager", "Ping/TraceRoute Options", "Log Options",
                               "SeqScan Options", "ListScan Options",        "ISPinger Options",
                               "Other Options",   "Round Trip Plot",         "Watch List",
                               "Path Monitor"};
    std::unique_ptr<QMenu> barsMenu(frame->createPopupMenu());
    EXPECT_EQ(menuTexts(barsMenu.get()).mid(0, panes.size()), panes);
    ASSERT_TRUE(barsMenu->actions().contains(frame->commands().action(cmd::kWindowsDialog)));
    EXPECT_EQ(frame->commands().action(cmd::kWindowsDialog)->text(), QStringLiteral("Windows..."));
    EXPECT_EQ(frame->commands().action(cmd::kCustomize)->text(), QStringLiteral("Customize..."));
    frame->commands().action(cmd::kWindowsDialog)->trigger();
    auto* dialog = frame->findChild<ui::PaneWindowsDialog*>();
    ASSERT_NE(dialog, nullptr);
    QListWidget* list = dialog->list();
    ASSERT_EQ(list->count(), frame->findChildren<QDockWidget*>().size());
    for (int row = 0; row < list->count(); ++row)
        EXPECT_EQ(list->item(row)->text(), panes.value(row)) << row;
    auto rowOf = [&](const QString& title) {
        const QList<QListWidgetItem*> found = list->findItems(title, Qt::MatchExactly);
        return found.isEmpty() ? -1 : list->row(found.front());
    };
    const int profiles = rowOf(QStringLiteral("Profile Manager"));
    const int log = rowOf(QStringLiteral("Log Options"));
    ASSERT_GE(profiles, 0);
    ASSERT_GE(log, 0);
    QDockWidget* profilePane = frame->pane(cmd::kProfileManagerPane);

    list->setCurrentRow(profiles);
    dialog->findChild<QPushButton*>(QStringLiteral("HideButton"))->click();
    EXPECT_FALSE(profilePane->isVisible());
    EXPECT_EQ(list->item(profiles)->checkState(), Qt::Unchecked);
    list->item(profiles)->setCheckState(Qt::Checked); // the check shows it again
    EXPECT_TRUE(profilePane->isVisible());
    frame->commands().trigger(cmd::kLogOptions); // hidden from the menu: the list follows
    EXPECT_EQ(list->item(log)->checkState(), Qt::Unchecked);

    // Activate: the Log pane in front of its tab group, with the focus in it, and the dialog closes.
    list->setCurrentRow(log);
    dialog->findChild<QPushButton*>(QStringLiteral("ActivateButton"))->click();
    QDockWidget* logPane = frame->pane(cmd::kLogOptions);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return logPane->isVisible() && logPane->isAncestorOf(QApplication::focusWidget()); }));
    auto logTabInFront = [&] {
        for (const QTabBar* tabs : frame->findChildren<QTabBar*>()) {
            if (tabs->isVisible() && tabs->tabText(tabs->currentIndex()) == logPane->windowTitle())
                return true;
        }
        return false;
    };
    EXPECT_TRUE(QTest::qWaitFor(logTabInFront));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->findChild<ui::PaneWindowsDialog*>(); }));
}

// Every widget of the window a user can reach with the keyboard or the mouse, and every handle, except the
// parts that a control of its own speaks for (a combo box's or spin box's edit field, a widget whose focus
// goes to another).
QList<QWidget*> controlsOf(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        // Hidden on their own, widgets are out of reach: an unused tab bar, an overflow button while all
        // fits.
        if (widget->window() != &window || widget->focusProxy() || widget->isHidden())
            continue;
        QWidget* parent = widget->parentWidget();
        if (qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent))
            continue;
        // Toolbars and docking panes are moved by their handles.
        if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QToolBar*>(widget) ||
            qobject_cast<QDockWidget*>(widget) || widget->focusPolicy() != Qt::NoFocus)
            controls.append(widget);
    }
    return controls;
}

TEST_F(MainFrameLayout, EveryControlHasANameAScreenReaderCanRead) {
    // Every pane shown, the option panes each in front in turn, so each pane's controls are made.
    for (QDockWidget* dock : frame->findChildren<QDockWidget*>())
        dock->show();
    for (QDockWidget* dock : frame->findChildren<QDockWidget*>())
        dock->raise();
    QStringList unnamed;
    const QList<QWidget*> controls = controlsOf(*frame);
    for (QWidget* control : controls) {
        if (accessibleName(control).isEmpty())
            unnamed.append(
                QStringLiteral("%1 \"%2\" in %3")
                    .arg(QString::fromLatin1(control->metaObject()->className()), control->objectName(),
                         control->parentWidget() ? control->parentWidget()->objectName() : QString()));
    }
    EXPECT_GT(controls.size(), 50);
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(accessibleName(frame->hostBox()), QStringLiteral("Host"));
    EXPECT_EQ(accessibleName(frame->profileNameBox()), QStringLiteral("Profile Name"));
}

} // namespace
} // namespace vantrel::app::testing
