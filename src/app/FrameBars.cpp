#include "app/FrameBars.h"

#include "app/CommandTable.h"
#include "app/OptionsPanes.h"
#include "app/VisualStyles.h"
#include "commands/CommandIds.h"
#include "text/MessageTexts.h"
#include "ui/CNxMFCToolBar.h"
#include "ui/HostComboBox.h"
#include "ui/StatusPane.h"
#include "ui/ToolIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>
#include <array>

namespace vantrel::app {

namespace res = output::res;
using output::text;

namespace {

// The menu items whose toolbar buttons carry the keys.
struct MenuButtonTwin {
    int menu;
    int button;
};
constexpr std::array kMenuButtonTwins = {
    MenuButtonTwin{cmd::kPingMenu, cmd::kPingButton},
    MenuButtonTwin{cmd::kLookupMenu, cmd::kLookupButton},
    MenuButtonTwin{cmd::kTraceMenu, cmd::kTraceButton},
    MenuButtonTwin{cmd::kSeqScanMenu, cmd::kSeqScanButton},
    MenuButtonTwin{cmd::kListScanMenu, cmd::kListScanButton},
    MenuButtonTwin{cmd::kPathMonitorMenu, cmd::kPathMonitorButton},
    MenuButtonTwin{cmd::kISPingerMenu, cmd::kISPingerButton},
    MenuButtonTwin{cmd::kStartLoggingMenu, cmd::kStartLoggingButton},
    MenuButtonTwin{cmd::kShowLogMenu, cmd::kShowLogButton},
    MenuButtonTwin{cmd::kClearLogMenu, cmd::kClearLogButton},
};

// A menu item names its button's keys, so the menus teach them: as a key of the open menu alone, which
// never competes with the button's in the window.
void showButtonKeys(const CommandTable& c) {
    for (const MenuButtonTwin& twin : kMenuButtonTwins) {
        QAction* item = c.action(twin.menu);
        item->setShortcuts(c.action(twin.button)->shortcuts());
        item->setShortcutContext(Qt::WidgetShortcut);
    }
}

} // namespace

bool buildMenuBar(QMainWindow& window, const CommandTable& c) {
    QMenuBar* bar = window.menuBar();
    if (!bar)
        return false;

    if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button")))
        more->setAccessibleName(text(res::kMoreMenus));
    showButtonKeys(c);
    QMenu* toolkit = bar->addMenu(text(res::kToolkitMenuTitle));
    for (int id : {cmd::kPingMenu, cmd::kLookupMenu, cmd::kTraceMenu, cmd::kSeqScanMenu, cmd::kListScanMenu,
                   cmd::kPathMonitorMenu})
        toolkit->addAction(c.action(id));
    toolkit->addSeparator();
    toolkit->addAction(c.action(cmd::kShowAllOptions));
    toolkit->addSeparator();
    toolkit->addAction(c.action(cmd::kISPingerMenu));
    toolkit->addAction(c.action(cmd::kSystemTrayMenu));
    toolkit->addSeparator();
    toolkit->addAction(c.action(cmd::kExit));

    QMenu* log = bar->addMenu(text(res::kLogMenuTitle));
    for (int id : {cmd::kStartLoggingMenu, cmd::kShowLogMenu, cmd::kClearLogMenu})
        log->addAction(c.action(id));

    QMenu* options = bar->addMenu(text(res::kOptionsMenuTitle));
    options->setObjectName(QStringLiteral("OptionsMenu"));
    options->addAction(c.action(cmd::kShowAllOptions));
    options->addSeparator();
    for (int id : kOptionsTabOrder)
        options->addAction(c.action(id));

    QMenu* view = bar->addMenu(text(res::kViewMenuTitle));
    QMenu* bars = view->addMenu(text(res::kBarsMenuTitle));
    bars->setObjectName(QStringLiteral("ToolbarsAndDockingWindows"));
    // The list follows the bars and panes as they are when the menu opens.
    QObject::connect(bars, &QMenu::aboutToShow, &window, [&window, bars] {
        bars->clear();
        if (QMenu* popup = window.createPopupMenu()) {
            bars->addActions(popup->actions());
            popup->deleteLater();
        }
    });
    view->addAction(c.action(cmd::kStatusBar));
    for (int id : cmd::kViewPaneCommands)
        view->addAction(c.action(id));
    view->addSeparator();
    QMenu* look = view->addMenu(text(res::kLookMenuTitle));
    QMenu* office2007 = nullptr;
    auto* looks = new QActionGroup(&window);
    for (const VisualStyle& style : visualStyles()) {
        QAction* action = c.action(style.id);
        looks->addAction(action);
        if (style.inOffice2007Submenu) {
            if (!office2007)
                office2007 = look->addMenu(text(res::kOffice2007MenuTitle));
            office2007->addAction(action);
        } else {
            look->addAction(action);
        }
    }

    QMenu* help = bar->addMenu(text(res::kHelpMenuTitle));
    help->addAction(c.action(cmd::kHelpTopics));
    help->addSeparator();
    help->addAction(c.action(cmd::kResetGui));
    help->addSeparator();
    for (int id : {cmd::kAboutWinsock, cmd::kHomepage, cmd::kSendEmail})
        help->addAction(c.action(id));
    help->addSeparator();
    help->addAction(c.action(cmd::kAbout));
    return true;
}

namespace {

struct ButtonIcon {
    int id;
    ui::ToolIcon icon;
};
constexpr std::array kButtonIcons = {
    ButtonIcon{cmd::kPingButton, ui::ToolIcon::Ping},
    ButtonIcon{cmd::kLookupButton, ui::ToolIcon::Lookup},
    ButtonIcon{cmd::kTraceButton, ui::ToolIcon::Trace},
    ButtonIcon{cmd::kPathMonitorButton, ui::ToolIcon::PathMonitor},
    ButtonIcon{cmd::kOptionsButton, ui::ToolIcon::Options},
    ButtonIcon{cmd::kExit, ui::ToolIcon::Exit},
    ButtonIcon{cmd::kSeqScanButton, ui::ToolIcon::SeqScan},
    ButtonIcon{cmd::kListScanButton, ui::ToolIcon::ListScan},
    ButtonIcon{cmd::kISPingerButton, ui::ToolIcon::ISPinger},
    ButtonIcon{cmd::kSystemTrayButton, ui::ToolIcon::SystemTray},
    ButtonIcon{cmd::kAddProfileButton, ui::ToolIcon::AddProfile},
    ButtonIcon{cmd::kStartLoggingButton, ui::ToolIcon::StartLogging},
    ButtonIcon{cmd::kShowLogButton, ui::ToolIcon::ShowLog},
    ButtonIcon{cmd::kClearLogButton, ui::ToolIcon::ClearLog},
};

} // namespace

void buildToolBars(QMainWindow& window, const CommandTable& c, FrameBars& frameBars) {
    for (const ButtonIcon& button : kButtonIcons)
        c.action(button.id)->setIcon(ui::toolIcon(button.icon));
    auto make = [&](const QString& title, const char* objectName) {
        auto* bar = new ui::CNxMFCToolBar(title, QString::fromLatin1(objectName), &window);
        frameBars.toolBars.emplace(bar->windowTitle(), bar);
        frameBars.toolBarOrder.append(bar);
        return bar;
    };

    ui::CNxMFCToolBar* toolkit = make(text(res::kToolkitToolbarTitle), "ToolkitToolBar");
    toolkit->setToolTipsShown(false);
    for (int id : {cmd::kPingButton, cmd::kLookupButton, cmd::kTraceButton, cmd::kPathMonitorButton})
        toolkit->addCommand(c.action(id));
    toolkit->addSeparator();
    QToolButton* optionsButton = toolkit->addCommand(c.action(cmd::kOptionsButton));
    if (optionsButton) {
        optionsButton->setMenu(window.menuBar()->findChild<QMenu*>(QStringLiteral("OptionsMenu")));
        optionsButton->setPopupMode(QToolButton::MenuButtonPopup);
    }
    toolkit->addSeparator();
    // The Exit button's caption differs from its menu item's: buttons show the icon text.
    c.action(cmd::kExit)->setIconText(text(res::kExitButtonText).trimmed());
    toolkit->addCommand(c.action(cmd::kExit));

    ui::CNxMFCToolBar* seqScan = make(text(res::kSeqScanToolbarTitle), "SeqScanToolBar");
    seqScan->addCommand(c.action(cmd::kSeqScanButton));
    seqScan->addSeparator();
    seqScan->addCommand(c.action(cmd::kListScanButton));
    seqScan->addSeparator();
    seqScan->addCommand(c.action(cmd::kISPingerButton));
    seqScan->addSeparator();
    seqScan->addCommand(c.action(cmd::kSystemTrayButton));

    ui::CNxMFCToolBar* hosts = make(text(res::kHostsToolbarTitle), "HostsToolBar");
    auto* profileLabel = new QLabel(text(res::kProfileNameLabel), hosts);
    profileLabel->setObjectName(QStringLiteral("label%1").arg(cmd::kProfileNameLabel));
    profileLabel->setEnabled(false);
    frameBars.profileNameBox = new QLineEdit(hosts);
    frameBars.profileNameBox->setObjectName(QStringLiteral("ProfileNameBox"));
    frameBars.profileNameBox->setFixedWidth(175);
    auto* hostLabel = new QLabel(text(res::kHostLabel), hosts);
    hostLabel->setObjectName(QStringLiteral("label%1").arg(cmd::kHostLabel));
    hostLabel->setEnabled(false);
    frameBars.hostBox = new ui::HostComboBox(hosts);
    frameBars.hostBox->setObjectName(QStringLiteral("HostBox"));
    frameBars.hostBox->setFixedWidth(250);
    // Screen readers name the boxes after their labels.
    frameBars.profileNameBox->setAccessibleName(text(res::kProfileNameBoxName));
    frameBars.hostBox->setAccessibleName(text(res::kHostBoxName));
    frameBars.hostBox->lineEdit()->setAccessibleName(text(res::kHostBoxName));
    hosts->addWidget(profileLabel);
    hosts->addWidget(frameBars.profileNameBox);
    hosts->addWidget(hostLabel);
    hosts->addWidget(frameBars.hostBox);
    hosts->addCommand(c.action(cmd::kAddProfileButton));

    ui::CNxMFCToolBar* log = make(text(res::kLogToolbarTitle), "LogToolBar");
    for (int id : {cmd::kStartLoggingButton, cmd::kShowLogButton, cmd::kClearLogButton})
        log->addCommand(c.action(id));

    // Docked in the order menu bar, Toolkit, Hosts, SeqScan, Log, two to a row.
    window.addToolBar(Qt::TopToolBarArea, toolkit);
    window.addToolBar(Qt::TopToolBarArea, hosts);
    window.addToolBarBreak(Qt::TopToolBarArea);
    window.addToolBar(Qt::TopToolBarArea, seqScan);
    window.addToolBar(Qt::TopToolBarArea, log);
}

namespace {
constexpr int kStretchingPaneLeast = 100;
}

bool buildStatusBar(QMainWindow& window, FrameBars& frameBars) {
    QStatusBar* bar = window.statusBar();
    if (!bar)
        return false;
    struct PaneSpec {
        int id;
        int width;
        QString widestText; // the pane is at least as wide as this text in the font in use
    };
    const std::array kPanes = {
        PaneSpec{cmd::kStatusPane, 200, QString()},
        PaneSpec{cmd::kISPingerStatusPane, 200, output::fill(res::kIspSuccessRate, 100u)},
        PaneSpec{cmd::kISPingerIndicatorPane, 34, text(res::kLogPane)},
        PaneSpec{cmd::kTextSizePane, 115, output::fill(res::kTextSizeBytes, 99999.0)},
        PaneSpec{cmd::kLogPane, 34, text(res::kLogPane)},
        PaneSpec{cmd::kLogSizePane, 115, output::fill(res::kLogSizeBytes, 99999.0)}};
    for (const PaneSpec& spec : kPanes) {
        const int textWidth = bar->fontMetrics().horizontalAdvance(spec.widestText) + 12;
        const int width = std::max(spec.width, textWidth);
        auto* pane = new ui::StatusPane(spec.id, width, bar);
        const bool stretches = spec.id == cmd::kStatusPane;
        if (stretches)
            pane->setMinimumWidth(kStretchingPaneLeast); // it gives way first in a narrow window
        else
            pane->setFixedWidth(width);
        // Permanent panes stay in place when a menu item's status tip shows.
        bar->addPermanentWidget(pane, stretches ? 1 : 0);
        frameBars.statusPanes.emplace(spec.id, pane);
    }
    frameBars.statusPanes[cmd::kISPingerIndicatorPane]->setLook(QStringLiteral(" "), std::nullopt, Qt::white,
                                                                std::nullopt);
    return true;
}

QList<int> hiddenToolBarButtons(const FrameBars& frameBars) {
    QList<int> hidden;
    for (const auto& [title, bar] : frameBars.toolBars) {
        for (const QAction* command : bar->commands()) {
            const int id = command->data().toInt();
            if (!bar->commandShown(id))
                hidden.append(id);
        }
    }
    return hidden;
}

void showToolBarButtons(const FrameBars& frameBars, const QList<int>& hidden) {
    for (const auto& [title, bar] : frameBars.toolBars) {
        for (const QAction* command : bar->commands()) {
            const int id = command->data().toInt();
            bar->setCommandShown(id, !hidden.contains(id));
        }
    }
}

} // namespace vantrel::app
