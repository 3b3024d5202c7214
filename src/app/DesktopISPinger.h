#pragma once

#include "ops/ISPinger.h"

#include <QObject>

namespace vantrel::app {

class CMainFrame;

// ISPinger in the window: its commands (button, menu, the tray's menu) with their enabling and captions,
// its status pane and flashing indicator, the notification icon's swaps, the server box locked while it
// runs, and its stop when the window closes.
class DesktopISPinger : public QObject {
    Q_OBJECT
public:
    DesktopISPinger(CMainFrame& frame, ops::ISPinger& ispinger);

private:
    void refreshCommands();
    void showIndicator(ops::IspIndicator indicator);

    CMainFrame& m_frame;
    ops::ISPinger& m_isp;
};

} // namespace vantrel::app
