// A method call to logind's manager object, on whichever bus it is sent.
#pragma once

#include <QDBusMessage>
#include <QString>

namespace kelvara::platform {

inline QDBusMessage LogindManagerCall(const QString& method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"), method);
}

} // namespace kelvara::platform
