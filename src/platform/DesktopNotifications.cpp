#include "DesktopNotifications.h"

#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace kelvara::platform {

namespace {

// The service's own default for how long a notice stays.
constexpr int kServerDefaultTimeout = -1;
// The name of the installed desktop entry and of the program's theme icon.
constexpr const char* kDesktopEntry = "io.kelvara.Kelvara";

} // namespace

DBusDesktopNotifications::DBusDesktopNotifications()
    : m_bus(QDBusConnection::sessionBus())
{
}

DBusDesktopNotifications::DBusDesktopNotifications(const QDBusConnection& bus)
    : m_bus(bus)
{
}

NotifyResult DBusDesktopNotifications::Notify(const QString& title, const QString& text)
{
    if (!m_bus.isConnected())
        return { false, "No connection to the session bus: " + m_bus.lastError().message().toStdString() };
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"), QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntry));
    // Services that read markup in the body would take "&" or "<" in the
    // text for markup.
    call << QStringLiteral("Kelvara") << 0u << QString::fromLatin1(kDesktopEntry) << title
         << text.toHtmlEscaped() << QStringList() << hints << kServerDefaultTimeout;
    // Sent without waiting for the reply: with no service on the bus the
    // reply is an error nobody needs to hear.
    if (!m_bus.send(call))
        return { false, "The notice could not be sent: " + m_bus.lastError().message().toStdString() };
    return { true, {} };
}

} // namespace kelvara::platform
