#include "app/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QVariantMap>

namespace vantrel::app {

namespace {

// Whether a session bus can be reached without starting one: its address is given, or the user's runtime
// folder holds its socket. Without either, the library would try to start a bus of its own.
bool sessionBusKnown() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(QDir(runtime).filePath(QStringLiteral("bus"))).exists();
}

} // namespace

void DesktopNotifier::notify(const QString& title, const QString& text, bool urgent) {
    if (!sessionBusKnown())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The urgency hint is a byte: 1 normal, 2 critical.
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar(urgent ? 2 : 1))},
                            {QStringLiteral("desktop-entry"), QStringLiteral("com.quenlo.Vantrel")}};
    call << QGuiApplication::applicationDisplayName() << uint(0) << QStringLiteral("com.quenlo.Vantrel")
         << title << text << QStringList() << hints << int(-1);
    // The answer (the message's id, or an error from a bus without the service) is not waited for.
    bus.asyncCall(call);
}

} // namespace vantrel::app
