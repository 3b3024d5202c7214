#pragma once

#include <QString>

namespace vantrel::app {

// Shows a message through the desktop's notification service (org.freedesktop.Notifications on the
// session bus). The call is sent without waiting for its answer, and where there is no session bus or
// no service the message is dropped: a notification never holds up or ends the program.
class DesktopNotifier {
public:
    // `urgent` asks the service to keep the message until it is seen.
    static void notify(const QString& title, const QString& text, bool urgent);
};

} // namespace vantrel::app
