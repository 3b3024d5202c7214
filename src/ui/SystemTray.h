#pragma once

#include <QIcon>
#include <QObject>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace vantrel::ui {

// The main window's place in the desktop's notification area: sent there, the window hides and an icon
// with the window's title as its tooltip stands in for it; a click brings the window back as it was
// (maximised or not), and its menu offers Restore, ISPinger's start or stop, and Exit. Where the desktop
// has no notification area the window is minimised instead, and the user is told once why, so the
// window can never become unreachable.
class SystemTray : public QObject {
    Q_OBJECT
public:
    // The longest tooltip the notification icon takes.
    static constexpr int kMaxTipLength = 127;

    // `window` is the main window; `tellNoTray` shows the message for a desktop without a tray.
    SystemTray(QWidget& window, std::function<void(const QString& caption, const QString& text)> tellNoTray,
               QObject* parent = nullptr);
    ~SystemTray() override;

    // Whether the desktop has a notification area; tests put their own answer in.
    void setAvailability(std::function<bool()> available) { m_available = std::move(available); }
    // The program's icon and ISPinger's.
    void setIcons(const QIcon& program, const QIcon& ispinger);

    void SendToTray();
    void RestoreFromTray();
    // Removes the icon and closes the main window.
    void ExitFromTray();
    // Changes the icon (ISPinger's when `ispinger`) and the tooltip while the icon is present; false
    // when it is not.
    bool UpdateTrayIcon(bool ispinger, const QString& tip);
    bool isPresent() const { return m_present; }

    QSystemTrayIcon& icon() const { return *m_icon; }
    QMenu& menu() const { return *m_menu; }
    QAction* ispingerAction() const { return m_ispinger; }

signals:
    // The menu's Start/Stop ISPinger item.
    void ispingerRequested();
    // The icon left the notification area (the window came back, or the program exits).
    void iconRemoved();

private:
    void removeIcon();

    QWidget& m_window;
    std::function<void(const QString&, const QString&)> m_tellNoTray;
    std::function<bool()> m_available;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_icon = nullptr;
    QAction* m_ispinger = nullptr;
    QIcon m_programIcon;
    QIcon m_ispingerIcon;
    bool m_present = false;
    bool m_restoreMaximised = false;
    bool m_toldNoTray = false;
};

} // namespace vantrel::ui
