#include "LogindSleepInhibitor.h"

#include "platform/LogindCall.h"

namespace kelvara::platform {

namespace {

// logind answers at once; this only bounds a bus that does not answer.
constexpr int kReplyTimeoutMs = 5000;

} // namespace

LogindSleepInhibitor::LogindSleepInhibitor()
    : m_bus(QDBusConnection::systemBus())
{
}

LogindSleepInhibitor::LogindSleepInhibitor(const QDBusConnection& bus)
    : m_bus(bus)
{
}

void LogindSleepInhibitor::KeepAwake()
{
    if (m_lock.isValid() || !m_bus.isConnected())
        return;
    QDBusMessage call = LogindManagerCall(QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle") << QStringLiteral("Kelvara") << QStringLiteral("Converting files")
         << QStringLiteral("block");
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, kReplyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return;
    m_lock = reply.arguments().constFirst().value<QDBusUnixFileDescriptor>();
}

void LogindSleepInhibitor::Release()
{
    // Closing our copy of the descriptor is what ends the lock.
    m_lock = QDBusUnixFileDescriptor();
}

} // namespace kelvara::platform
