#include "app/FrameCommandDispatch.h"

#include "app/BarDialogs.h"
#include "app/CMainFrame.h"
#include "app/FrameCommandState.h"
#include "app/FrameDialogs.h"
#include "app/FramePersistence.h"
#include "app/ManualLocation.h"
#include "app/OptionsPanes.h"
#include "app/ProfileManager.h"
#include "app/SettingsCommands.h"
#include "app/VisualStyles.h"
#include "app/WorkspaceLayout.h"
#include "log/ResultLog.h"
#include "text/MessageTexts.h"
#include "ui/CHTMLAboutDialog.h"
#include "ui/CNxEditBrowseControl.h"
#include "ui/CNxLogOptionsPaneDialog.h"
#include "ui/CNxOtherOptionsPaneDialog.h"
#include "ui/CStatusViewPane.h"
#include "ui/SystemTray.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>
#include <type_traits>

namespace vantrel::app {

namespace {

// An edit command on a one-line box or on the multi-line packet data box, which edit alike.
template <class Box> void editBox(Box& box, int commandId) {
    switch (commandId) {
    case cmd::kUndo:
        box.undo();
        break;
    case cmd::kPaste:
        box.paste();
        break;
    case cmd::kCut:
        box.cut();
        break;
    case cmd::kCopy:
        box.copy();
        break;
    case cmd::kSelectAll:
        box.selectAll();
        break;
    case cmd::kClearAllText:
        box.selectAll();
        if constexpr (std::is_same_v<Box, QLineEdit>)
            box.del();
        else
            box.textCursor().removeSelectedText();
        break;
    }
}

} // namespace

FrameCommandDispatch::FrameCommandDispatch(CMainFrame& frame, FrameParts& parts, FrameCommandState& state,
                                           FramePersistence& persistence)
    : m_frame(frame)
    , m_parts(parts)
    , m_state(state)
    , m_persistence(persistence) {}

void FrameCommandDispatch::bindCommands() {
    const CommandTable& c = *m_parts.commands;
    auto on = [&](int id, auto handler) {
        QObject::connect(c.action(id), &QAction::triggered, &m_frame, handler);
    };

    on(cmd::kPingButton, [this] { m_frame.OnPing(); });
    on(cmd::kPingMenu, [this] { m_frame.OnPing(); });
    for (ops::CommandId command : kOperationCommands) {
        if (command != ops::CommandId::PingButton && command != ops::CommandId::PingMenu)
            on(int(command), [this, command] { OnOperationCommand(command); });
    }
    on(cmd::kShowAllOptions, [this] { OnShowAllOptions(); });
    on(cmd::kOptionsButton, [this] { OnShowAllOptions(); });
    for (int id : kOptionsTabOrder)
        on(id, [this, id] { OnToggleOptionsPane(id); });
    on(cmd::kExit, [this] { m_frame.close(); });
    on(cmd::kSystemTrayMenu, [this] { m_parts.tray->SendToTray(); });
    on(cmd::kSystemTrayButton, [this] { m_parts.tray->SendToTray(); });
    QObject::connect(m_parts.tray, &ui::SystemTray::ispingerRequested, &m_frame,
                     [this] { m_parts.commands->trigger(cmd::kISPingerMenu); });
    QObject::connect(m_parts.tray, &ui::SystemTray::iconRemoved, &m_frame, &CMainFrame::RefreshCommandUI);

    for (int id : {cmd::kStartLoggingMenu, cmd::kStartLoggingButton, cmd::kLogPane})
        on(id, [this] { runLogCommand(&output::ResultLog::ToggleLogging); });
    for (int id : {cmd::kShowLogMenu, cmd::kShowLogButton})
        on(id, [this] { runLogCommand(&output::ResultLog::ShowLog); });
    for (int id : {cmd::kClearLogMenu, cmd::kClearLogButton, cmd::kLogSizePane})
        on(id, [this] { runLogCommand(&output::ResultLog::ClearLog); });
    on(cmd::kTextSizePane, [this] {
        m_parts.resultsPane->clearAllText();
        m_frame.RefreshCommandUI();
    });

    new BarDialogs(m_frame, c, [this] { return m_parts.panesInOrder(); });
    m_parts.settingsCommands = std::make_unique<SettingsCommands>(
        m_parts.store, m_parts.homeDir, QApplication::applicationVersion(),
        SettingsCommands::FrameParts{
            [this](const QString& caption, const QString& text, ops::MessageIcon icon) {
                m_frame.showMessageBox(caption, text, icon);
            },
            [this](const QString& caption, const QString& text) {
                return m_persistence.askOkCancel(caption, text);
            },
            [this] { return m_persistence.SaveSettings(); },
            [this] {
                m_persistence.LoadSettings();
                m_parts.profiles->LoadProfiles();
                m_frame.RefreshCommandUI();
            },
            [this](const QString& section) { m_persistence.saveLayout(section); }});
    on(cmd::kExportSettings, [this] {
        m_parts.settingsCommands->ExportSettings();
        m_frame.RefreshCommandUI();
    });
    on(cmd::kImportSettings, [this] {
        if (m_parts.settingsCommands->importAvailable())
            m_parts.settingsCommands->ImportSettings();
        m_frame.RefreshCommandUI();
    });
    on(cmd::kResetGui, [this] { m_persistence.ResetGui(); });
    on(cmd::kHelpTopics, [this] { OnHelpTopics(); });
    on(cmd::kHomepage, [this] { openLink(output::text(output::res::kHomepageUrl)); });
    on(cmd::kSendEmail, [this] { openLink(output::text(output::res::kEmailLink)); });
    on(cmd::kAbout, [this] {
        // The About box's buttons ignore what the desktop answers: a link that does not open shows nothing.
        ui::CHTMLAboutDialog about(
            manual(), [this](const QUrl& link) { m_parts.dialogs.openLink(link); }, &m_frame);
        about.exec();
    });
    on(cmd::kAboutWinsock, [this] { emit m_frame.aboutWinsockRequested(); });

    on(cmd::kStatusBar, [this](bool checked) { m_frame.statusBar()->setVisible(checked); });
    for (int pane : cmd::kViewPaneCommands)
        on(pane, [this, pane](bool checked) { m_parts.panes.at(pane)->setVisible(checked); });
    for (const VisualStyle& style : visualStyles())
        on(style.id, [this, id = style.id] {
            m_frame.ApplyVisualStyle(id);
            if (const settings::StoreWrite saved = writeApplicationLook(m_parts.store, id); !saved)
                m_frame.showMessageBox(output::text(output::res::kSettingsErrorCaption),
                                       output::fill(output::res::kLookNotSaved, saved.reason()),
                                       ops::MessageIcon::Error);
        });
    for (int id : kEditCommands)
        on(id, [this, id] { OnEditCommand(id); });

    // The settings buttons of the Other pane give their commands, and are enabled as those are.
    for (int id : kSettingsButtonCommands)
        QObject::connect(m_parts.otherOptionsPane()->button(id), &QPushButton::clicked, &m_frame,
                         [this, id] { m_parts.commands->trigger(id); });
    QObject::connect(m_parts.logPane, &ui::CNxLogOptionsPaneDialog::toggleRequested, &m_frame,
                     [this] { OnLogCheckClicked(); });
    QObject::connect(m_parts.logPane, &ui::CNxLogOptionsPaneDialog::fileNameChanged, &m_frame,
                     [this](const QString& name) { OnLogFileNameChanged(name); });
    // The export file may come and go between two looks: its tips are chosen as they show.
    m_parts.otherOptionsPane()->setToolTipSource([this](int controlId) -> std::optional<QString> {
        if (controlId == cmd::kExportSettings)
            return m_parts.settingsCommands->exportTip();
        if (controlId == cmd::kImportSettings)
            return m_parts.settingsCommands->importTip();
        return std::nullopt;
    });
    m_parts.logPane->setToolTipSource([this](int controlId) {
        const ui::CNxEditBrowseControl* box = m_parts.logPane->fileNameBox();
        if (controlId == ui::CNxLogOptionsPaneDialog::kFileNameId)
            return output::logFileBoxTip(box->isReadOnly());
        return output::logCheckBoxTip(m_parts.logPane->logCheck()->isChecked(), box->text().isEmpty());
    });
}

void FrameCommandDispatch::openLink(const QString& address) {
    if (!m_parts.dialogs.openLink(QUrl(address)))
        m_frame.showMessageBox(output::text(output::res::kLinkErrorCaption),
                               output::fill(output::res::kLinkNotOpened, address), ops::MessageIcon::Warning);
}

QString FrameCommandDispatch::manual() const {
    return manualPath(m_parts.homeDir, QCoreApplication::applicationDirPath(),
                      output::text(output::res::kManualFileName));
}

void FrameCommandDispatch::OnHelpTopics() {
    const QString fileName = output::text(output::res::kManualFileName);
    const QString manual = this->manual();
    if (!QFileInfo::exists(manual) || !m_parts.dialogs.openLink(QUrl::fromLocalFile(manual)))
        m_frame.showMessageBox(output::text(output::res::kHelpErrorCaption),
                               output::fill(output::res::kManualMissing, fileName, m_parts.homeDir),
                               ops::MessageIcon::Error);
}

void FrameCommandDispatch::OnOperationCommand(ops::CommandId command) {
    emit m_frame.operationCommand(command);
    m_frame.RefreshCommandUI();
}

void FrameCommandDispatch::OnShowAllOptions() {
    if (!m_state.anyOptionsPaneVisible()) {
        QDockWidget* first = m_parts.panes.at(kOptionsTabOrder.front());
        first->show();
        for (std::size_t i = 1; i < kOptionsTabOrder.size(); ++i)
            m_parts.panes.at(kOptionsTabOrder[i])->show();
        first->raise();
    } else {
        for (auto it = kOptionsTabOrder.rbegin(); it != kOptionsTabOrder.rend(); ++it)
            m_parts.panes.at(*it)->hide();
    }
    m_frame.RefreshCommandUI();
}

void FrameCommandDispatch::OnToggleOptionsPane(int commandId) {
    QDockWidget* dock = m_parts.panes.at(commandId);
    if (dock->toggleViewAction()->isChecked()) {
        dock->hide();
    } else {
        dock->show();
        dock->raise();
    }
    m_frame.RefreshCommandUI();
}

void FrameCommandDispatch::OnEditCommand(int commandId) {
    // The commands have keys only; their window shortcuts fire while the focus is in this window.
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    // The Results window's own commands serve it, with their own enabling.
    if (m_parts.resultsPane->isAncestorOf(focus)) {
        QAction* own = m_parts.resultsPane->command(ui::CStatusViewPane::Command(commandId));
        if (own && own->isEnabled())
            own->trigger();
        return;
    }
    // A text box takes Qt's standard editing keys itself (the keyboard hooks leave them to it); the
    // commands' other keys (Alt+Backspace for Undo where the desktop's keys differ) act on it here.
    auto* box = qobject_cast<QLineEdit*>(focus);
    if (auto* combo = qobject_cast<QComboBox*>(focus))
        box = combo->lineEdit();
    if (box)
        editBox(*box, commandId);
    else if (auto* lines = qobject_cast<QPlainTextEdit*>(focus); lines && !lines->isReadOnly())
        editBox(*lines, commandId);
}

void FrameCommandDispatch::runLogCommand(void (output::ResultLog::*command)()) {
    (m_parts.resultLog.get()->*command)();
    m_frame.RefreshCommandUI();
}

void FrameCommandDispatch::OnLogCheckClicked() {
    m_parts.resultLog->ToggleLogging();
    m_frame.RefreshCommandUI();
}

void FrameCommandDispatch::OnLogFileNameChanged(const QString& name) {
    m_parts.resultLog->fileNameChanged(name);
    m_frame.RefreshCommandUI();
}

} // namespace vantrel::app
