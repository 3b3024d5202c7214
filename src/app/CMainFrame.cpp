#include "app/CMainFrame.h"

#include "app/BarDialogs.h"
#include "app/DesktopLogFrontEnd.h"
#include "app/KeyboardHooks.h"
#include "app/ListScanAddressEditor.h"
#include "app/ManualLocation.h"
#include "app/OptionsPanes.h"
#include "app/PaneFactories.h"
#include "app/ProfileManager.h"
#include "app/SeqScanPaneController.h"
#include "app/SettingsCommands.h"
#include "app/ToolBarFlow.h"
#include "app/VisualStyles.h"
#include "app/WorkspaceLayout.h"
#include "commands/CommandIds.h"
#include "log/ResultLog.h"
#include "log/ResultPipeline.h"
#include "rows/StatusPanes.h"
#include "settings/RegistryStore.h"
#include "settings/SeqScanGroups.h"
#include "settings/SettingsModel.h"
#include "text/MessageTexts.h"
#include "text/ResultTexts.h"
#include "ui/BalloonTip.h"
#include "ui/CHTMLAboutDialog.h"
#include "ui/CHTMLDialogOKCancelBox.h"
#include "ui/CHTMLMessageBox.h"
#include "ui/CHostViewPane.h"
#include "ui/CNxEditBrowseControl.h"
#include "ui/CNxListScanOptionsPaneDialog.h"
#include "ui/CNxLogOptionsPaneDialog.h"
#include "ui/CNxMFCToolBar.h"
#include "ui/CNxOtherOptionsPaneDialog.h"
#include "ui/CNxPingOptionsPaneDialog.h"
#include "ui/CNxSeqScanOptionsPaneDialog.h"
#include "ui/CStatusViewPane.h"
#include "ui/FrameThrottle.h"
#include "ui/HostComboBox.h"
#include "ui/NumberBox.h"
#include "ui/PaneScroller.h"
#include "ui/ResultsTextView.h"
#include "ui/RoundTripPlot.h"
#include "ui/StatusPane.h"
#include "ui/SystemTray.h"
#include "ui/TabColourizer.h"
#include "ui/ToolIcons.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDockWidget>
#include <QEventLoop>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTableWidget>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <algorithm>
#include <array>
#include <type_traits>

namespace vantrel::app {

namespace {

using settings::OptionId;

// The edit commands: the Results window's, and a text box's for the keys it does not take itself.
constexpr std::array kEditCommands = {cmd::kClearAllText, cmd::kCopy,      cmd::kCut,
                                      cmd::kPaste,        cmd::kSelectAll, cmd::kUndo};

// The commands of the Other pane's buttons.
constexpr std::array kSettingsButtonCommands = {cmd::kExportSettings, cmd::kImportSettings, cmd::kResetGui};

constexpr std::array kOperationCommands = {
    ops::CommandId::PingButton,    ops::CommandId::LookupButton,   ops::CommandId::TraceButton,
    ops::CommandId::SeqScanButton, ops::CommandId::ListScanButton, ops::CommandId::PingMenu,
    ops::CommandId::LookupMenu,    ops::CommandId::TraceMenu,      ops::CommandId::SeqScanMenu,
    ops::CommandId::ListScanMenu,
};

// The log's commands and controls, whose state the log decides.
constexpr std::array kLogCommandIds = {cmd::kStartLoggingMenu, cmd::kStartLoggingButton,
                                       cmd::kShowLogMenu,      cmd::kShowLogButton,
                                       cmd::kClearLogMenu,     cmd::kClearLogButton};

QColor colourOf(const output::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The close sequence's line for each running operation, in order.
struct ExitingLine {
    bool (*running)(const ops::FlagSnapshot&);
    const char* text;
};
constexpr std::array kExitingLines = {
    ExitingLine{[](const ops::FlagSnapshot& f) { return f.ping || f.contPingActive; },
                "Exiting...Shutting down ping operation first..."},
    ExitingLine{[](const ops::FlagSnapshot& f) { return f.trace; },
                "Exiting...Shutting down trace operation first..."},
    ExitingLine{[](const ops::FlagSnapshot& f) { return f.seqScan; },
                "Exiting...Shutting down SeqScan operation first..."},
    ExitingLine{[](const ops::FlagSnapshot& f) { return f.listScan; },
                "Exiting...Shutting down ListScan operation first..."},
};

const QString kMruSection = QStringLiteral("MRU");
const QString kMruHostName = QStringLiteral("HostName");
const QString kMruAddress = QStringLiteral("Address");

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

CMainFrame::CMainFrame(settings::RegistryStore& store, QString homeDir, QWidget* parent)
    : QMainWindow(parent)
    , m_store(store)
    , m_homeDir(std::move(homeDir))
    , m_applicationLook(readApplicationLook(store)) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(output::text(output::res::kProductName));
}

CMainFrame::~CMainFrame() {
    m_operationState.status.setChangeHook({});
    if (m_keyboardHooks)
        qApp->removeEventFilter(m_keyboardHooks);
    // The Profile Manager outlives the command table, which it updates when the boxes change.
    if (m_profiles) {
        m_profileNameBox->disconnect(m_profiles);
        m_hostBox->disconnect(m_profiles);
    }
}

bool CMainFrame::Create() {
    // The text grows a row at a time, as fast as the network answers: its size shows once a frame.
    m_textSizePane = new ui::FrameThrottle([this] { refreshTextSizePane(); }, this);
    m_logState = new ui::FrameThrottle(
        [this] {
            refreshLogCommands();
            refreshLogPanes();
        },
        this);
    createCommands();
    ApplyVisualStyle(m_applicationLook);
    if (!buildMenuBar(*this, *m_commands)) {
        startupError(QStringLiteral("Failed to create the Menu bar."));
        return false;
    }
    applyToolTipLook();
    buildToolBars(*this, *m_commands, m_bars);
    m_toolBarFlow = new ToolBarFlow(this);
    m_tray = new ui::SystemTray(
        *this,
        [this](const QString& caption, const QString& text) {
            showMessageBox(caption, text, ops::MessageIcon::Information);
        },
        this);
    const QIcon programIcon = windowIcon().isNull() ? ui::toolIcon(ui::ToolIcon::SystemTray) : windowIcon();
    m_tray->setIcons(programIcon, ui::toolIcon(ui::ToolIcon::ISPinger));
    if (!buildStatusBar(*this, m_bars)) {
        startupError(QStringLiteral("Failed to create the Status bar."));
        return false;
    }
    m_hostBox = m_bars.hostBox;
    m_profileNameBox = m_bars.profileNameBox;
    updateLeastWidth();
    for (const auto& [id, pane] : m_bars.statusPanes)
        connect(pane, &ui::StatusPane::doubleClicked, this,
                [this](int paneId) { m_commands->trigger(paneId); });
    if (!CreatePanes()) {
        startupError(QStringLiteral("Failed to create docking windows."));
        return false;
    }
    LoadSettings();
    m_profiles->LoadProfiles();
    m_logFrontEnd = std::make_unique<DesktopLogFrontEnd>(
        m_panes.at(cmd::kLogOptions), m_logPane,
        [this](const QString& caption, const QString& text, output::MessageIcon icon) {
            showMessageBox(caption, text, ops::MessageIcon(int(icon)));
        },
        [this] { return balloonTipsEnabled(); });
    m_resultLog = std::make_unique<output::ResultLog>(m_options, *m_logFrontEnd);
    m_resultLog->OpenLogAtStartup();
    InitResultsWindow();
    bindCommands();
    m_profileNameBox->setText(m_store.GetProfileString(kMruSection, kMruHostName));
    restoreLayout();

    QList<QKeySequence> accelerators;
    QList<QKeySequence> editKeys;
    for (const CommandSpec& spec : commandSpecs()) {
        accelerators += spec.keys;
        if (std::find(kEditCommands.begin(), kEditCommands.end(), spec.id) != kEditCommands.end())
            editKeys += spec.keys;
    }
    m_keyboardHooks = new KeyboardHooks(
        this, m_profileNameBox, m_hostBox, accelerators, editKeys, [this] { OnPing(); }, this);
    qApp->installEventFilter(m_keyboardHooks);
    // The commands follow what they depend on: the flags (announced when something ends), the options
    // and lists, the panes; each refreshes them when it changes.
    for (const auto& [command, pane] : m_optionPanes)
        connect(pane, &ui::OptionPane::optionChanged, this, [this] { RefreshCommandUI(); });
    connect(&m_operationState.flags.changes(), &ops::FlagChanges::changed, this,
            &CMainFrame::RefreshCommandUI);
    // The status text is shown at most once a frame, however often workers change it.
    m_statusFrame = new ui::FrameThrottle(
        [this] {
            m_statusAsked = false;
            showOperationStatus();
        },
        this);
    connect(this, &CMainFrame::statusChanged, m_statusFrame, &ui::FrameThrottle::request,
            Qt::QueuedConnection);
    m_operationState.status.setChangeHook([this] {
        if (!m_statusAsked.exchange(true))
            emit statusChanged();
    });
    RefreshCommandUI();
    return true;
}

void CMainFrame::InitResultsWindow() {
    m_pipeline = std::make_unique<output::ResultPipeline>(m_resultLog.get(), *m_resultsPane);
    m_results = {
        [this](const QString& fragment) {
            m_pipeline->AppendRow(output::fixedRow(output::ResultKind::Red, fragment.toStdString()));
        },
        [this] { return double(m_resultsPane->view().textSizeBytes()); },
        [this] { m_resultsPane->clearAllText(); },
    };
    connect(m_resultsPane, &ui::CStatusViewPane::textSizeChanged, m_textSizePane,
            &ui::FrameThrottle::request);
    connect(m_resultsPane, &ui::CStatusViewPane::openLink, this, &CMainFrame::openLink);
    connect(m_resultsPane, &ui::CStatusViewPane::errorMessage, this,
            [this](const QString& caption, const QString& text) {
                showMessageBox(caption, text, ops::MessageIcon::Error);
            });
    m_pipeline->AppendRow(output::makeRow(output::ResultKind::Plain, output::res::kBanner));
    m_logFrontEnd->setResultLines([this](const output::ResultRow& line) { m_pipeline->AppendRow(line); });
}

void CMainFrame::startupError(const QString& text) {
    showMessageBox(QStringLiteral("Startup Error"), text, ops::MessageIcon::Error);
}

void CMainFrame::createCommands() {
    m_commands = std::make_unique<CommandTable>(this);
    // Accelerators work wherever the focus is in the window; the edit commands act on what has it.
    for (const CommandSpec& spec : commandSpecs()) {
        if (!spec.keys.isEmpty())
            addAction(m_commands->action(spec.id));
    }
    m_commands->action(cmd::kStatusBar)->setCheckable(true);
    m_commands->action(cmd::kRoundTripPlotPane)->setCheckable(true);
}

bool CMainFrame::CreatePanes() {
    auto makeDock = [this](int id, const QString& title, const QString& objectName, QWidget* content) {
        auto* dock = new QDockWidget(title, this);
        dock->setObjectName(objectName);
        dock->setAllowedAreas(Qt::AllDockWidgetAreas);
        dock->setWidget(content);
        m_panes.emplace(id, dock);
        return dock;
    };

    const ui::FrameCommands frameCommands = [this](int id) {
        return ui::FrameCommand{m_commands->action(id), m_commands->contextCaption(id)};
    };
    m_profiles = new ProfileManager(m_store, m_options, *m_commands,
                                    {m_profileNameBox, m_hostBox,
                                     [this](const QString& caption, const QString& text,
                                            ops::MessageIcon icon) { showMessageBox(caption, text, icon); },
                                     [this] { returnFocusToHostBox(); }, [this] { OnPing(); }},
                                    frameCommands, this);
    QDockWidget* profiles =
        makeDock(cmd::kProfileManagerPane, output::text(output::res::kProfileManagerTitle),
                 QStringLiteral("ProfileManagerPane"), m_profiles->pane());
    profiles->widget()->setMinimumSize(200, 100);
    // The Results hold the centre; the other panes dock around them.
    m_resultsPane = createResultsView(m_options, frameCommands, this);
    m_resultsPane->setButtonStyle(toolButtonStyle(), iconSize());
    setCentralWidget(m_resultsPane);

    for (const OptionsPaneSpec& spec : kOptionsPanes) {
        ui::OptionPane* content = createOptionsPane(spec.command, m_options, this);
        m_optionPanes.emplace(spec.command, content);
        // In a narrow or low window the pane scrolls, so no control is ever out of reach.
        auto* scroller = new ui::PaneScroller(content, this);
        scroller->setAccessibleName(QString::fromLatin1(spec.title));
        makeDock(spec.command, QString::fromLatin1(spec.title), QString::fromLatin1(spec.objectName),
                 scroller);
    }
    m_logPane = qobject_cast<ui::CNxLogOptionsPaneDialog*>(m_optionPanes.at(cmd::kLogOptions));
    createListEditors();
    // The Profile Manager sorts as the Other pane says, and a header click shows its column there.
    connect(otherOptionsPane(), &ui::CNxOtherOptionsPaneDialog::profileSortRequested, m_profiles,
            &ProfileManager::sortIfAutoSort);
    connect(m_profiles->pane(), &ui::CHostViewPane::sortedByHeader, otherOptionsPane(),
            &ui::CNxOtherOptionsPaneDialog::showProfileSortColumn);

    // The tabbed options at the bottom, then the Profile Manager at the left.
    QDockWidget* first = m_panes.at(kOptionsTabOrder.front());
    addDockWidget(Qt::BottomDockWidgetArea, first);
    for (std::size_t i = 1; i < kOptionsTabOrder.size(); ++i)
        tabifyDockWidget(m_panes.at(kOptionsTabOrder[i - 1]), m_panes.at(kOptionsTabOrder[i]));
    first->raise();
    addDockWidget(Qt::LeftDockWidgetArea, profiles);
    // The round-trip plot docks at the right, hidden until the View menu shows it.
    m_roundTripPlot = new ui::RoundTripPlot(this);
    QDockWidget* plot = makeDock(cmd::kRoundTripPlotPane, output::text(output::res::kRoundTripPlotTitle),
                                 QStringLiteral("RoundTripPlotPane"), m_roundTripPlot);
    addDockWidget(Qt::RightDockWidgetArea, plot);
    plot->hide();
    connect(plot, &QDockWidget::visibilityChanged, this, [this] { RefreshCommandUI(); });

    m_resultsPane->setMinimumSize(m_resultsPane->leastSize());
    m_startingState = saveState();
    new ui::TabColourizer(this);
    // The size the window starts with before any layout is saved; the first start maximises it.
    resize(1200, 800);
    return true;
}

void CMainFrame::createListEditors() {
    auto* listScanPane =
        qobject_cast<ui::CNxListScanOptionsPaneDialog*>(m_optionPanes.at(cmd::kListScanOptions));
    m_listScanEditor = new ListScanAddressEditor(*listScanPane->addressList(), m_options,
                                                 {[this](const QString& caption, const QString& text) {
                                                      showMessageBox(caption, text, ops::MessageIcon::Error);
                                                  },
                                                  [this](const QString& host) {
                                                      m_hostBox->selectOrAppend(host);
                                                      OnPing();
                                                  },
                                                  [this] { RefreshCommandUI(); }},
                                                 this);
    connect(listScanPane, &ui::OptionPane::optionChanged, m_listScanEditor, [this](OptionId option) {
        if (option == OptionId::ListScanAutoSort)
            m_listScanEditor->sortIfAutoSorted();
    });
    // Both scan panes show the parallel probes: a change in one shows in the other.
    const auto keepInStep = [this](ui::OptionPane* from, ui::OptionPane* to) {
        connect(from, &ui::OptionPane::optionChanged, to, [this, to](OptionId option) {
            if (option != OptionId::ParallelProbes)
                return;
            ui::NumberBox* box = to->numberBox(settings::optionSpec(option).controlId);
            const QString shown = QString::number(m_options.number(option));
            if (box->text() != shown)
                box->setText(shown);
        });
    };
    keepInStep(listScanPane, seqScanPane());
    keepInStep(seqScanPane(), listScanPane);
    m_seqScanPane =
        new SeqScanPaneController(*seqScanPane(), m_options,
                                  {[this](QLineEdit* field, const QString& caption, const QString& text) {
                                       reportOnField(field, caption, text, text);
                                   },
                                   [this](const QString& caption, const QString& text) {
                                       showMessageBox(caption, text, ops::MessageIcon::Error);
                                   },
                                   [this] { return !m_rangeCheck || m_rangeCheck(); },
                                   [this] { OnOperationCommand(ops::CommandId::SeqScanMenu); },
                                   [this](const QString& status) {
                                       m_operationState.status.set(status);
                                       RefreshCommandUI();
                                   }},
                                  this);
}

ui::CNxSeqScanOptionsPaneDialog* CMainFrame::seqScanPane() const {
    return qobject_cast<ui::CNxSeqScanOptionsPaneDialog*>(optionPane(cmd::kSeqScanOptions));
}

QStringList CMainFrame::listScanAddresses() const {
    return m_listScanEditor->entries();
}

void CMainFrame::bindCommands() {
    const CommandTable& c = *m_commands;
    auto on = [&](int id, auto handler) { connect(c.action(id), &QAction::triggered, this, handler); };

    on(cmd::kPingButton, [this] { OnPing(); });
    on(cmd::kPingMenu, [this] { OnPing(); });
    for (ops::CommandId command : kOperationCommands) {
        if (command != ops::CommandId::PingButton && command != ops::CommandId::PingMenu)
            on(int(command), [this, command] { OnOperationCommand(command); });
    }
    on(cmd::kShowAllOptions, [this] { OnShowAllOptions(); });
    on(cmd::kOptionsButton, [this] { OnShowAllOptions(); });
    for (int id : kOptionsTabOrder)
        on(id, [this, id] { OnToggleOptionsPane(id); });
    on(cmd::kExit, [this] { close(); });
    on(cmd::kSystemTrayMenu, [this] { m_tray->SendToTray(); });
    on(cmd::kSystemTrayButton, [this] { m_tray->SendToTray(); });
    connect(m_tray, &ui::SystemTray::ispingerRequested, this,
            [this] { m_commands->trigger(cmd::kISPingerMenu); });
    connect(m_tray, &ui::SystemTray::iconRemoved, this, &CMainFrame::RefreshCommandUI);

    for (int id : {cmd::kStartLoggingMenu, cmd::kStartLoggingButton, cmd::kLogPane})
        on(id, [this] { runLogCommand(&output::ResultLog::ToggleLogging); });
    for (int id : {cmd::kShowLogMenu, cmd::kShowLogButton})
        on(id, [this] { runLogCommand(&output::ResultLog::ShowLog); });
    for (int id : {cmd::kClearLogMenu, cmd::kClearLogButton, cmd::kLogSizePane})
        on(id, [this] { runLogCommand(&output::ResultLog::ClearLog); });
    on(cmd::kTextSizePane, [this] {
        if (m_results.clearAll)
            m_results.clearAll();
        RefreshCommandUI();
    });

    new BarDialogs(*this, c, [this] { return panesInOrder(); });
    m_settingsCommands = std::make_unique<SettingsCommands>(
        m_store, m_homeDir, QApplication::applicationVersion(),
        SettingsCommands::FrameParts{
            [this](const QString& caption, const QString& text, ops::MessageIcon icon) {
                showMessageBox(caption, text, icon);
            },
            [this](const QString& caption, const QString& text) { return askOkCancel(caption, text); },
            [this] { return SaveSettings(); },
            [this] {
                LoadSettings();
                m_profiles->LoadProfiles();
                RefreshCommandUI();
            },
            [this](const QString& section) { saveLayout(section); }});
    on(cmd::kExportSettings, [this] {
        m_settingsCommands->ExportSettings();
        RefreshCommandUI();
    });
    on(cmd::kImportSettings, [this] {
        if (m_settingsCommands->importAvailable())
            m_settingsCommands->ImportSettings();
        RefreshCommandUI();
    });
    on(cmd::kResetGui, [this] { ResetGui(); });
    on(cmd::kHelpTopics, [this] { OnHelpTopics(); });
    on(cmd::kHomepage, [this] { openLink(output::text(output::res::kHomepageUrl)); });
    on(cmd::kSendEmail, [this] { openLink(output::text(output::res::kEmailLink)); });
    on(cmd::kAbout, [this] {
        // The About box's buttons ignore what the desktop answers: a link that does not open shows nothing.
        ui::CHTMLAboutDialog about(
            manual(), [this](const QUrl& link) { m_linkOpener(link); }, this);
        about.exec();
    });
    on(cmd::kAboutWinsock, [this] {
        if (m_aboutWinsock)
            m_aboutWinsock();
    });

    on(cmd::kStatusBar, [this](bool checked) { statusBar()->setVisible(checked); });
    on(cmd::kRoundTripPlotPane,
       [this](bool checked) { m_panes.at(cmd::kRoundTripPlotPane)->setVisible(checked); });
    for (const VisualStyle& style : visualStyles())
        on(style.id, [this, id = style.id] { ApplyVisualStyle(id); });
    for (int id : kEditCommands)
        on(id, [this, id] { OnEditCommand(id); });

    // The settings buttons of the Other pane give their commands, and are enabled as those are.
    for (int id : kSettingsButtonCommands)
        connect(otherOptionsPane()->button(id), &QPushButton::clicked, this,
                [this, id] { m_commands->trigger(id); });
    connect(m_logPane, &ui::CNxLogOptionsPaneDialog::toggleRequested, this, &CMainFrame::OnLogCheckClicked);
    connect(m_logPane, &ui::CNxLogOptionsPaneDialog::fileNameChanged, this,
            &CMainFrame::OnLogFileNameChanged);
    // The export file may come and go between two looks: its tips are chosen as they show.
    otherOptionsPane()->setToolTipSource([this](int controlId) -> std::optional<QString> {
        if (controlId == cmd::kExportSettings)
            return m_settingsCommands->exportTip();
        if (controlId == cmd::kImportSettings)
            return m_settingsCommands->importTip();
        return std::nullopt;
    });
    m_logPane->setToolTipSource([this](int controlId) {
        const ui::CNxEditBrowseControl* box = m_logPane->fileNameBox();
        if (controlId == ui::CNxLogOptionsPaneDialog::kFileNameId)
            return output::logFileBoxTip(box->isReadOnly());
        return output::logCheckBoxTip(m_logPane->logCheck()->isChecked(), box->text().isEmpty());
    });
}

void CMainFrame::openLink(const QString& address) {
    if (!m_linkOpener(QUrl(address)))
        showMessageBox(output::text(output::res::kLinkErrorCaption),
                       output::fill(output::res::kLinkNotOpened, address), ops::MessageIcon::Warning);
}

QString CMainFrame::manual() const {
    return manualPath(m_homeDir, QCoreApplication::applicationDirPath(),
                      output::text(output::res::kManualFileName));
}

void CMainFrame::OnHelpTopics() {
    const QString fileName = output::text(output::res::kManualFileName);
    const QString manual = this->manual();
    if (!QFileInfo::exists(manual) || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
        showMessageBox(output::text(output::res::kHelpErrorCaption),
                       output::fill(output::res::kManualMissing, fileName, m_homeDir),
                       ops::MessageIcon::Error);
}

void CMainFrame::LoadSettings() {
    settings::LoadedSettings loaded = settings::LoadSettings(m_store);
    m_options.assign(loaded.options);
    m_listScanEditor->load(m_store, loaded.listScanAddresses);
    m_seqScanPane->load(m_store, loaded.seqScanGroups);
    // Shown in the panes, a value out of its range is corrected in the options at once.
    for (const auto& [command, pane] : m_optionPanes)
        pane->showValues(loaded.options);
    m_logPane->showFileName(m_options.text(OptionId::LogString));
}

settings::StoreWrite CMainFrame::SaveSettings() {
    // The options in force, with what the "at start" boxes show for the next start. The log keeps
    // `Log Check` equal to its flag, so logging resumes at the next start as it is now.
    settings::OptionSet shown = m_options.snapshot();
    for (const auto& [command, pane] : m_optionPanes)
        pane->collectShown(shown);
    return settings::SaveSettings(m_store, shown);
}

void CMainFrame::restoreLayout() {
    const SavedLayout layout = readWorkspaceLayout(m_store);
    if (!layout.geometry.isEmpty())
        m_layoutRestored = restoreGeometry(layout.geometry);
    if (!layout.state.isEmpty() && restoreState(layout.state))
        m_savedState = layout.state;
    applyBarsShown(layout);
    m_hostBox->setHistory(layout.hostHistory);
    m_hostBox->setEditText(QString());
}

void CMainFrame::saveLayout(const QString& section) {
    // The lines of toolbars as arranged, not as broken for this window's width.
    m_toolBarFlow->removeAddedBreaks();
    writeWorkspaceLayout(m_store,
                         {saveState(), saveGeometry(), m_hostBox->history(), hiddenToolBarButtons(m_bars),
                          statusBar()->isVisibleTo(this)},
                         section);
}

void CMainFrame::applyBarsShown(const SavedLayout& layout) {
    showToolBarButtons(m_bars, layout.hiddenButtons);
    statusBar()->setVisible(layout.statusBarShown);
}

QList<QDockWidget*> CMainFrame::panesInOrder() const {
    // Raising a pane reorders the window's children: the lists keep an order of their own.
    QList<QDockWidget*> panes{m_panes.at(cmd::kProfileManagerPane)};
    for (int id : kOptionsTabOrder)
        panes.append(m_panes.at(id));
    panes.append(m_panes.at(cmd::kRoundTripPlotPane));
    return panes;
}

QMenu* CMainFrame::createPopupMenu() {
    auto* menu = new QMenu(this);
    for (QDockWidget* pane : panesInOrder())
        menu->addAction(pane->toggleViewAction());
    menu->addSeparator();
    for (QToolBar* bar : m_bars.toolBarOrder)
        menu->addAction(bar->toggleViewAction());
    menu->addSeparator();
    menu->addAction(m_commands->action(cmd::kCustomize));
    menu->addAction(m_commands->action(cmd::kWindowsDialog));
    return menu;
}

bool CMainFrame::CheckProductVersion() {
    // Another version's layout may not fit this one's bars and panes: it gives way to the starting one.
    if (!m_settingsCommands->versionMatches() && !QApplication::applicationVersion().isEmpty()) {
        restoreState(m_startingState);
        applyBarsShown(SavedLayout{});
        m_savedState.clear();
    }
    return m_settingsCommands->CheckProductVersion();
}

bool CMainFrame::askOkCancel(const QString& caption, const QString& text) {
    return m_okCancelAsker ? m_okCancelAsker(caption, text)
                           : ui::ShowOkCancelBox(this, caption, text, int(ops::MessageIcon::Warning), false);
}

void CMainFrame::ResetGui() {
    if (!askOkCancel(output::text(output::res::kResetGuiCaption),
                     output::text(output::res::kResetGuiConfirm)))
        return;
    const QString profileName = m_profileNameBox->text();
    const QString host = m_hostBox->currentText();
    // Only the docking and toolbar layout goes back (the state, not the saved geometry): the window
    // keeps its place and size.
    const SavedLayout recovery = readWorkspaceLayout(m_store, kGuiRecoverySection);
    setUpdatesEnabled(false);
    if (!recovery.state.isEmpty() && restoreState(recovery.state))
        m_savedState = recovery.state;
    applyBarsShown(recovery);
    setUpdatesEnabled(true);
    update();
    m_profileNameBox->setText(profileName);
    m_hostBox->setEditText(host);
    saveLayout(kWorkspaceSection);
    showMessageBox(output::text(output::res::kResetGuiCaption), output::text(output::res::kResetGuiSucceeded),
                   ops::MessageIcon::Information);
}

void CMainFrame::putHostAtStart(const QString& host) {
    m_hostBox->selectOrAppend(host);
}

void CMainFrame::ApplyVisualStyle(int id) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_applicationLook = validVisualStyle(id);
    const VisualStyle style = *findVisualStyle(m_applicationLook);
    QStyle* qtStyle = QStyleFactory::create(QString::fromLatin1(style.qtStyle));
    if (!qtStyle)
        qtStyle = QStyleFactory::create(QStringLiteral("Fusion"));
    if (qtStyle)
        QApplication::setStyle(qtStyle);
    QApplication::setPalette(visualStylePalette(m_applicationLook));
    if (style.smartDocking)
        setDockOptions(AnimatedDocks | AllowNestedDocks | AllowTabbedDocks);
    // Large buttons carry their captions under bigger icons.
    setIconSize(style.buttons == Qt::ToolButtonTextUnderIcon ? QSize(24, 24) : QSize(16, 16));
    setToolButtonStyle(style.buttons);
    if (m_resultsPane) {
        m_resultsPane->setButtonStyle(style.buttons, iconSize());
        if (m_shownOnce)
            m_resultsPane->setMinimumSize(m_resultsPane->leastSize());
    }
    updateLeastWidth();
    applyToolTipLook();
    update();
    writeApplicationLook(m_store, m_applicationLook);
    QApplication::restoreOverrideCursor();
    if (m_commands) {
        if (QAction* action = m_commands->action(m_applicationLook))
            action->setChecked(true);
    }
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

void CMainFrame::OnPing() {
    OnOperationCommand(ops::CommandId::PingButton);
}

void CMainFrame::OnOperationCommand(ops::CommandId command) {
    if (m_operationHandler)
        m_operationHandler(command);
    RefreshCommandUI();
}

bool CMainFrame::anyOptionsPaneVisible() const {
    for (int id : kOptionsTabOrder) {
        if (m_panes.at(id)->toggleViewAction()->isChecked())
            return true;
    }
    return false;
}

void CMainFrame::OnShowAllOptions() {
    if (!anyOptionsPaneVisible()) {
        QDockWidget* first = m_panes.at(kOptionsTabOrder.front());
        first->show();
        for (std::size_t i = 1; i < kOptionsTabOrder.size(); ++i)
            m_panes.at(kOptionsTabOrder[i])->show();
        first->raise();
    } else {
        for (auto it = kOptionsTabOrder.rbegin(); it != kOptionsTabOrder.rend(); ++it)
            m_panes.at(*it)->hide();
    }
    RefreshCommandUI();
}

void CMainFrame::OnToggleOptionsPane(int commandId) {
    QDockWidget* dock = m_panes.at(commandId);
    if (dock->toggleViewAction()->isChecked()) {
        dock->hide();
    } else {
        dock->show();
        dock->raise();
    }
    RefreshCommandUI();
}

void CMainFrame::OnEditCommand(int commandId) {
    // The commands have keys only; their window shortcuts fire while the focus is in this window.
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    // The Results window's own commands serve it, with their own enabling.
    if (m_resultsPane->isAncestorOf(focus)) {
        QAction* own = m_resultsPane->command(ui::CStatusViewPane::Command(commandId));
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

void CMainFrame::runLogCommand(void (output::ResultLog::*command)()) {
    (m_resultLog.get()->*command)();
    RefreshCommandUI();
}

void CMainFrame::OnLogCheckClicked() {
    m_resultLog->ToggleLogging();
    RefreshCommandUI();
}

void CMainFrame::OnLogFileNameChanged(const QString& name) {
    m_resultLog->fileNameChanged(name);
    RefreshCommandUI();
}

ops::CommandContext CMainFrame::commandContext() const {
    ops::CommandContext context;
    context.flags = m_operationState.flags.snapshot();
    context.listScanListEmpty = listScanAddresses().isEmpty();
    const settings::SeqScanOctets octets = settings::SeqScanOctets::fromOptions(m_options);
    context.seqScanAddressEmpty = std::any_of(octets.texts.begin(), octets.texts.end(),
                                              [](const QString& text) { return text.isEmpty(); });
    return context;
}

void CMainFrame::RefreshCommandUI() {
    if (!m_commands || !m_resultLog)
        return;
    refreshOperationCommands();
    m_profiles->ProfileCommandState();
    // The manual has no help per control for Context Help to point at: its key is there, the command off.
    m_commands->setEnabled(cmd::kContextHelp, false);
    m_commands->setEnabled(cmd::kSystemTrayMenu, true);
    m_commands->setEnabled(cmd::kSystemTrayButton, true);
    if (m_ispinger.refreshCommands) {
        m_ispinger.refreshCommands();
    } else {
        // A frame without the desktop's operations (a test's) has no ISPinger to start.
        m_commands->setEnabled(cmd::kISPingerButton, false);
        m_commands->setEnabled(cmd::kISPingerMenu, false);
    }
    refreshPaneCommands();
    m_commands->setEnabled(cmd::kAboutWinsock, bool(m_aboutWinsock));
    m_commands->action(cmd::kStatusBar)->setChecked(statusBar()->isVisibleTo(this));
    m_commands->action(cmd::kRoundTripPlotPane)
        ->setChecked(m_panes.at(cmd::kRoundTripPlotPane)->toggleViewAction()->isChecked());
    if (QAction* look = m_commands->action(m_applicationLook))
        look->setChecked(true);
    showOperationStatus();
    setISPStatus(m_strISPStatus);
    // While an operation sends its rows, what is measured (the log file, the Results' text) shows once
    // a frame; otherwise at once.
    for (ui::FrameThrottle* refresh : {m_logState, m_textSizePane}) {
        if (m_operationState.flags.anyBusy())
            refresh->request();
        else
            refresh->runNow();
    }
}

void CMainFrame::showOperationStatus() {
    m_bars.statusPanes.at(cmd::kStatusPane)
        ->setLook(m_operationState.status.paneText(), std::nullopt, palette().color(QPalette::WindowText),
                  std::nullopt);
}

void CMainFrame::showStatus() {
    if (!m_commands || !m_resultLog)
        return;
    showOperationStatus();
    // The log's size and the Results' text, measured once a frame while rows come.
    m_logState->request();
    m_textSizePane->request();
}

void CMainFrame::setISPStatus(const QString& text) {
    m_strISPStatus = text;
    m_bars.statusPanes.at(cmd::kISPingerStatusPane)
        ->setLook(m_strISPStatus, std::nullopt, palette().color(QPalette::WindowText), std::nullopt);
}

void CMainFrame::refreshOperationCommands() {
    const ops::CommandContext context = commandContext();
    for (ops::CommandId command : kOperationCommands) {
        const ops::CommandUi state = ops::operationCommandUi(command, context);
        m_commands->setEnabled(int(command), state.enabled);
        m_commands->setCaption(int(command), state.caption);
    }
}

void CMainFrame::refreshLogCommands() {
    for (int id : kLogCommandIds) {
        const std::optional<output::CommandUpdate> update = m_resultLog->commandUpdate(id);
        if (!update)
            continue;
        if (update->enabled)
            m_commands->setEnabled(id, *update->enabled);
        if (update->caption)
            m_commands->setCaption(id, *update->caption);
    }
    // The status panes' commands run whatever the state: the log decides what they do.
    m_commands->setEnabled(cmd::kLogPane, true);
    m_commands->setEnabled(cmd::kLogSizePane, true);
    const auto check = m_resultLog->commandUpdate(cmd::kLogCheckBox);
    const auto box = m_resultLog->commandUpdate(cmd::kLogFileBox);
    m_logPane->showState(check && check->enabled.value_or(true), check && check->checked.value_or(false),
                         box && box->readOnly.value_or(false));
}

void CMainFrame::refreshPaneCommands() {
    const bool anyVisible = anyOptionsPaneVisible();
    m_commands->setCaption(cmd::kShowAllOptions, anyVisible ? QStringLiteral("&Hide All Options")
                                                            : QStringLiteral("S&how All Options"));
    m_commands->setEnabled(cmd::kShowAllOptions, true);
    m_commands->setEnabled(cmd::kOptionsButton, true);
    for (int id : kOptionsTabOrder)
        m_commands->setCaption(id, optionsPaneCaption(id, m_panes.at(id)->toggleViewAction()->isChecked()));
    if (m_settingsCommands)
        m_commands->setEnabled(cmd::kImportSettings, m_settingsCommands->importAvailable());
    for (int id : kSettingsButtonCommands)
        otherOptionsPane()->button(id)->setEnabled(m_commands->action(id)->isEnabled());
}

void CMainFrame::applyPaneState(int id, const output::StatusPaneState& state) {
    std::optional<QColor> background;
    if (state.background)
        background = colourOf(*state.background);
    // On a pane's own colour the text stays black, whatever the look's text colour.
    const QColor defaultText = background ? QColor(Qt::black) : palette().color(QPalette::WindowText);
    m_bars.statusPanes.at(id)->setLook(
        state.text, background, state.textColor ? colourOf(*state.textColor) : defaultText, state.tooltip);
}

void CMainFrame::refreshTextSizePane() {
    applyPaneState(cmd::kTextSizePane, output::textSizePane(m_results.textSize ? m_results.textSize() : 0));
}

void CMainFrame::refreshLogPanes() {
    applyPaneState(cmd::kLogPane, m_resultLog->logPaneState());
    // Past the purge limit the log is cleared instead, and the pane keeps its look until the next refresh.
    if (const std::optional<output::StatusPaneState> logSize = m_resultLog->refreshLogSizePane())
        applyPaneState(cmd::kLogSizePane, *logSize);
}

ui::StatusPane* CMainFrame::statusPane(int id) const {
    const auto found = m_bars.statusPanes.find(id);
    return found == m_bars.statusPanes.end() ? nullptr : found->second;
}

QToolBar* CMainFrame::toolBar(const QString& title) const {
    const auto found = m_bars.toolBars.find(title);
    return found == m_bars.toolBars.end() ? nullptr : found->second;
}

ui::OptionPane* CMainFrame::optionPane(int command) const {
    const auto found = m_optionPanes.find(command);
    return found == m_optionPanes.end() ? nullptr : found->second;
}

ui::CNxPingOptionsPaneDialog* CMainFrame::pingOptionsPane() const {
    return qobject_cast<ui::CNxPingOptionsPaneDialog*>(optionPane(cmd::kPingOptions));
}

ui::CNxOtherOptionsPaneDialog* CMainFrame::otherOptionsPane() const {
    return qobject_cast<ui::CNxOtherOptionsPaneDialog*>(optionPane(cmd::kOtherOptions));
}

QTableWidget* CMainFrame::profileManagerList() const {
    return m_profiles->pane()->list();
}

QDockWidget* CMainFrame::pane(int id) const {
    const auto found = m_panes.find(id);
    return found == m_panes.end() ? nullptr : found->second;
}

QString CMainFrame::hostBoxText() const {
    return m_hostBox->currentText();
}

void CMainFrame::addHostToHistory(const QString& host, bool sorted) {
    const QString text = m_hostBox->currentText();
    m_hostBox->addToHistory(host, sorted);
    m_hostBox->setEditText(text);
}

void CMainFrame::returnFocusToHostBox() {
    m_hostBox->setFocus(Qt::OtherFocusReason);
    if (QLineEdit* edit = m_hostBox->lineEdit()) {
        edit->deselect();
        edit->setCursorPosition(0);
    }
}

void CMainFrame::showMessageBox(const QString& caption, const QString& text, ops::MessageIcon icon) {
    if (m_messageBoxShower) {
        m_messageBoxShower(caption, text, icon);
        return;
    }
    // A worker's failure to start keeps the desktop's own warning box; every other message is the
    // program's own box.
    if (icon == ops::MessageIcon::Exclamation) {
        QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, this);
        box.exec();
        return;
    }
    ui::ShowMessageBox(this, caption, text, int(icon));
}

bool CMainFrame::showHostBalloonTip(const QString& title, const QString& text) {
    return showBalloonTip(m_hostBox, title, text);
}

bool CMainFrame::balloonTipsEnabled() const {
    return readBalloonTips(m_store);
}

bool CMainFrame::showBalloonTip(QWidget* box, const QString& title, const QString& text) {
    return ui::BalloonTip::showOn(*box, title, text);
}

void CMainFrame::reportOnField(QWidget* field, const QString& caption, const QString& balloonText,
                               const QString& boxText) {
    if (!balloonTipsEnabled() || !showBalloonTip(field, caption, balloonText))
        showMessageBox(caption, boxText, ops::MessageIcon::Error);
}

void CMainFrame::reportOctetField(int control, const QString& caption, const QString& balloonText,
                                  const QString& boxText, bool showPane) {
    QDockWidget* dock = m_panes.at(cmd::kSeqScanOptions);
    if (showPane) {
        dock->show();
        dock->raise();
    }
    QLineEdit* field = seqScanPane()->octetField(control);
    field->setFocus(Qt::OtherFocusReason);
    reportOnField(field, caption, balloonText, boxText);
}

void CMainFrame::beep() {
    QApplication::beep();
}

void CMainFrame::writeExitingLines() {
    const ops::FlagSnapshot flags = m_operationState.flags.snapshot();
    for (const ExitingLine& line : kExitingLines) {
        if (!line.running(flags))
            continue;
        const QString text = QString::fromLatin1(line.text);
        m_operationState.status.set(text);
        RefreshCommandUI();
        if (m_results.appendRed)
            m_results.appendRed(text + QStringLiteral("\\par }"));
    }
}

bool CMainFrame::waitForWorkers() {
    // Workers hand their messages to this thread and wait for them to be handled, so it keeps
    // dispatching until the last of them has ended.
    const ops::OperationFlags& flags = m_operationState.flags;
    const auto done = [&flags] { return !flags.anyBusy(); };
    if (ops::waitForFlags(flags, done))
        return true;
    // Told to quit meanwhile: the workers' messages are still answered, since the close goes on to join
    // their threads. Every worker's end is a flag change, which wakes this loop.
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return false;
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (m_toolBarFlow && m_shownOnce)
        m_toolBarFlow->reflow();
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    RefreshCommandUI();
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // The panes' sizes are kept in pixels: they come out as saved only in a window of the saved size,
    // which it has once shown (maximised or not).
    QTimer::singleShot(0, this, [this] { arrangePanes(); });
}

void CMainFrame::arrangePanes() {
    // A saved layout that would leave the Results less than their least room is not used.
    m_resultsPane->setMinimumSize(0, 0);
    bool restored = !m_savedState.isEmpty() && restoreState(m_savedState);
    if (restored) {
        layout()->activate();
        const QSize least = m_resultsPane->leastSize();
        restored = m_resultsPane->width() >= least.width() && m_resultsPane->height() >= least.height();
    }
    // The Results keep room for their toolbar and their lines whatever the other panes take.
    m_resultsPane->setMinimumSize(m_resultsPane->leastSize());
    if (!restored) {
        // The starting layout: the option panes as high as their controls need, the Profile Manager
        // beside the Results, which take the room left over.
        restoreState(m_startingState);
        int optionsHeight = 0;
        for (int id : kOptionsTabOrder)
            optionsHeight = std::max(optionsHeight, m_panes.at(id)->sizeHint().height());
        resizeDocks({m_panes.at(kOptionsTabOrder.front())}, {optionsHeight}, Qt::Vertical);
        resizeDocks({m_panes.at(cmd::kProfileManagerPane)}, {std::min(400, width() / 3)}, Qt::Horizontal);
    }
    // Shown, the status bar has its size grip too.
    updateLeastWidth();
    m_toolBarFlow->reflow();
    // The window opens ready for a host to be typed.
    m_hostBox->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::updateLeastWidth() {
    QToolBar* hosts = toolBar(QStringLiteral("Hosts"));
    if (!hosts || !statusBar())
        return;
    // The host and Profile Name boxes stay in view, and the status panes side by side.
    const int needed = std::max(hosts->sizeHint().width(), statusBar()->minimumSizeHint().width());
    setMinimumWidth(needed + 2 * style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent));
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

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_closed) {
        event->accept();
        return;
    }
    if (m_closing) {
        // A close request that arrives while the sequence waits for the workers: the running
        // sequence will close the window.
        event->ignore();
        return;
    }
    m_closing = true;
    m_operationState.flags.beginShutdown();
    if (m_closingHook)
        m_closingHook();
    writeExitingLines();
    if (m_ispinger.stopForClose)
        m_ispinger.stopForClose();
    waitForWorkers();
    // The options are saved even when the program was told to quit during the wait: losing them would
    // gain nothing.
    // A store in memory said so at start; any other store that does not take them says why now.
    settings::StoreWrite saved = SaveSettings();
    if (saved)
        saved = m_store.writeValues(kMruSection,
                                    std::array{settings::NamedValue{kMruHostName, m_profileNameBox->text()},
                                               settings::NamedValue{kMruAddress, m_hostBox->currentText()}});
    if (!saved && !m_store.isInMemory())
        showMessageBox(output::text(output::res::kShutdownErrorCaption),
                       output::fill(output::res::kOptionsNotSaved, saved.reason()), ops::MessageIcon::Error);
    if (m_shutdownHook)
        m_shutdownHook();
    m_resultLog->close();
    m_profiles->close();
    saveLayout(kWorkspaceSection);
    m_closed = true;
    event->accept();
}

} // namespace vantrel::app
