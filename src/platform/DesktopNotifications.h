// Short notices on the desktop (the notification service on the session
// bus), for news the user may miss while working in another window. Behind
// an interface so tests see what would be shown.
#pragma once

#include <QDBusConnection>
#include <QString>

#include <string>

namespace kelvara::platform {

struct NotifyResult {
    bool sent = false;
    // Why nothing could be sent.
    std::string reason;

    explicit operator bool() const { return sent; }
};

class DesktopNotifications {
public:
    virtual ~DesktopNotifications() = default;
    // Shows `title` and `text` (plain text) for a while. Never waits for the
    // desktop: a missing notification service only means no notice.
    virtual NotifyResult Notify(const QString& title, const QString& text) = 0;
};

// org.freedesktop.Notifications on the session bus.
class DBusDesktopNotifications : public DesktopNotifications {
public:
    DBusDesktopNotifications();
    explicit DBusDesktopNotifications(const QDBusConnection& bus);
    NotifyResult Notify(const QString& title, const QString& text) override;

private:
    QDBusConnection m_bus;
};

} // namespace kelvara::platform
