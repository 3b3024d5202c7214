#include "app/DesktopISPinger.h"

#include "app/CMainFrame.h"
#include "commands/CommandIds.h"
#include "text/MessageTexts.h"
#include "ui/CNxISPingerOptionsPaneDialog.h"
#include "ui/StatusPane.h"
#include "ui/SystemTray.h"

#include <QAction>
#include <QLineEdit>

namespace vantrel::app {

namespace {

const QColor kAnsweredColour(0, 0, 255);
const QColor kLostColour(255, 99, 71);

ui::CNxISPingerOptionsPaneDialog* ispingerPane(const CMainFrame& frame) {
    return qobject_cast<ui::CNxISPingerOptionsPaneDialog*>(frame.optionPane(cmd::kISPingerOptions));
}

} // namespace

DesktopISPinger::DesktopISPinger(CMainFrame& frame, ops::ISPinger& ispinger)
    : m_frame(frame)
    , m_isp(ispinger) {
    for (int id : {cmd::kISPingerButton, cmd::kISPingerMenu})
        connect(frame.commands().action(id), &QAction::triggered, this, [this] { m_isp.OnISPinger(); });
    connect(&m_isp, &ops::ISPinger::statusChanged, this,
            [this](const QString& text) { m_frame.setISPStatus(text); });
    connect(&m_isp, &ops::ISPinger::indicatorChanged, this, &DesktopISPinger::showIndicator);
    connect(&m_isp, &ops::ISPinger::trayIconChanged, this, [this](ops::IspTrayIcon icon, const QString& tip) {
        m_frame.systemTray().UpdateTrayIcon(icon == ops::IspTrayIcon::ISPinger, tip);
    });
    connect(&m_isp, &ops::ISPinger::activeChanged, this, [this](bool active) {
        if (ui::CNxISPingerOptionsPaneDialog* pane = ispingerPane(m_frame))
            pane->setServerReadOnly(active);
    });
    connect(&frame, &CMainFrame::refreshingCommands, this, &DesktopISPinger::refreshCommands);
    connect(&frame, &CMainFrame::stoppingForClose, this, [this] {
        if (m_isp.isActive())
            m_isp.OnISPinger();
    });
}

void DesktopISPinger::refreshCommands() {
    const CommandTable& commands = m_frame.commands();
    const ui::CNxISPingerOptionsPaneDialog* pane = ispingerPane(m_frame);
    const ops::CommandUi button = m_isp.buttonUi(pane && !pane->serverAddressBox()->text().isEmpty());
    commands.setEnabled(cmd::kISPingerButton, button.enabled);
    commands.setCaption(cmd::kISPingerButton, button.caption);
    // Its caption reads "Cancel" as a running operation's does: the tip tells the two apart.
    QString tip;
    if (m_isp.isActive())
        tip = output::text(output::res::kIspStopMenu).remove(QLatin1Char('&'));
    commands.action(cmd::kISPingerButton)->setToolTip(tip);
    const ops::CommandUi menu = m_isp.menuUi();
    commands.setEnabled(cmd::kISPingerMenu, menu.enabled);
    commands.setCaption(cmd::kISPingerMenu, menu.caption);
    m_frame.systemTray().ispingerAction()->setText(menu.caption);
}

void DesktopISPinger::showIndicator(ops::IspIndicator indicator) {
    ui::StatusPane* pane = m_frame.statusPane(cmd::kISPingerIndicatorPane);
    if (indicator == ops::IspIndicator::Dark) {
        pane->setLook(QString(), std::nullopt, Qt::white, std::nullopt);
        return;
    }
    pane->setLook(output::text(output::res::kIspIndicator),
                  indicator == ops::IspIndicator::Answered ? kAnsweredColour : kLostColour, Qt::white,
                  std::nullopt);
}

} // namespace vantrel::app
