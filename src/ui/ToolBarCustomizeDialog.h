#pragma once

#include <QDialog>
#include <QList>
#include <map>

class QCheckBox;

namespace vantrel::ui {

class CNxMFCToolBar;

// "Customize": each toolbar's buttons as check boxes that show or hide them at once, and a Reset that
// shows them all again. The commands themselves stay in their menus and keep their keys.
class ToolBarCustomizeDialog : public QDialog {
    Q_OBJECT
public:
    ToolBarCustomizeDialog(const QList<CNxMFCToolBar*>& bars, QWidget* parent = nullptr);

    // The check box of a command's button; nullptr for a command without one.
    QCheckBox* checkBox(int id) const;
    // Shows every button.
    void reset();

private:
    struct Button {
        CNxMFCToolBar* bar;
        QCheckBox* box;
    };
    std::map<int, Button> m_buttons; // by command ID
};

} // namespace vantrel::ui
