#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QLineEdit;
class QWidget;

namespace vantrel::ui {
class HostComboBox;
}

namespace vantrel::app {

// The keyboard rules tested on every key event of the application before a widget sees it:
// - Tab released in the Profile Name box moves the focus to the host box with its text selected
//   (the Tab press there is kept from moving the focus elsewhere first);
// - Enter released anywhere in the main window runs the Ping command, when its press was in the main
//   window too, outside a menu: the release of an Enter that closed a message box or chose a menu item
//   does not start a ping.
class KeyboardHooks : public QObject {
    Q_OBJECT
public:
    KeyboardHooks(QWidget* frame, QLineEdit* profileNameBox, ui::HostComboBox* hostBox,
                  std::function<void()> runPing, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool belongsToFrame(const QObject* object) const;

    QPointer<QWidget> m_frame;
    QPointer<QLineEdit> m_profileNameBox;
    QPointer<ui::HostComboBox> m_hostBox;
    std::function<void()> m_runPing;
    bool m_enterPressed = false;
};

} // namespace vantrel::app
