#include "LogindShutdown.h"

#include "platform/LogindCall.h"

namespace kelvara::platform {

namespace {

// logind answers at once; this only bounds a bus that does not answer.
constexpr int kReplyTimeoutMs = 10000;

} // namespace

LogindShutdown::LogindShutdown()
    : m_bus(QDBusConnection::systemBus())
{
}

LogindShutdown::LogindShutdown(const QDBusConnection& bus)
    : m_bus(bus)
{
}

ShutdownResult LogindShutdown::PowerOff()
{
    if (!m_bus.isConnected())
        return { false, "No connection to the system bus: " + m_bus.lastError().message().toStdString() };
    QDBusMessage call = LogindManagerCall(QStringLiteral("PowerOff"));
    // false: not interactive, so no password prompt holds the power-off;
    // a refusal by the policy is reported instead.
    call << false;
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, kReplyTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage)
        return { false, (reply.errorName() + QStringLiteral(": ") + reply.errorMessage()).toStdString() };
    return { true, {} };
}

} // namespace kelvara::platform
