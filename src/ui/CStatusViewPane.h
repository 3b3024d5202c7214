#pragma once

#include "commands/CommandIds.h"
#include "rows/KindPresenter.h"
#include "rows/ResultView.h"
#include "rows/StatusPanes.h"
#include "ui/FrameCommandMenu.h"
#include "ui/ToolIcons.h"

#include <QAction>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>

class QPrinter;
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
    using FrameCommand = ui::FrameCommand;
    using FrameCommands = ui::FrameCommands;

    CStatusViewPane(settings::LiveOptions& options, FrameCommands frameCommands, QWidget* parent = nullptr);

    void showResult(const output::ShownRow& row) override;
    // A balanced RTF fragment from outside the program.
    void showResult(const QString& fragment, output::ResultKind kind) {
        showResult(output::ShownRow(fragment, kind));
    }

    // Measures the text, purges it when too large and tells the size pane.
    void UpdateTextSize();
    // Select all and delete, without the clipboard; also the double-click on the size pane.
    void clearAllText();

    ResultsTextView& view() { return *m_view; }
    QAction* command(Command id) const;
    // Brings the edit commands' enabling up to date.
    void updateCommandState();
    // Print: the print dialog, then the whole text or the selection on its pages.
    void print();
    // Prints what the printer's range asks for (the whole text, the selection, or no page for a range of
    // pages) as the window shows it; false, after the "Printing Error" box, when a row is taller than
    // a page. The window's selection is kept; printing everything puts the caret at the start.
    bool printTo(QPrinter& printer);
    // Where the toolbar's buttons show their captions, as the look in use says.
    void setButtonStyle(Qt::ToolButtonStyle style, QSize iconSize);
    // The least room the pane keeps: its toolbar's buttons all in view and twelve lines of text.
    QSize leastSize() const;

Q_SIGNALS:
    // The text's size changed: the size pane (904) shows output::textSizePane of view().textSizeBytes().
    void textSizeChanged();
    // A link to open (http, https or mailto).
    void openLink(const QString& href);
    // An error to show in the program's message box.
    void errorMessage(const QString& caption, const QString& text);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QAction* addCommand(Command id, const QString& text, std::optional<ToolIcon> icon = std::nullopt);

    settings::LiveOptions& m_options;
    FrameCommands m_frameCommands;
    QToolBar* m_toolBar = nullptr;
    ResultsTextView* m_view = nullptr;
    output::KindPresenter m_presenter;
    std::map<int, QAction*> m_commands;
};

} // namespace vantrel::ui
