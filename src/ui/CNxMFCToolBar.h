#pragma once

#include "ui/BandedToolBar.h"

#include <QList>
#include <map>

class QAction;
class QToolButton;
class QWidgetAction;

namespace vantrel::ui {

// A flat toolbar of buttons with icons and captions, docked at the top with a gripper; the main
// window's look decides where the captions go. The captions carry their padding blanks, which set the
// buttons' widths. Each command's button can be hidden on its own: the command itself (its menu item,
// its accelerator) stays as it is.
class CNxMFCToolBar : public BandedToolBar {
    Q_OBJECT
public:
    CNxMFCToolBar(const QString& title, const QString& objectName, QWidget* parent = nullptr);

    QToolButton* addCommand(QAction* action);
    // Whether the buttons show tooltips; the Toolkit toolbar shows none.
    void setToolTipsShown(bool shown) { m_toolTipsShown = shown; }
    bool toolTipsShown() const { return m_toolTipsShown; }

    // The commands that have a button here, left to right.
    QList<QAction*> commands() const;
    // Shows or hides a command's button; false when the command has no button here.
    bool setCommandShown(int id, bool shown);
    bool commandShown(int id) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_toolTipsShown = true;
    std::map<int, QWidgetAction*> m_slots; // the button's place in the toolbar, by command ID
    QList<QAction*> m_commands;
};

} // namespace vantrel::ui
