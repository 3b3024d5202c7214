#include "app/FramePanes.h"

#include "app/CMainFrame.h"
#include "app/DesktopLogFrontEnd.h"
#include "app/FrameCommandDispatch.h"
#include "app/FrameCommandState.h"
#include "app/FramePersistence.h"
#include "app/ListScanAddressEditor.h"
#include "app/OptionsPanes.h"
#include "app/PaneFactories.h"
#include "app/ProfileManager.h"
#include "app/SeqScanPaneController.h"
#include "log/ResultLog.h"
#include "log/ResultPipeline.h"
#include "ops/SeqScanRangeCheck.h"
#include "settings/OptionTable.h"
#include "text/MessageTexts.h"
#include "text/PathMonitorTexts.h"
#include "text/ResultTexts.h"
#include "ui/CHostViewPane.h"
#include "ui/CNxListScanOptionsPaneDialog.h"
#include "ui/CNxLogOptionsPaneDialog.h"
#include "ui/CNxOtherOptionsPaneDialog.h"
#include "ui/CNxSeqScanOptionsPaneDialog.h"
#include "ui/CStatusViewPane.h"
#include "ui/HostComboBox.h"
#include "ui/NumberBox.h"
#include "ui/PaneScroller.h"
#include "ui/PathMonitorPane.h"
#include "ui/ResultsTextView.h"
#include "ui/RoundTripPlot.h"
#include "ui/TabColourizer.h"
#include "ui/WatchPane.h"

#include <QAction>
#include <QDockWidget>
#include <QLineEdit>

namespace vantrel::app {

using settings::OptionId;

FramePanes::FramePanes(CMainFrame& frame, FrameParts& parts, FrameCommandState& state,
                       FramePersistence& persistence, FrameCommandDispatch& dispatch)
    : m_frame(frame)
    , m_parts(parts)
    , m_state(state)
    , m_persistence(persistence)
    , m_dispatch(dispatch) {}

void FramePanes::createCommands() {
    m_parts.commands = std::make_unique<CommandTable>(&m_frame);
    // Accelerators work wherever the focus is in the window; the edit commands act on what has it.
    for (const CommandSpec& spec : commandSpecs()) {
        if (!spec.keys.isEmpty())
            m_frame.addAction(m_parts.commands->action(spec.id));
    }
    m_parts.commands->action(cmd::kStatusBar)->setCheckable(true);
    for (int id : cmd::kViewPaneCommands)
        m_parts.commands->action(id)->setCheckable(true);
}

bool FramePanes::CreatePanes() {
    auto makeDock = [this](int id, const QString& title, const QString& objectName, QWidget* content) {
        auto* dock = new QDockWidget(title, &m_frame);
        dock->setObjectName(objectName);
        dock->setAllowedAreas(Qt::AllDockWidgetAreas);
        dock->setWidget(content);
        m_parts.panes.emplace(id, dock);
        return dock;
    };

    const ui::FrameCommands frameCommands = [this](int id) {
        return ui::FrameCommand{m_parts.commands->action(id), m_parts.commands->contextCaption(id)};
    };
    m_parts.profiles =
        new ProfileManager(m_parts.store, m_parts.options, *m_parts.commands,
                           {m_parts.profileNameBox, m_parts.hostBox,
                            [this](const QString& caption, const QString& text, ops::MessageIcon icon) {
                                m_frame.showMessageBox(caption, text, icon);
                            },
                            [this] { m_frame.returnFocusToHostBox(); }, [this] { m_frame.OnPing(); }},
                           frameCommands, &m_frame);
    QDockWidget* profiles =
        makeDock(cmd::kProfileManagerPane, output::text(output::res::kProfileManagerTitle),
                 QStringLiteral("ProfileManagerPane"), m_parts.profiles->pane());
    profiles->widget()->setMinimumSize(200, 100);
    // The Results hold the centre; the other panes dock around them.
    m_parts.resultsPane = createResultsView(m_parts.options, frameCommands, &m_frame);
    m_parts.resultsPane->setButtonStyle(m_frame.toolButtonStyle(), m_frame.iconSize());
    m_frame.setCentralWidget(m_parts.resultsPane);

    for (const OptionsPaneSpec& spec : kOptionsPanes) {
        ui::OptionPane* content = createOptionsPane(spec.command, m_parts.options, &m_frame);
        m_parts.optionPanes.emplace(spec.command, content);
        // In a narrow or low window the pane scrolls, so no control is ever out of reach.
        auto* scroller = new ui::PaneScroller(content, &m_frame);
        scroller->setAccessibleName(output::text(spec.title));
        makeDock(spec.command, output::text(spec.title), QString::fromLatin1(spec.objectName), scroller);
    }
    m_parts.logPane = qobject_cast<ui::CNxLogOptionsPaneDialog*>(m_parts.optionPanes.at(cmd::kLogOptions));
    createListEditors();
    // The Profile Manager sorts as the Other pane says, and a header click shows its column there.
    QObject::connect(m_parts.otherOptionsPane(), &ui::CNxOtherOptionsPaneDialog::profileSortRequested,
                     m_parts.profiles, &ProfileManager::sortIfAutoSort);
    QObject::connect(m_parts.profiles->pane(), &ui::CHostViewPane::sortedByHeader, m_parts.otherOptionsPane(),
                     &ui::CNxOtherOptionsPaneDialog::showProfileSortColumn);

    // The tabbed options at the bottom, then the Profile Manager at the left.
    QDockWidget* first = m_parts.panes.at(kOptionsTabOrder.front());
    m_frame.addDockWidget(Qt::BottomDockWidgetArea, first);
    for (std::size_t i = 1; i < kOptionsTabOrder.size(); ++i)
        m_frame.tabifyDockWidget(m_parts.panes.at(kOptionsTabOrder[i - 1]),
                                 m_parts.panes.at(kOptionsTabOrder[i]));
    first->raise();
    m_frame.addDockWidget(Qt::LeftDockWidgetArea, profiles);
    // The round-trip plot docks at the right, hidden until the View menu shows it.
    m_parts.roundTripPlot = new ui::RoundTripPlot(&m_frame);
    QDockWidget* plot = makeDock(cmd::kRoundTripPlotPane, output::text(output::res::kRoundTripPlotTitle),
                                 QStringLiteral("RoundTripPlotPane"), m_parts.roundTripPlot);
    m_frame.addDockWidget(Qt::RightDockWidgetArea, plot);
    plot->hide();
    QObject::connect(plot, &QDockWidget::visibilityChanged, &m_frame, [this] { m_frame.RefreshCommandUI(); });
    // So does the Watch List, under the plot. Not tabbed with it: Qt 6.4 keeps a freed item of a tab
    // group whose panes are all hidden when a layout is restored twice (at the start and once shown),
    // and the next layout pass crashed on it.
    m_parts.watchPane = new ui::WatchPane(&m_frame);
    auto* watchScroller = new ui::PaneScroller(m_parts.watchPane, &m_frame);
    watchScroller->setAccessibleName(output::text(output::res::kWatchPaneTitle));
    QDockWidget* watch = makeDock(cmd::kWatchPane, output::text(output::res::kWatchPaneTitle),
                                  QStringLiteral("WatchPane"), watchScroller);
    m_frame.addDockWidget(Qt::RightDockWidgetArea, watch);
    watch->hide();
    QObject::connect(watch, &QDockWidget::visibilityChanged, &m_frame,
                     [this] { m_frame.RefreshCommandUI(); });

    // The Path Monitor's wide table goes with the options at the bottom, in front when a monitor starts.
    m_parts.pathMonitorPane = new ui::PathMonitorPane(&m_frame);
    QDockWidget* pathMonitor =
        makeDock(cmd::kPathMonitorPane, output::text(output::res::kPathMonitorPaneTitle),
                 QStringLiteral("PathMonitorPane"), m_parts.pathMonitorPane);
    m_frame.tabifyDockWidget(m_parts.panes.at(kOptionsTabOrder.back()), pathMonitor);
    first->raise(); // the options keep their first tab in front
    QObject::connect(pathMonitor, &QDockWidget::visibilityChanged, &m_frame,
                     [this] { m_frame.RefreshCommandUI(); });

    m_parts.resultsPane->setMinimumSize(m_parts.resultsPane->leastSize());
    m_persistence.keepStartingLayout();
    new ui::TabColourizer(&m_frame);
    // The size the window starts with before any layout is saved; the first start maximises it.
    m_frame.resize(1200, 800);
    return true;
}

void FramePanes::createListEditors() {
    auto* listScanPane =
        qobject_cast<ui::CNxListScanOptionsPaneDialog*>(m_parts.optionPanes.at(cmd::kListScanOptions));
    m_parts.listScanEditor =
        new ListScanAddressEditor(*listScanPane->addressList(), m_parts.options,
                                  {[this](const QString& caption, const QString& text) {
                                       m_frame.showMessageBox(caption, text, ops::MessageIcon::Error);
                                   },
                                   [this](const QString& host) {
                                       m_parts.hostBox->selectOrAppend(host);
                                       m_frame.OnPing();
                                   },
                                   [this] { m_frame.RefreshCommandUI(); }},
                                  &m_frame);
    QObject::connect(listScanPane, &ui::OptionPane::optionChanged, m_parts.listScanEditor,
                     [this](OptionId option) {
                         if (option == OptionId::ListScanAutoSort)
                             m_parts.listScanEditor->sortIfAutoSorted();
                     });
    // Both scan panes show the parallel probes: a change in one shows in the other.
    const auto keepInStep = [this](ui::OptionPane* from, ui::OptionPane* to) {
        QObject::connect(from, &ui::OptionPane::optionChanged, to, [this, to](OptionId option) {
            if (option != OptionId::ParallelProbes)
                return;
            ui::NumberBox* box = to->numberBox(settings::optionSpec(option).controlId);
            const QString shown = QString::number(m_parts.options.number(option));
            if (box->text() != shown)
                box->setText(shown);
        });
    };
    keepInStep(listScanPane, m_parts.seqScanPane());
    keepInStep(m_parts.seqScanPane(), listScanPane);
    m_parts.seqScanController = new SeqScanPaneController(
        *m_parts.seqScanPane(), m_parts.options,
        {[this](QLineEdit* field, const QString& caption, const QString& text) {
             m_frame.reportOnField(field, caption, text, text);
         },
         [this](const QString& caption, const QString& text) {
             m_frame.showMessageBox(caption, text, ops::MessageIcon::Error);
         },
         [this] { return ops::checkSeqScanRange(m_parts.options, m_parts.state.status, m_frame); },
         [this] { m_dispatch.OnOperationCommand(ops::CommandId::SeqScanMenu); },
         [this](const QString& status) {
             m_parts.state.status.set(status);
             m_frame.RefreshCommandUI();
         }},
        &m_frame);
}

void FramePanes::InitResultsWindow() {
    m_parts.pipeline =
        std::make_unique<output::ResultPipeline>(m_parts.resultLog.get(), *m_parts.resultsPane);
    QObject::connect(m_parts.resultsPane, &ui::CStatusViewPane::textSizeChanged, &m_frame,
                     [this] { m_state.textSizeChanged(); });
    QObject::connect(m_parts.resultsPane, &ui::CStatusViewPane::openLink, &m_frame,
                     [this](const QString& address) { m_dispatch.openLink(address); });
    QObject::connect(m_parts.resultsPane, &ui::CStatusViewPane::errorMessage, &m_frame,
                     [this](const QString& caption, const QString& text) {
                         m_frame.showMessageBox(caption, text, ops::MessageIcon::Error);
                     });
    m_parts.pipeline->AppendRow(output::makeRow(output::ResultKind::Plain, output::res::kBanner));
    m_parts.logFrontEnd->setResultLines(
        [this](const output::ResultRow& line) { m_parts.pipeline->AppendRow(line); });
}

} // namespace vantrel::app
