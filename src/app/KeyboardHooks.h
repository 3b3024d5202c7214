#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace vantrel::ui {
class HostComboBox;
}

namespace vantrel::app {

// The keyboard rules tested on every key event of the application before a widget sees it:
// - Tab released in the Profile Name box moves the focus to the host box with its text selected
//   (the Tab press there is kept from moving the focus elsewhere first); a Tab pressed elsewhere (the
//   Shift+Tab that came from the host box) is released there without moving on;
// - Enter released in the main window runs the Ping command, when its press was in the main window
//   too, outside a menu and a list's in-place editor: the release of an Enter that closed a message box or
//   chose a menu item does not start a ping;
// - the frame's accelerators keep their commands in every widget of the main window: a text box's own
//   binding of the same key (Ctrl+E to the end of the line...) does not take it, and the key of a
//   disabled command does nothing;
// - but a text box keeps Qt's standard editing keys among the edit commands' keys (Ctrl+C, Ctrl+V,
//   Ctrl+X, Ctrl+Z, Ctrl+A, Shift+Delete as Cut...): it acts on them as it does anywhere; an edit key it
//   does not take as its own runs the frame's edit command, which acts on the box.
// Dialogs and message boxes are windows of their own, even when the main window owns them; floating
// docking panes belong to the main window.
class KeyboardHooks : public QObject {
    Q_OBJECT
public:
    // `editKeys` are the edit commands' keys, a subset of `accelerators`.
    KeyboardHooks(QWidget* frame, QLineEdit* profileNameBox, ui::HostComboBox* hostBox,
                  QList<QKeySequence> accelerators, QList<QKeySequence> editKeys,
                  std::function<void()> runPing, QObject* parent = nullptr);

    // Whether a widget belongs to the main window: inside it or in one of its floating panes.
    bool belongsToFrame(const QObject* object) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool isOneOf(const QKeyEvent* key, const QList<QKeySequence>& keys);
    void moveToHostBox();

    QPointer<QWidget> m_frame;
    QPointer<QLineEdit> m_profileNameBox;
    QPointer<ui::HostComboBox> m_hostBox;
    QList<QKeySequence> m_accelerators;
    QList<QKeySequence> m_editKeys;
    std::function<void()> m_runPing;
    bool m_enterPressed = false;
    bool m_tabPressedInProfileBox = false;
    const QEvent* m_editorEnter = nullptr; // the press of an Enter that ends an in-place edit
};

} // namespace vantrel::app
