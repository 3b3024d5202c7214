#include "app/CMainFrame.h"

#include "app/DesktopLogFrontEnd.h"
#include "app/FrameCloseSequence.h"
#include "app/FrameCommandDispatch.h"
#include "app/FrameCommandState.h"
#include "app/FramePanes.h"
#include "app/FramePersistence.h"
#include "app/KeyboardHooks.h"
#include "app/ListScanAddressEditor.h"
#include "app/ProfileManager.h"
#include "app/ToolBarFlow.h"
#include "app/VisualStyles.h"
#include "log/ResultLog.h"
#include "log/ResultPipeline.h"
#include "ops/WinsockReports.h"
#include "settings/RegistryStore.h"
#include "text/MessageTexts.h"
#include "ui/BalloonTip.h"
#include "ui/CHostViewPane.h"
#include "ui/CNxMFCToolBar.h"
#include "ui/CNxPingOptionsPaneDialog.h"
#include "ui/CNxSeqScanOptionsPaneDialog.h"
#include "ui/CStatusViewPane.h"
#include "ui/FrameThrottle.h"
#include "ui/HostComboBox.h"
#include "ui/OptionPane.h"
#include "ui/PaletteWatcher.h"
#include "ui/ResultsTextView.h"
#include "ui/StatusPane.h"
#include "ui/SystemTray.h"
#include "ui/ToolIcons.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMetaMethod>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <algorithm>

namespace vantrel::app {

CMainFrame::CMainFrame(settings::RegistryStore& store, QString homeDir, settings::LiveOptions& options,
                       ops::OperationState& state, FrameDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_parts(store, std::move(homeDir), options, state, dialogs) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(output::text(output::res::kProductName));
}

CMainFrame::~CMainFrame() {
    if (m_parts.keyboardHooks)
        qApp->removeEventFilter(m_parts.keyboardHooks);
    // The Profile Manager outlives the command table, which it updates when the boxes change.
    if (m_parts.profiles) {
        m_parts.profileNameBox->disconnect(m_parts.profiles);
        m_parts.hostBox->disconnect(m_parts.profiles);
    }
}

bool CMainFrame::Create() {
    m_commandState = std::make_unique<FrameCommandState>(*this, m_parts);
    m_persistence = std::make_unique<FramePersistence>(*this, m_parts);
    m_dispatch = std::make_unique<FrameCommandDispatch>(*this, m_parts, *m_commandState, *m_persistence);
    m_panesBuilder =
        std::make_unique<FramePanes>(*this, m_parts, *m_commandState, *m_persistence, *m_dispatch);
    m_closeSequence = std::make_unique<FrameCloseSequence>(*this, m_parts, *m_persistence);
    m_panesBuilder->createCommands();
    ApplyVisualStyle(m_parts.applicationLook);
    if (!buildMenuBar(*this, *m_parts.commands)) {
        startupError(output::text(output::res::kNoMenuBar));
        return false;
    }
    applyToolTipLook();
    buildToolBars(*this, *m_parts.commands, m_parts.bars);
    m_parts.toolBarFlow = new ToolBarFlow(this);
    m_parts.tray = new ui::SystemTray(
        *this,
        [this](const QString& caption, const QString& text) {
            showMessageBox(caption, text, ops::MessageIcon::Information);
        },
        this);
    const QIcon programIcon = windowIcon().isNull() ? ui::toolIcon(ui::ToolIcon::SystemTray) : windowIcon();
    m_parts.tray->setIcons(programIcon, ui::toolIcon(ui::ToolIcon::ISPinger));
    if (!buildStatusBar(*this, m_parts.bars)) {
        startupError(output::text(output::res::kNoStatusBar));
        return false;
    }
    m_parts.hostBox = m_parts.bars.hostBox;
    m_parts.profileNameBox = m_parts.bars.profileNameBox;
    m_persistence->updateLeastWidth();
    for (const auto& [id, pane] : m_parts.bars.statusPanes)
        connect(pane, &ui::StatusPane::doubleClicked, this,
                [this](int paneId) { m_parts.commands->trigger(paneId); });
    if (!m_panesBuilder->CreatePanes()) {
        startupError(output::text(output::res::kNoDockingWindows));
        return false;
    }
    m_persistence->LoadSettings();
    m_parts.profiles->LoadProfiles();
    m_parts.logFrontEnd = std::make_unique<DesktopLogFrontEnd>(
        m_parts.panes.at(cmd::kLogOptions), m_parts.logPane,
        [this](const QString& caption, const QString& text, output::MessageIcon icon) {
            showMessageBox(caption, text, ops::MessageIcon(int(icon)));
        },
        [this] { return balloonTipsEnabled(); });
    m_parts.resultLog = std::make_unique<output::ResultLog>(m_parts.options, *m_parts.logFrontEnd);
    m_parts.resultLog->OpenLogAtStartup();
    m_panesBuilder->InitResultsWindow();
    followPalette();
    // Under the System look the desktop's palette may change while the program runs (a dark theme).
    // A look chosen changes it too: the status panes' text takes its colour again.
    connect(new ui::PaletteWatcher(this), &ui::PaletteWatcher::changed, this, [this] {
        if (m_parts.applicationLook == cmd::kLookSystem)
            followPalette();
        RefreshCommandUI();
    });
    m_dispatch->bindCommands();
    m_parts.profileNameBox->setText(m_parts.store.GetProfileString(kMruSection, kMruHostName));
    m_persistence->restoreLayout();
    followChanges();
    RefreshCommandUI();
    return true;
}

void CMainFrame::followChanges() {
    QList<QKeySequence> accelerators;
    QList<QKeySequence> editKeys;
    for (const CommandSpec& spec : commandSpecs()) {
        accelerators += spec.keys;
        if (std::find(kEditCommands.begin(), kEditCommands.end(), spec.id) != kEditCommands.end())
            editKeys += spec.keys;
    }
    m_parts.keyboardHooks = new KeyboardHooks(
        this, m_parts.profileNameBox, m_parts.hostBox, accelerators, editKeys, [this] { OnPing(); }, this);
    qApp->installEventFilter(m_parts.keyboardHooks);
    // The commands follow what they depend on: the flags (announced when something ends), the options
    // and lists, the panes; each refreshes them when it changes.
    for (const auto& [command, pane] : m_parts.optionPanes)
        connect(pane, &ui::OptionPane::optionChanged, this, [this] { RefreshCommandUI(); });
    connect(&m_parts.state.flags.changes(), &ops::FlagChanges::changed, this, &CMainFrame::RefreshCommandUI);
    // The status text is shown at most once a frame, however often workers change it.
    ops::SharedStatus& status = m_parts.state.status;
    auto* statusFrame = new ui::FrameThrottle(
        [this, &status] {
            status.readyForNextChange();
            m_commandState->showOperationStatus();
        },
        this);
    connect(&status.changes(), &ops::StatusChanges::changed, statusFrame, &ui::FrameThrottle::request,
            Qt::QueuedConnection);
    status.readyForNextChange();
}

void CMainFrame::startupError(const QString& text) {
    showMessageBox(output::text(output::res::kStartupErrorCaption), text, ops::MessageIcon::Error);
}

bool CMainFrame::layoutRestored() const {
    return m_persistence->layoutRestored();
}

bool CMainFrame::CheckProductVersion() {
    return m_persistence->CheckProductVersion();
}

ops::OperationFlags& CMainFrame::flags() {
    return m_parts.state.flags;
}

ops::SharedStatus& CMainFrame::status() {
    return m_parts.state.status;
}

QTableWidget* CMainFrame::profileManagerList() const {
    return m_parts.profiles->pane()->list();
}

QStringList CMainFrame::listScanAddresses() const {
    return m_parts.listScanEditor->entries();
}

void CMainFrame::OnPing() {
    m_dispatch->OnOperationCommand(ops::CommandId::PingButton);
}

void CMainFrame::RefreshCommandUI() {
    if (!m_parts.commands || !m_parts.resultLog)
        return;
    m_commandState->refresh(
        [this] {
            if (!isSignalConnected(QMetaMethod::fromSignal(&CMainFrame::refreshingCommands)))
                return false;
            emit refreshingCommands();
            return true;
        },
        isSignalConnected(QMetaMethod::fromSignal(&CMainFrame::aboutWinsockRequested)));
}

void CMainFrame::showStatus() {
    if (!m_parts.commands || !m_parts.resultLog)
        return;
    m_commandState->showOperationStatus();
    m_commandState->showMeasuresSoon();
}

void CMainFrame::setISPStatus(const QString& text) {
    m_commandState->setISPStatus(text);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    m_closeSequence->OnClose(event);
}

QMenu* CMainFrame::createPopupMenu() {
    auto* menu = new QMenu(this);
    for (QDockWidget* pane : m_parts.panesInOrder())
        menu->addAction(pane->toggleViewAction());
    menu->addSeparator();
    for (QToolBar* bar : m_parts.bars.toolBarOrder)
        menu->addAction(bar->toggleViewAction());
    menu->addSeparator();
    menu->addAction(m_parts.commands->action(cmd::kCustomize));
    menu->addAction(m_parts.commands->action(cmd::kWindowsDialog));
    return menu;
}

void CMainFrame::putHostAtStart(const QString& host) {
    m_parts.hostBox->selectOrAppend(host);
}

void CMainFrame::ApplyVisualStyle(int id) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_parts.applicationLook = validVisualStyle(id);
    const VisualStyle style = *findVisualStyle(m_parts.applicationLook);
    QStyle* qtStyle =
        QStyleFactory::create(style.qtStyle ? QString::fromLatin1(style.qtStyle) : desktopStyleName());
    if (!qtStyle)
        qtStyle = QStyleFactory::create(QStringLiteral("Fusion"));
    if (qtStyle)
        QApplication::setStyle(qtStyle);
    QApplication::setPalette(visualStylePalette(m_parts.applicationLook));
    if (style.smartDocking)
        setDockOptions(AnimatedDocks | AllowNestedDocks | AllowTabbedDocks);
    // Large buttons carry their captions under bigger icons.
    setIconSize(style.buttons == Qt::ToolButtonTextUnderIcon ? QSize(24, 24) : QSize(16, 16));
    setToolButtonStyle(style.buttons);
    if (m_parts.resultsPane) {
        m_parts.resultsPane->setButtonStyle(style.buttons, iconSize());
        if (m_parts.shownOnce)
            m_parts.resultsPane->setMinimumSize(m_parts.resultsPane->leastSize());
    }
    m_persistence->updateLeastWidth();
    followPalette();
    update();
    QApplication::restoreOverrideCursor();
    if (m_parts.commands) {
        if (QAction* action = m_parts.commands->action(m_parts.applicationLook))
            action->setChecked(true);
    }
}

void CMainFrame::followPalette() {
    // The System look's Results page is dark on a dark desktop; the named looks keep the white page.
    const bool system = m_parts.applicationLook == cmd::kLookSystem;
    if (m_parts.resultsPane)
        m_parts.resultsPane->view().setPageColours(
            system ? output::PageColours::forPalette(QApplication::palette()) : output::PageColours());
    if (system)
        QToolTip::setPalette(QApplication::palette());
    else
        applyToolTipLook();
}

void CMainFrame::applyToolTipLook() {
    QLinearGradient fill(0, 0, 0, 1);
    fill.setCoordinateMode(QGradient::ObjectBoundingMode);
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, QColor(228, 228, 240));
    QPalette tips = QToolTip::palette();
    tips.setBrush(QPalette::ToolTipBase, QBrush(fill));
    tips.setColor(QPalette::ToolTipText, QColor(61, 83, 80));
    QToolTip::setPalette(tips);
}

QString CMainFrame::hostBoxText() const {
    return m_parts.hostBox->currentText();
}

void CMainFrame::addHostToHistory(const QString& host, bool sorted) {
    const QString text = m_parts.hostBox->currentText();
    m_parts.hostBox->addToHistory(host, sorted);
    m_parts.hostBox->setEditText(text);
}

void CMainFrame::returnFocusToHostBox() {
    m_parts.hostBox->setFocus(Qt::OtherFocusReason);
    if (QLineEdit* edit = m_parts.hostBox->lineEdit()) {
        edit->deselect();
        edit->setCursorPosition(0);
    }
}

void CMainFrame::showMessageBox(const QString& caption, const QString& text, ops::MessageIcon icon) {
    m_parts.dialogs.showMessage(this, caption, text, icon);
}

bool CMainFrame::showHostBalloonTip(const QString& title, const QString& text) {
    return ui::BalloonTip::showOn(*m_parts.hostBox, title, text);
}

bool CMainFrame::balloonTipsEnabled() const {
    return readBalloonTips(m_parts.store);
}

void CMainFrame::reportOnField(QWidget* field, const QString& caption, const QString& balloonText,
                               const QString& boxText) {
    if (!balloonTipsEnabled() || !ui::BalloonTip::showOn(*field, caption, balloonText))
        showMessageBox(caption, boxText, ops::MessageIcon::Error);
}

void CMainFrame::reportOctetField(int control, const QString& caption, const QString& balloonText,
                                  const QString& boxText, bool showPane) {
    QDockWidget* dock = m_parts.panes.at(cmd::kSeqScanOptions);
    if (showPane) {
        dock->show();
        dock->raise();
    }
    QLineEdit* field = m_parts.seqScanPane()->octetField(control);
    field->setFocus(Qt::OtherFocusReason);
    reportOnField(field, caption, balloonText, boxText);
}

void CMainFrame::beep() {
    QApplication::beep();
}

std::optional<int> CMainFrame::continuousPingInterval() const {
    return m_parts.pingOptionsPane()->continuousPingInterval();
}

void CMainFrame::reportLocalHost(const net::HostEntry& entry) {
    setWindowTitle(ops::localHostTitle(entry));
    for (std::size_t i = 1; i < entry.h_addr_list.size(); ++i)
        m_parts.state.m_dwShownAddr = entry.h_addr_list[i];
    for (const output::ResultRow& line : ops::additionalLocalAddressLines(entry))
        m_parts.pipeline->AppendRow(line);
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (m_parts.toolBarFlow && m_parts.shownOnce)
        m_parts.toolBarFlow->reflow();
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    RefreshCommandUI();
    if (m_parts.shownOnce)
        return;
    m_parts.shownOnce = true;
    // The panes' sizes are kept in pixels: they come out as saved only in a window of the saved size,
    // which it has once shown (maximised or not).
    QTimer::singleShot(0, this, [this] { m_persistence->arrangePanes(); });
}

bool CMainFrame::focusNextPrevChild(bool next) {
    // A pane tabbed behind another is moved out of sight, not hidden, so its controls stay in the focus
    // chain: a key typed there would change an option the user cannot see. At most one round of the
    // chain is passed by.
    const auto behindAnotherPane = [](const QWidget* control) {
        for (; control; control = control->parentWidget())
            if (const auto* dock = qobject_cast<const QDockWidget*>(control))
                return !dock->isFloating() && dock->visibleRegion().isEmpty();
        return false;
    };
    const QWidget* start = QApplication::focusWidget();
    constexpr int kLongestChain = 1000;
    for (int step = 0; step < kLongestChain; ++step) {
        if (!QMainWindow::focusNextPrevChild(next))
            return false;
        const QWidget* reached = QApplication::focusWidget();
        if (!behindAnotherPane(reached) || reached == start)
            break;
    }
    return true;
}

} // namespace vantrel::app
