#pragma once

#include "app/CommandTable.h"
#include "app/FrameBars.h"
#include "app/WorkspaceLayout.h"
#include "ops/CommandRules.h"
#include "ops/OperationFrontEnd.h"
#include "ops/OperationState.h"
#include "settings/LiveOptions.h"
#include "settings/StoreWrite.h"

#include <QDesktopServices>
#include <QMainWindow>
#include <QStringList>
#include <atomic>
#include <functional>
#include <map>
#include <memory>

class QDockWidget;
class QLineEdit;
class QTableWidget;
class QTimer;
class QToolBar;

namespace vantrel::settings {
class RegistryStore;
}

namespace vantrel::output {
class ResultLog;
class ResultPipeline;
struct StatusPaneState;
} // namespace vantrel::output

namespace vantrel::ui {
class CNxLogOptionsPaneDialog;
class CNxOtherOptionsPaneDialog;
class CNxPingOptionsPaneDialog;
class CNxSeqScanOptionsPaneDialog;
class OptionPane;
class CNxMFCToolBar;
class CStatusViewPane;
class RoundTripPlot;
class HostComboBox;
class FrameThrottle;
class StatusPane;
class SystemTray;
} // namespace vantrel::ui

namespace vantrel::app {

class DesktopLogFrontEnd;
class ProfileManager;
class SettingsCommands;
class KeyboardHooks;
class ListScanAddressEditor;
class SeqScanPaneController;
class ToolBarFlow;

// The main window. It owns every option, the operation flags and the status text, the toolbars, the
// status bar and the docking panes; it turns menus, buttons, accelerators and status-pane
// double-clicks into commands, keeps their enabling and captions up to date from one routine, and
// runs the close sequence.
class CMainFrame : public QMainWindow, public ops::OperationFrontEnd {
    Q_OBJECT
public:
    // `homeDir` is the program's home folder, ending in a slash.
    CMainFrame(settings::RegistryStore& store, QString homeDir, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds the window in order: style, menu bar, toolbars, status bar, docking panes, options, the
    // Profile Name box's last text, the saved layout. False when a part could not be made (reported).
    bool Create();
    // Whether Create found a saved layout; without one the window opens maximised.
    bool layoutRestored() const { return m_layoutRestored; }
    // The last host at start: selects it in the host box, adding it to the list when new.
    void putHostAtStart(const QString& host);

    // Applies a visual style (210 to 218) and writes it to the store.
    void ApplyVisualStyle(int id);
    int applicationLook() const { return m_applicationLook; }

    // The Ping command: starts a ping or cancels the running one. The Ping button, its menu item and
    // Enter reach it; Enter without the enabling rules.
    void OnPing();

    // Parts of the program that plug into the frame.
    using OperationHandler = std::function<void(ops::CommandId)>;
    // Runs the operation commands 400 to 404 and 11000 to 11004.
    void setOperationHandler(OperationHandler handler) { m_operationHandler = std::move(handler); }
    struct ResultsHooks {
        std::function<void(const QString& fragment)> appendRed; // a red line in the Results window
        std::function<double()> textSize;                       // its text size in bytes
        std::function<void()> clearAll;                         // Clear All Text
    };
    void setResultsHooks(ResultsHooks hooks) { m_results = std::move(hooks); }
    // The program's message box; tests record the boxes instead of showing them.
    using MessageBoxShower =
        std::function<void(const QString& caption, const QString& text, ops::MessageIcon)>;
    void setMessageBoxShower(MessageBoxShower shower) { m_messageBoxShower = std::move(shower); }
    // The OK/Cancel questions before an older export file, the settings or the layout are replaced; tests
    // answer them themselves.
    void setOkCancelAsker(std::function<bool(const QString& caption, const QString& text)> asker) {
        m_okCancelAsker = std::move(asker);
    }
    // At start: true when the stored program version is this program's; otherwise the saved layout is
    // replaced by the starting one (also kept for Reset GUI), and the version stored.
    bool CheckProductVersion();
    // The About Your Winsock report (Help menu); the command is enabled once it is set.
    void setAboutWinsock(std::function<void()> report) { m_aboutWinsock = std::move(report); }
    // Opens web and mail links: the desktop's browser and mail program, unless a test has its own.
    void setLinkOpener(std::function<bool(const QUrl&)> opener) { m_linkOpener = std::move(opener); }
    // Runs as the close sequence begins, once the program is marked as exiting and before the wait for
    // the workers: ends what need not be waited for (a pending lookup).
    void setClosingHook(std::function<void()> hook) { m_closingHook = std::move(hook); }
    // Runs in the close sequence after the options are saved: the socket services, the echo handle.
    void setShutdownHook(std::function<void()> hook) { m_shutdownHook = std::move(hook); }

    // What ISPinger plugs in: its commands' enabling and captions, brought up to date with the others,
    // and its stop in the close sequence, before the wait for the workers.
    struct ISPingerHooks {
        std::function<void()> refreshCommands;
        std::function<void()> stopForClose;
    };
    void setISPingerHooks(ISPingerHooks hooks) { m_ispinger = std::move(hooks); }
    // The ISPinger status text of its status pane.
    void setISPStatus(const QString& text);
    ui::SystemTray& systemTray() const { return *m_tray; }

    settings::LiveOptions& options() { return m_options; }
    ops::OperationState& operationState() { return m_operationState; }
    ops::OperationFlags& flags() { return m_operationState.flags; }
    ops::SharedStatus& status() { return m_operationState.status; }
    const CommandTable& commands() const { return *m_commands; }
    ui::HostComboBox* hostBox() const { return m_hostBox; }
    QLineEdit* profileNameBox() const { return m_profileNameBox; }
    ui::StatusPane* statusPane(int id) const;
    QToolBar* toolBar(const QString& title) const;
    // The docking panes by ID: Results 133, Profile Manager 134, the option panes by their show/hide
    // command (314 to 319).
    QDockWidget* pane(int id) const;
    // Every docking pane, in the order the bars' menu and the Windows dialog list them.
    QList<QDockWidget*> panesInOrder() const;
    ui::CNxLogOptionsPaneDialog* logOptionsPane() const { return m_logPane; }
    ui::CNxPingOptionsPaneDialog* pingOptionsPane() const;
    ui::CNxOtherOptionsPaneDialog* otherOptionsPane() const;
    // An option pane's contents by its show/hide command (314 to 319).
    ui::OptionPane* optionPane(int command) const;
    ui::CNxSeqScanOptionsPaneDialog* seqScanPane() const;
    // How a range is checked before a group is saved: as the SeqScan command checks it.
    void setRangeCheck(std::function<bool()> check) { m_rangeCheck = std::move(check); }
    // The RTF log, which the Results window's append writes to.
    output::ResultLog& resultLog() const { return *m_resultLog; }
    // The one append pipeline: the log, then the Results window.
    output::ResultPipeline& resultPipeline() const { return *m_pipeline; }
    ui::CStatusViewPane& resultsPane() const { return *m_resultsPane; }
    ui::RoundTripPlot& roundTripPlot() const { return *m_roundTripPlot; }
    DesktopLogFrontEnd& logFrontEnd() const { return *m_logFrontEnd; }
    // The Profile Manager: its book, its pane and the profile command.
    ProfileManager& profiles() const { return *m_profiles; }
    QTableWidget* profileManagerList() const;
    // The ListScan addresses in the order the list shows them.
    QStringList listScanAddresses() const;
    bool isClosing() const { return m_closing; }

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

    // The bars' context menu: the toolbars and panes to show, then "Customize..." and "Windows...".
    QMenu* createPopupMenu() override;

signals:
    // Any thread: the status text changed (carries nothing; the text is read on the GUI thread).
    void statusChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Tab and Shift+Tab pass by the controls of a tabbed pane that lies behind another.
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createCommands();
    bool CreatePanes();
    // The editors of the scan panes' saved lists.
    void createListEditors();
    void bindCommands();
    void LoadSettings();
    settings::StoreWrite SaveSettings();
    void restoreLayout();
    // Once the window has its size: the saved layout, or the starting one where none was saved or the
    // saved one would leave the Results less than their least room.
    void arrangePanes();
    // The window's least width: the Hosts toolbar whole and the status bar's panes side by side.
    void updateLeastWidth();
    void saveLayout(const QString& section);
    // What the saved layout keeps beside the window's state: the hidden toolbar buttons, the status bar.
    void applyBarsShown(const SavedLayout& layout);
    // Puts the docking and toolbar layout back to the copy kept when the version changed, once the user
    // agreed.
    void ResetGui();
    // The program's OK/Cancel box with its warning icon, or the test's answer: true for OK.
    bool askOkCancel(const QString& caption, const QString& text);
    void startupError(const QString& text);
    // A balloon tip under a box; false when it cannot show (the box is hidden).
    bool showBalloonTip(QWidget* box, const QString& title, const QString& text);
    // A problem with what a box holds: a balloon on it while balloons are on, else a message box.
    void reportOnField(QWidget* field, const QString& caption, const QString& balloonText,
                       const QString& boxText);
    // Joins the Results window to the log through the append pipeline and writes the banner.
    void InitResultsWindow();

    void writeExitingLines();
    // Keeps the GUI thread dispatching until no operation holds the close; false when the program was
    // told to quit meanwhile.
    bool waitForWorkers();

    void OnOperationCommand(ops::CommandId command);
    void OnShowAllOptions();
    void OnToggleOptionsPane(int commandId);
    void OnEditCommand(int commandId);
    void OnLogCheckClicked();
    void OnHelpTopics();
    QString manual() const; // the manual's file, as the installation or the build placed it
    // Opens a web or mail address with the desktop, or says it could not.
    void openLink(const QString& address);
    void OnLogFileNameChanged(const QString& name);
    void runLogCommand(void (output::ResultLog::*command)());

    ops::CommandContext commandContext() const;
    bool anyOptionsPaneVisible() const;
    void refreshOperationCommands();
    void showOperationStatus();
    void refreshLogCommands();
    void refreshPaneCommands();
    void refreshLogPanes();
    void refreshTextSizePane();
    void applyPaneState(int id, const output::StatusPaneState& state);
    void applyToolTipLook();

    settings::RegistryStore& m_store;
    QString m_homeDir;
    settings::LiveOptions m_options;
    ops::OperationState m_operationState;
    QString m_strISPStatus = QStringLiteral("ISPinger: Inactive");
    int m_applicationLook;

    std::unique_ptr<CommandTable> m_commands;
    FrameBars m_bars;
    ui::HostComboBox* m_hostBox = nullptr;
    QLineEdit* m_profileNameBox = nullptr;
    std::map<int, QDockWidget*> m_panes;
    ProfileManager* m_profiles = nullptr;
    ui::CNxLogOptionsPaneDialog* m_logPane = nullptr;
    std::map<int, ui::OptionPane*> m_optionPanes; // by show/hide command
    ListScanAddressEditor* m_listScanEditor = nullptr;
    SeqScanPaneController* m_seqScanPane = nullptr;
    std::function<bool()> m_rangeCheck;
    KeyboardHooks* m_keyboardHooks = nullptr;
    ToolBarFlow* m_toolBarFlow = nullptr;
    ui::SystemTray* m_tray = nullptr;
    ISPingerHooks m_ispinger;
    ui::FrameThrottle* m_textSizePane = nullptr; // the Results' size, shown at most once a frame
    ui::FrameThrottle* m_logState = nullptr;
    ui::FrameThrottle* m_statusFrame = nullptr; // the status text, shown at most once a frame
    std::atomic<bool> m_statusAsked{
        false}; // a change waits for m_statusFrame     // the log's commands and panes, read from its file

    OperationHandler m_operationHandler;
    ResultsHooks m_results;
    MessageBoxShower m_messageBoxShower;
    std::function<bool(const QString&, const QString&)> m_okCancelAsker;
    std::unique_ptr<SettingsCommands> m_settingsCommands;
    // The front end outlives the log that reports through it.
    std::unique_ptr<DesktopLogFrontEnd> m_logFrontEnd;
    std::unique_ptr<output::ResultLog> m_resultLog;
    ui::CStatusViewPane* m_resultsPane = nullptr;
    ui::RoundTripPlot* m_roundTripPlot = nullptr;
    std::unique_ptr<output::ResultPipeline> m_pipeline;
    std::function<void()> m_closingHook;
    std::function<void()> m_shutdownHook;
    std::function<void()> m_aboutWinsock;
    std::function<bool(const QUrl&)> m_linkOpener = &QDesktopServices::openUrl;

    bool m_layoutRestored = false;
    bool m_shownOnce = false;
    QByteArray m_savedState;    // applied again once the window has its final size
    QByteArray m_startingState; // the layout as built, before a saved one is applied
    bool m_closing = false;
    bool m_closed = false;
};

} // namespace vantrel::app
