#pragma once

#include "settings/ProfileBook.h"
#include "ui/FrameCommandMenu.h"

#include <QIcon>
#include <QWidget>
#include <array>
#include <optional>

class QAction;
class QTableWidget;
class QToolBar;

namespace vantrel::ui {

// The Profile Manager pane: a toolbar with the profile command's own button (143) over a two-column list
// of the profiles, name and address. It shows the book it is given; a header click sorts the book on
// that column. Clicks, double clicks and an edited name are reported to the frame, which acts on them.
class CHostViewPane : public QWidget {
    Q_OBJECT
public:
    CHostViewPane(settings::ProfileBook& book, QAction* paneButton, FrameCommands frameCommands,
                  std::array<int, 2> columnWidths, QWidget* parent = nullptr);

    // Shows the book again: its entries, the sort mark and the header tooltips. The row given is
    // focused and selected; otherwise nothing is.
    void refresh(std::optional<int> focusRow = std::nullopt);
    std::optional<int> focusedRow() const;
    // The pane button's picture and tooltip for what the profile command would do.
    // The picture of the profile command in a state: add, update or delete.
    static QIcon commandIcon(settings::ProfileAction action);
    void showCommandState(settings::ProfileAction action);
    std::array<int, 2> columnWidths() const;
    // Starts the in-place edit of a row's name.
    void editName(int row);
    // Empties the list control (the book keeps the profiles).
    void clearList();
    QTableWidget* list() const { return m_list; }

Q_SIGNALS:
    void profileClicked(int row);
    void profileDoubleClicked(int row);
    // An edit of a row's name ended with this text (which may be unchanged).
    void renameRequested(int row, const QString& newName);
    // A header click sorted the list on this column (0 name, 1 address).
    void sortedByHeader(int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onHeaderClicked(int column);
    void showContextMenu(const QPoint& globalPos);

    settings::ProfileBook& m_book;
    QAction* m_paneButton;
    FrameCommands m_frameCommands;
    QToolBar* m_toolBar = nullptr;
    QTableWidget* m_list = nullptr;
    std::optional<settings::ProfileAction> m_shownAction;
    bool m_filling = false;
};

} // namespace vantrel::ui
