#include "platform/SessionInstance.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <utility>

namespace kelvara::platform {
namespace {

const QString kObjectPath = QString::fromLatin1(kSessionObjectPath);

// A running window answers at once; one that is still being built answers
// once its event loop runs, which takes a second or two on a slow machine.
// Past this the owner is taken as hung and the start opens its own window.
constexpr std::chrono::milliseconds kHandOverTimeout { 10000 };

} // namespace

SessionInstance::SessionInstance(QDBusConnection bus, QString serviceName)
    : m_bus(std::move(bus))
    , m_serviceName(std::move(serviceName))
{
    qDBusRegisterMetaType<QList<QByteArray>>();
}

SessionInstance::~SessionInstance()
{
    Release();
}

void SessionInstance::Release()
{
    m_receiver = {};
    if (!std::exchange(m_owner, false))
        return;
    m_bus.unregisterObject(kObjectPath);
    m_bus.unregisterService(m_serviceName);
}

SessionInstance::Role SessionInstance::ClaimOrHandOver(const QList<QByteArray>& paths)
{
    if (!m_bus.isConnected() || !m_bus.interface())
        return Role::Alone;
    if (!m_bus.registerObject(kObjectPath, this, QDBusConnection::ExportScriptableSlots))
        return Role::Alone;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> claim
        = m_bus.interface()->registerService(m_serviceName, QDBusConnectionInterface::DontQueueService,
            QDBusConnectionInterface::DontAllowReplacement);
    if (claim.isValid() && claim.value() == QDBusConnectionInterface::ServiceRegistered) {
        m_owner = true;
        return Role::First;
    }
    m_bus.unregisterObject(kObjectPath);
    if (!claim.isValid())
        return Role::Alone;
    QDBusMessage call = QDBusMessage::createMethodCall(
        m_serviceName, kObjectPath, QString::fromLatin1(kSessionServiceName), QStringLiteral("AddFiles"));
    call << QVariant::fromValue(paths);
    const QDBusMessage answer = m_bus.call(call, QDBus::Block, static_cast<int>(kHandOverTimeout.count()));
    return answer.type() == QDBusMessage::ReplyMessage ? Role::HandedOver : Role::Alone;
}

void SessionInstance::SetReceiver(FileReceiver receiver)
{
    m_receiver = std::move(receiver);
    if (!m_receiver)
        return;
    for (const QList<QByteArray>& paths : std::exchange(m_waiting, {}))
        m_receiver(paths);
}

void SessionInstance::AddFiles(const QList<QByteArray>& paths)
{
    if (m_receiver)
        m_receiver(paths);
    else
        m_waiting << paths;
}

} // namespace kelvara::platform
