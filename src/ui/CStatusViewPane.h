#pragma once

#include "output/CommandIds.h"
#include "output/KindPresenter.h"
#include "output/ResultView.h"
#include "output/StatusPanes.h"

#include <QAction>
#include <QWidget>
#include <functional>
#include <map>

class QToolBar;

namespace vantrel::settings {
class LiveOptions;
}

namespace vantrel::ui {

class ResultsTextView;

// The Results pane: its toolbar, the rich-text view and its edit commands, context menu and shortcuts.
// Fragments arrive through the append pipeline as a ResultView; after each one the text is measured and,
// above `PurgeStatus` megabytes, cut to the clipboard.
class CStatusViewPane : public QWidget, public output::ResultView {
    Q_OBJECT
public:
    // Command IDs of the pane's own commands.
    enum Command : int {
        ClearAll = cmd::kClearAllText,
        Copy = cmd::kCopy,
        Cut = cmd::kCut,
        Paste = cmd::kPaste,
        SelectAll = cmd::kSelectAll,
        Undo = cmd::kUndo,
        Print = cmd::kPrint,
    };
    // The frame's command of an ID, for the context menu and the shortcuts it forwards; may answer null.
    using FrameCommands = std::function<QAction*(int id)>;

    CStatusViewPane(settings::LiveOptions& options, FrameCommands frameCommands, QWidget* parent = nullptr);

    void showResult(const QString& fragment, output::ResultKind kind) override;

    // Measures the text, purges it when too large and tells the size pane.
    void UpdateTextSize();
    // Select all and delete, without the clipboard; also the double-click on the size pane.
    void clearAllText();

    ResultsTextView& view() { return *m_view; }
    QAction* command(Command id) const;
    // Brings the edit commands' enabling up to date.
    void updateCommandState();

Q_SIGNALS:
    // The size pane (904) should show this.
    void textSizeChanged(const output::StatusPaneState& state);
    // A link to open (http, https or mailto).
    void openLink(const QString& href);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QAction* addCommand(Command id, const QString& text, const QList<QKeySequence>& keys);

    settings::LiveOptions& m_options;
    FrameCommands m_frameCommands;
    QToolBar* m_toolBar = nullptr;
    ResultsTextView* m_view = nullptr;
    output::KindPresenter m_presenter;
    std::map<int, QAction*> m_commands;
};

} // namespace vantrel::ui
