#include "app/FramePersistence.h"

#include "app/CMainFrame.h"
#include "app/FrameDialogs.h"
#include "app/ListScanAddressEditor.h"
#include "app/OptionsPanes.h"
#include "app/SeqScanPaneController.h"
#include "app/SettingsCommands.h"
#include "app/ToolBarFlow.h"
#include "settings/SettingsModel.h"
#include "text/MessageTexts.h"
#include "ui/CNxLogOptionsPaneDialog.h"
#include "ui/CStatusViewPane.h"
#include "ui/HostComboBox.h"
#include "ui/OptionPane.h"

#include <QApplication>
#include <QDockWidget>
#include <QLayout>
#include <QLineEdit>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

namespace vantrel::app {

FramePersistence::FramePersistence(CMainFrame& frame, FrameParts& parts)
    : m_frame(frame)
    , m_parts(parts) {}

void FramePersistence::keepStartingLayout() {
    m_startingState = m_frame.saveState();
}

void FramePersistence::LoadSettings() {
    settings::LoadedSettings loaded = settings::LoadSettings(m_parts.store);
    m_parts.options.assign(loaded.options);
    m_parts.listScanEditor->load(m_parts.store, loaded.listScanAddresses);
    m_parts.seqScanController->load(m_parts.store, loaded.seqScanGroups);
    // Shown in the panes, a value out of its range is corrected in the options at once.
    for (const auto& [command, pane] : m_parts.optionPanes)
        pane->showValues(loaded.options);
    m_parts.logPane->showFileName(m_parts.options.text(settings::OptionId::LogString));
}

settings::StoreWrite FramePersistence::SaveSettings() {
    // The options in force, with what the "at start" boxes show for the next start. The log keeps
    // `Log Check` equal to its flag, so logging resumes at the next start as it is now.
    settings::OptionSet shown = m_parts.options.snapshot();
    for (const auto& [command, pane] : m_parts.optionPanes)
        pane->collectShown(shown);
    return settings::SaveSettings(m_parts.store, shown);
}

void FramePersistence::restoreLayout() {
    const SavedLayout layout = readWorkspaceLayout(m_parts.store);
    if (!layout.geometry.isEmpty())
        m_layoutRestored = m_frame.restoreGeometry(layout.geometry);
    // The panes are arranged once the window has its size (arrangePanes), and only then: Qt 6.4 keeps a
    // freed item of a tab group whose panes are all hidden when a layout is restored twice, and the
    // next layout pass crashed on it.
    m_savedState = layout.state;
    applyBarsShown(layout);
    m_parts.hostBox->setHistory(layout.hostHistory);
    m_parts.hostBox->setEditText(QString());
}

settings::StoreWrite FramePersistence::saveLayout(const QString& section) {
    // The lines of toolbars as arranged, not as broken for this window's width; broken again after.
    m_parts.toolBarFlow->removeAddedBreaks();
    settings::StoreWrite written =
        writeWorkspaceLayout(m_parts.store,
                             {m_frame.saveState(), m_frame.saveGeometry(), m_parts.hostBox->history(),
                              hiddenToolBarButtons(m_parts.bars), m_frame.statusBar()->isVisibleTo(&m_frame)},
                             section);
    if (m_parts.shownOnce)
        m_parts.toolBarFlow->reflow();
    return written;
}

void FramePersistence::applyBarsShown(const SavedLayout& layout) {
    showToolBarButtons(m_parts.bars, layout.hiddenButtons);
    m_frame.statusBar()->setVisible(layout.statusBarShown);
}

bool FramePersistence::CheckProductVersion() {
    // Another version's layout may not fit this one's bars and panes: it gives way to the starting one.
    if (!m_parts.settingsCommands->versionMatches() && !QApplication::applicationVersion().isEmpty()) {
        m_frame.restoreState(m_startingState);
        applyBarsShown(SavedLayout{});
        m_savedState.clear();
    }
    return m_parts.settingsCommands->CheckProductVersion();
}

bool FramePersistence::askOkCancel(const QString& caption, const QString& text) {
    return m_parts.dialogs.askOkCancel(&m_frame, caption, text);
}

void FramePersistence::ResetGui() {
    if (!askOkCancel(output::text(output::res::kResetGuiCaption),
                     output::text(output::res::kResetGuiConfirm)))
        return;
    const QString profileName = m_parts.profileNameBox->text();
    const QString host = m_parts.hostBox->currentText();
    // Only the docking and toolbar layout goes back (the state, not the saved geometry): the window
    // keeps its place and size.
    const SavedLayout recovery = readWorkspaceLayout(m_parts.store, kGuiRecoverySection);
    m_frame.setUpdatesEnabled(false);
    // The breaks made for this width go with the layout they were made for.
    m_parts.toolBarFlow->removeAddedBreaks();
    if (!recovery.state.isEmpty() && m_frame.restoreState(recovery.state)) {
        m_savedState = recovery.state;
        // The starting layout was kept before the window first showed: its panes take their starting
        // sizes here, as at a first start.
        m_frame.layout()->activate();
        sizeStartingPanes();
    }
    applyBarsShown(recovery);
    m_frame.setUpdatesEnabled(true);
    m_frame.update();
    m_parts.profileNameBox->setText(profileName);
    m_parts.hostBox->setEditText(host);
    if (const settings::StoreWrite saved = saveLayout(kWorkspaceSection); !saved) {
        m_frame.showMessageBox(output::text(output::res::kResetGuiCaption),
                               output::fill(output::res::kLayoutNotSaved, saved.reason()),
                               ops::MessageIcon::Error);
        return;
    }
    m_frame.showMessageBox(output::text(output::res::kResetGuiCaption),
                           output::text(output::res::kResetGuiSucceeded), ops::MessageIcon::Information);
}

void FramePersistence::arrangePanes() {
    // A saved layout that would leave the Results less than their least room is not used.
    m_parts.resultsPane->setMinimumSize(0, 0);
    bool restored = !m_savedState.isEmpty() && m_frame.restoreState(m_savedState);
    if (restored) {
        m_frame.layout()->activate();
        const QSize least = m_parts.resultsPane->leastSize();
        restored =
            m_parts.resultsPane->width() >= least.width() && m_parts.resultsPane->height() >= least.height();
    }
    // The Results keep room for their toolbar and their lines whatever the other panes take.
    m_parts.resultsPane->setMinimumSize(m_parts.resultsPane->leastSize());
    if (!restored) {
        m_frame.restoreState(m_startingState);
        sizeStartingPanes();
    }
    // Shown, the status bar has its size grip too.
    updateLeastWidth();
    m_parts.toolBarFlow->reflow();
    // The window opens ready for a host to be typed.
    m_parts.hostBox->setFocus(Qt::OtherFocusReason);
}

void FramePersistence::sizeStartingPanes() {
    int optionsHeight = 0;
    for (int id : kOptionsTabOrder)
        optionsHeight = std::max(optionsHeight, m_parts.panes.at(id)->sizeHint().height());
    m_frame.resizeDocks({m_parts.panes.at(kOptionsTabOrder.front())}, {optionsHeight}, Qt::Vertical);
    m_frame.resizeDocks({m_parts.panes.at(cmd::kProfileManagerPane)}, {std::min(400, m_frame.width() / 3)},
                        Qt::Horizontal);
}

void FramePersistence::updateLeastWidth() {
    QToolBar* hosts = m_parts.toolBar(output::text(output::res::kHostsToolbarTitle));
    if (!hosts || !m_frame.statusBar())
        return;
    // The host and Profile Name boxes stay in view, and the status panes side by side.
    const int needed = std::max(hosts->sizeHint().width(), m_frame.statusBar()->minimumSizeHint().width());
    m_frame.setMinimumWidth(needed + 2 * m_frame.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent));
}

} // namespace vantrel::app
