#include "app/FrameCommandState.h"

#include "app/CMainFrame.h"
#include "app/ListScanAddressEditor.h"
#include "app/OptionsPanes.h"
#include "app/ProfileManager.h"
#include "app/SettingsCommands.h"
#include "log/ResultLog.h"
#include "rows/StatusPanes.h"
#include "settings/SeqScanGroups.h"
#include "text/FrameTexts.h"
#include "text/MessageTexts.h"
#include "ui/CNxLogOptionsPaneDialog.h"
#include "ui/CNxOtherOptionsPaneDialog.h"
#include "ui/CStatusViewPane.h"
#include "ui/FrameThrottle.h"
#include "ui/ResultsTextView.h"
#include "ui/StatusPane.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QPushButton>
#include <QStatusBar>
#include <algorithm>

namespace vantrel::app {

namespace {

// The log's commands and controls, whose state the log decides.
constexpr std::array kLogCommandIds = {cmd::kStartLoggingMenu, cmd::kStartLoggingButton,
                                       cmd::kShowLogMenu,      cmd::kShowLogButton,
                                       cmd::kClearLogMenu,     cmd::kClearLogButton};

QColor colourOf(const output::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

FrameCommandState::FrameCommandState(CMainFrame& frame, FrameParts& parts)
    : m_frame(frame)
    , m_parts(parts)
    // The text grows a row at a time, as fast as the network answers: its size shows once a frame.
    , m_textSizePane(new ui::FrameThrottle([this] { refreshTextSizePane(); }, &frame))
    , m_logState(new ui::FrameThrottle(
          [this] {
              refreshLogCommands();
              refreshLogPanes();
          },
          &frame)) {}

void FrameCommandState::refresh(const std::function<bool()>& refreshOperationsCommands,
                                bool aboutWinsockShown) {
    refreshOperationCommands();
    m_parts.profiles->ProfileCommandState();
    // The manual has no help per control for Context Help to point at: its key is there, the command off.
    m_parts.commands->setEnabled(cmd::kContextHelp, false);
    m_parts.commands->setEnabled(cmd::kSystemTrayMenu, true);
    m_parts.commands->setEnabled(cmd::kSystemTrayButton, true);
    if (!refreshOperationsCommands()) {
        // A frame without the desktop's operations (a test's) has no ISPinger to start.
        m_parts.commands->setEnabled(cmd::kISPingerButton, false);
        m_parts.commands->setEnabled(cmd::kISPingerMenu, false);
    }
    refreshPaneCommands();
    m_parts.commands->setEnabled(cmd::kAboutWinsock, aboutWinsockShown);
    m_parts.commands->action(cmd::kStatusBar)->setChecked(m_frame.statusBar()->isVisibleTo(&m_frame));
    for (int pane : cmd::kViewPaneCommands)
        m_parts.commands->action(pane)->setChecked(m_parts.panes.at(pane)->toggleViewAction()->isChecked());
    if (QAction* look = m_parts.commands->action(m_parts.applicationLook))
        look->setChecked(true);
    showOperationStatus();
    setISPStatus(m_strISPStatus);
    // While an operation sends its rows, what is measured (the log file, the Results' text) shows once
    // a frame; otherwise at once.
    for (ui::FrameThrottle* refresh : {m_logState, m_textSizePane}) {
        if (m_parts.state.flags.anyBusy())
            refresh->request();
        else
            refresh->runNow();
    }
}

ops::CommandContext FrameCommandState::commandContext() const {
    ops::CommandContext context;
    context.flags = m_parts.state.flags.snapshot();
    context.listScanListEmpty = m_parts.listScanEditor->entries().isEmpty();
    const settings::SeqScanOctets octets = settings::SeqScanOctets::fromOptions(m_parts.options);
    context.seqScanAddressEmpty = std::any_of(octets.texts.begin(), octets.texts.end(),
                                              [](const QString& text) { return text.isEmpty(); });
    return context;
}

void FrameCommandState::showOperationStatus() {
    m_parts.bars.statusPanes.at(cmd::kStatusPane)
        ->setLook(m_parts.state.status.paneText(), std::nullopt,
                  QApplication::palette().color(QPalette::WindowText), std::nullopt);
}

void FrameCommandState::setISPStatus(const QString& text) {
    m_strISPStatus = text;
    m_parts.bars.statusPanes.at(cmd::kISPingerStatusPane)
        ->setLook(m_strISPStatus, std::nullopt, QApplication::palette().color(QPalette::WindowText),
                  std::nullopt);
}

void FrameCommandState::refreshOperationCommands() {
    const ops::CommandContext context = commandContext();
    for (ops::CommandId command : kOperationCommands) {
        const ops::CommandUi state = ops::operationCommandUi(command, context);
        m_parts.commands->setEnabled(int(command), state.enabled);
        m_parts.commands->setCaption(int(command), state.caption);
    }
}

void FrameCommandState::refreshLogCommands() {
    for (int id : kLogCommandIds) {
        const std::optional<output::CommandUpdate> update = m_parts.resultLog->commandUpdate(id);
        if (!update)
            continue;
        if (update->enabled)
            m_parts.commands->setEnabled(id, *update->enabled);
        if (update->caption)
            m_parts.commands->setCaption(id, *update->caption);
    }
    // The status panes' commands run whatever the state: the log decides what they do.
    m_parts.commands->setEnabled(cmd::kLogPane, true);
    m_parts.commands->setEnabled(cmd::kLogSizePane, true);
    const auto check = m_parts.resultLog->commandUpdate(cmd::kLogCheckBox);
    const auto box = m_parts.resultLog->commandUpdate(cmd::kLogFileBox);
    m_parts.logPane->showState(check && check->enabled.value_or(true),
                               check && check->checked.value_or(false), box && box->readOnly.value_or(false));
}

void FrameCommandState::refreshPaneCommands() {
    const bool anyVisible = anyOptionsPaneVisible();
    m_parts.commands->setCaption(
        cmd::kShowAllOptions,
        output::text(anyVisible ? output::res::kHideAllOptionsMenu : output::res::kShowAllOptionsMenu));
    m_parts.commands->setEnabled(cmd::kShowAllOptions, true);
    m_parts.commands->setEnabled(cmd::kOptionsButton, true);
    for (int id : kOptionsTabOrder)
        m_parts.commands->setCaption(
            id, optionsPaneCaption(id, m_parts.panes.at(id)->toggleViewAction()->isChecked()));
    if (m_parts.settingsCommands)
        m_parts.commands->setEnabled(cmd::kImportSettings, m_parts.settingsCommands->importAvailable());
    for (int id : kSettingsButtonCommands)
        m_parts.otherOptionsPane()->button(id)->setEnabled(m_parts.commands->action(id)->isEnabled());
}

void FrameCommandState::applyPaneState(int id, const output::StatusPaneState& state) {
    std::optional<QColor> background;
    if (state.background)
        background = colourOf(*state.background);
    // On a pane's own colour the text stays black, whatever the look's text colour.
    const QColor defaultText =
        background ? QColor(Qt::black) : QApplication::palette().color(QPalette::WindowText);
    m_parts.bars.statusPanes.at(id)->setLook(
        state.text, background, state.textColor ? colourOf(*state.textColor) : defaultText, state.tooltip);
}

void FrameCommandState::refreshTextSizePane() {
    applyPaneState(cmd::kTextSizePane,
                   output::textSizePane(double(m_parts.resultsPane->view().textSizeBytes())));
}

void FrameCommandState::refreshLogPanes() {
    applyPaneState(cmd::kLogPane, m_parts.resultLog->logPaneState());
    // Past the purge limit the log is cleared instead, and the pane keeps its look until the next refresh.
    if (const std::optional<output::StatusPaneState> logSize = m_parts.resultLog->refreshLogSizePane())
        applyPaneState(cmd::kLogSizePane, *logSize);
}

bool FrameCommandState::anyOptionsPaneVisible() const {
    for (int id : kOptionsTabOrder) {
        if (m_parts.panes.at(id)->toggleViewAction()->isChecked())
            return true;
    }
    return false;
}

void FrameCommandState::showMeasuresSoon() {
    // The log's size and the Results' text, measured once a frame while rows come.
    m_logState->request();
    m_textSizePane->request();
}

void FrameCommandState::textSizeChanged() {
    m_textSizePane->request();
}

} // namespace vantrel::app
