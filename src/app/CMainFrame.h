#pragma once

#include "app/FrameDialogs.h"
#include "app/FrameParts.h"
#include "ops/OperationFrontEnd.h"

#include <QMainWindow>
#include <QStringList>
#include <memory>

class QTableWidget;

namespace vantrel::ops {
class OperationFlags;
class SharedStatus;
} // namespace vantrel::ops

namespace vantrel::app {

class FrameCloseSequence;
class FrameCommandDispatch;
class FrameCommandState;
class FramePanes;
class FramePersistence;

// The main window. It shows the options, the operation flags and the status text of the operations
// session, which owns them, and is the operations' front end. It is made of the parts it shares with the
// classes that build its panes (FramePanes), dispatch its commands (FrameCommandDispatch), refresh their
// state (FrameCommandState), keep its settings and layout (FramePersistence) and close it
// (FrameCloseSequence).
class CMainFrame : public QMainWindow, public ops::OperationFrontEnd {
    Q_OBJECT
public:
    // `homeDir` is the program's home folder, ending in a slash. The options and the operation state are
    // the operations session's (a test's own when it has none).
    // The window's boxes and links go through `dialogs`.
    CMainFrame(settings::RegistryStore& store, QString homeDir, settings::LiveOptions& options,
               ops::OperationState& state, FrameDialogs& dialogs = FrameDialogs::desktop(),
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds the window in order: style, menu bar, toolbars, status bar, docking panes, options, the
    // Profile Name box's last text, the saved layout. False when a part could not be made (reported).
    bool Create();
    // Whether Create found a saved layout; without one the window opens maximised.
    bool layoutRestored() const;
    // The last host at start: selects it in the host box, adding it to the list when new.
    void putHostAtStart(const QString& host);
    // At start: true when the stored program version is this program's; otherwise the saved layout is
    // replaced by the starting one (also kept for Reset GUI), and the version stored.
    bool CheckProductVersion();

    // Applies a visual style (210 to 218) and writes it to the store.
    void ApplyVisualStyle(int id);
    int applicationLook() const { return m_parts.applicationLook; }

    // The Ping command: starts a ping or cancels the running one. The Ping button, its menu item and
    // Enter reach it; Enter without the enabling rules.
    void OnPing();

    // The ISPinger status text of its status pane.
    void setISPStatus(const QString& text);
    ui::SystemTray& systemTray() const { return *m_parts.tray; }

    settings::LiveOptions& options() { return m_parts.options; }
    ops::OperationFlags& flags();
    ops::SharedStatus& status();
    const CommandTable& commands() const { return *m_parts.commands; }
    ui::HostComboBox* hostBox() const { return m_parts.hostBox; }
    QLineEdit* profileNameBox() const { return m_parts.profileNameBox; }
    ui::StatusPane* statusPane(int id) const { return m_parts.statusPane(id); }
    QToolBar* toolBar(const QString& title) const { return m_parts.toolBar(title); }
    // The docking panes by ID: Results 133, Profile Manager 134, the option panes by their show/hide
    // command (314 to 319).
    QDockWidget* pane(int id) const { return m_parts.pane(id); }
    ui::CNxLogOptionsPaneDialog* logOptionsPane() const { return m_parts.logPane; }
    ui::CNxPingOptionsPaneDialog* pingOptionsPane() const { return m_parts.pingOptionsPane(); }
    ui::CNxOtherOptionsPaneDialog* otherOptionsPane() const { return m_parts.otherOptionsPane(); }
    // An option pane's contents by its show/hide command (314 to 319).
    ui::OptionPane* optionPane(int command) const { return m_parts.optionPane(command); }
    ui::CNxSeqScanOptionsPaneDialog* seqScanPane() const { return m_parts.seqScanPane(); }
    // The RTF log, which the Results window's append writes to.
    output::ResultLog& resultLog() const { return *m_parts.resultLog; }
    // The one append pipeline: the log, then the Results window.
    output::ResultPipeline& resultPipeline() const { return *m_parts.pipeline; }
    ui::CStatusViewPane& resultsPane() const { return *m_parts.resultsPane; }
    ui::RoundTripPlot& roundTripPlot() const { return *m_parts.roundTripPlot; }
    ui::WatchPane& watchPane() const { return *m_parts.watchPane; }
    ui::PathMonitorPane& pathMonitorPane() const { return *m_parts.pathMonitorPane; }
    settings::RegistryStore& store() const { return m_parts.store; }
    DesktopLogFrontEnd& logFrontEnd() const { return *m_parts.logFrontEnd; }
    // The Profile Manager: its book, its pane and the profile command.
    ProfileManager& profiles() const { return *m_parts.profiles; }
    QTableWidget* profileManagerList() const;
    // The ListScan addresses in the order the list shows them.
    QStringList listScanAddresses() const;

    // OperationFrontEnd
    QString hostBoxText() const override;
    void addHostToHistory(const QString& host, bool sorted) override;
    void returnFocusToHostBox() override;
    void showMessageBox(const QString& caption, const QString& text, ops::MessageIcon icon) override;
    // The user's preference, read from the store each time a balloon is due.
    bool balloonTipsEnabled() const override;
    bool showHostBalloonTip(const QString& title, const QString& text) override;
    void reportOctetField(int control, const QString& caption, const QString& balloonText,
                          const QString& boxText, bool showPane) override;
    void RefreshCommandUI() override;
    void showStatus() override;
    void beep() override;
    std::optional<int> continuousPingInterval() const override;
    // The title shows the local host's name and address; its further addresses go to the Results.
    void reportLocalHost(const net::HostEntry& entry) override;

    // A problem with what a box holds: a balloon on it while balloons are on, else a message box.
    void reportOnField(QWidget* field, const QString& caption, const QString& balloonText,
                       const QString& boxText);

    // The bars' context menu: the toolbars and panes to show, then "Customize..." and "Windows...".
    QMenu* createPopupMenu() override;

signals:
    // An operation command (400 to 404, 11000 to 11004) for the operations to run.
    void operationCommand(ops::CommandId command);
    // The command state is being brought up to date: the commands the operations own (ISPinger's) too.
    // Without a receiver ISPinger's commands stay off.
    void refreshingCommands();
    // The About Your Winsock report (Help menu); the command is enabled while something receives it.
    void aboutWinsockRequested();
    // The close sequence begins, once the program is marked as exiting and before the exiting lines:
    // what need not be waited for ends (a pending lookup).
    void closing();
    // After the exiting lines, before the wait for the workers: ISPinger stops.
    void stoppingForClose();
    // In the close sequence after the options are saved: the socket services, the echo handle.
    void shuttingDown();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Tab and Shift+Tab pass by the controls of a tabbed pane that lies behind another.
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void startupError(const QString& text);
    // The Results page and the tips in the colours of the look and, under the System look, the desktop.
    void followPalette();
    void applyToolTipLook();
    // The keyboard hooks and the command state following the flags, the options and the status text.
    void followChanges();

    FrameParts m_parts;
    std::unique_ptr<FrameCommandState> m_commandState;
    std::unique_ptr<FramePersistence> m_persistence;
    std::unique_ptr<FrameCommandDispatch> m_dispatch;
    std::unique_ptr<FramePanes> m_panesBuilder;
    std::unique_ptr<FrameCloseSequence> m_closeSequence;
};

} // namespace vantrel::app
