#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>

class QDockWidget;
class QListWidget;

namespace vantrel::ui {

// "Windows": the docking panes, each checked while it is shown; the check shows or hides it, and
// Activate brings the chosen pane to the front with the focus in it.
class PaneWindowsDialog : public QDialog {
    Q_OBJECT
public:
    PaneWindowsDialog(const QList<QDockWidget*>& panes, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    // Act on the selected panes.
    void activateSelected();
    void showSelected(bool shown);

private:
    QDockWidget* paneOf(int row) const;
    // The check marks follow the panes as they are shown and hidden, from here or elsewhere.
    void refresh();

    QListWidget* m_list;
    QList<QPointer<QDockWidget>> m_panes; // by row
};

} // namespace vantrel::ui
