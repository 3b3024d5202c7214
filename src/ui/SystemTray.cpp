#include "ui/SystemTray.h"

#include "commands/CommandIds.h"
#include "text/MessageTexts.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

namespace vantrel::ui {

namespace {

QString cutTip(const QString& tip) {
    return tip.left(SystemTray::kMaxTipLength);
}

} // namespace

SystemTray::SystemTray(QWidget& window, std::function<void(const QString&, const QString&)> tellNoTray,
                       QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_tellNoTray(std::move(tellNoTray))
    , m_available(&QSystemTrayIcon::isSystemTrayAvailable)
    , m_menu(std::make_unique<QMenu>(output::text(output::res::kTrayMenuTitle)))
    , m_icon(new QSystemTrayIcon(this)) {
    m_menu->setObjectName(QStringLiteral("TrayMenu%1").arg(cmd::kTrayMenu));
    QAction* restore = m_menu->addAction(output::text(output::res::kTrayRestore));
    restore->setData(cmd::kTrayRestore);
    m_menu->addSeparator();
    m_ispinger = m_menu->addAction(output::text(output::res::kIspStartMenu));
    m_ispinger->setData(cmd::kTrayISPinger);
    m_menu->addSeparator();
    QAction* exit = m_menu->addAction(output::text(output::res::kTrayExit));
    exit->setData(cmd::kTrayExit);
    connect(restore, &QAction::triggered, this, &SystemTray::RestoreFromTray);
    connect(m_ispinger, &QAction::triggered, this, &SystemTray::ispingerRequested);
    connect(exit, &QAction::triggered, this, &SystemTray::ExitFromTray);
    // The right button opens the menu; a click of the left one brings the window back.
    m_icon->setContextMenu(m_menu.get());
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            RestoreFromTray();
    });
}

SystemTray::~SystemTray() {
    m_icon->hide();
}

void SystemTray::setIcons(const QIcon& program, const QIcon& ispinger) {
    m_programIcon = program;
    m_ispingerIcon = ispinger;
    m_icon->setIcon(program);
}

void SystemTray::SendToTray() {
    m_restoreMaximised = m_window.windowState().testFlag(Qt::WindowMaximized);
    if (!m_available()) {
        // No icon could bring a hidden window back: it is minimised, and the user told why once.
        m_window.showMinimized();
        if (!m_toldNoTray && m_tellNoTray)
            m_tellNoTray(output::text(output::res::kNoTrayCaption),
                         output::text(output::res::kNoTrayMinimised));
        m_toldNoTray = true;
        return;
    }
    m_icon->setIcon(m_programIcon);
    m_icon->setToolTip(cutTip(m_window.windowTitle()));
    m_icon->show();
    m_present = true;
    m_window.hide();
}

void SystemTray::RestoreFromTray() {
    if (m_restoreMaximised)
        m_window.showMaximized();
    else
        m_window.showNormal();
    m_window.raise();
    m_window.activateWindow();
    removeIcon();
}

void SystemTray::ExitFromTray() {
    removeIcon();
    // The window is hidden, and closing a hidden window does not end the program by itself.
    if (m_window.close())
        QCoreApplication::quit();
}

void SystemTray::removeIcon() {
    m_icon->hide();
    m_present = false;
    emit iconRemoved();
}

bool SystemTray::UpdateTrayIcon(bool ispinger, const QString& tip) {
    if (!m_present)
        return false;
    m_icon->setIcon(ispinger ? m_ispingerIcon : m_programIcon);
    m_icon->setToolTip(cutTip(tip));
    return true;
}

} // namespace vantrel::ui
