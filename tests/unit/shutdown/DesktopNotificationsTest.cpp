// Notices to the desktop's notification service, against a stand-in service
// on a private bus.
#include "platform/DesktopNotifications.h"

#include "PrivateBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QVariantMap>

#include <gtest/gtest.h>

using kelvara::platform::DBusDesktopNotifications;
using kelvara::platform::NotifyResult;

namespace {

class FakeNotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList received; // app, icon, summary, body, desktop entry, timeout
public Q_SLOTS:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
        const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout)
    {
        Q_UNUSED(replaces);
        Q_UNUSED(actions);
        received = { app, icon, summary, body, hints.value(QStringLiteral("desktop-entry")).toString(),
            QString::number(timeout) };
        return 7;
    }
};

class DesktopNotificationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_bus.Address().isEmpty()) << "dbus-daemon did not start";
        m_serviceBus = QDBusConnection::connectToBus(m_bus.Address(), QStringLiteral("notice-service"));
        m_clientBus = QDBusConnection::connectToBus(m_bus.Address(), QStringLiteral("notice-client"));
        ASSERT_TRUE(m_serviceBus.isConnected());
        ASSERT_TRUE(m_clientBus.isConnected());
    }
    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("notice-service"));
        QDBusConnection::disconnectFromBus(QStringLiteral("notice-client"));
    }
    void Serve()
    {
        ASSERT_TRUE(m_serviceBus.registerService(QStringLiteral("org.freedesktop.Notifications")));
        ASSERT_TRUE(m_serviceBus.registerObject(
            QStringLiteral("/org/freedesktop/Notifications"), &m_service, QDBusConnection::ExportAllSlots));
    }
    bool WaitForNotice()
    {
        QElapsedTimer timer;
        timer.start();
        while (m_service.received.isEmpty() && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return !m_service.received.isEmpty();
    }

    kelvara::testing::PrivateBus m_bus;
    QDBusConnection m_serviceBus { QString() };
    QDBusConnection m_clientBus { QString() };
    FakeNotificationService m_service;
};

TEST_F(DesktopNotificationsTest, TheNoticeReachesTheServiceWithItsTitleAndPlainText)
{
    Serve();
    DBusDesktopNotifications notices(m_clientBus);
    const NotifyResult result
        = notices.Notify(QStringLiteral("Warning"), QStringLiteral("1 of 3 <files> & more"));
    EXPECT_TRUE(result) << result.reason;
    ASSERT_TRUE(WaitForNotice());
    // Markup-reading services must show the text as it is.
    EXPECT_EQ(m_service.received,
        QStringList({ "Kelvara", "io.kelvara.Kelvara", "Warning", "1 of 3 &lt;files&gt; &amp; more",
            "io.kelvara.Kelvara", "-1" }));
}

TEST_F(DesktopNotificationsTest, WithoutAServiceTheNoticeNeitherFailsNorWaits)
{
    DBusDesktopNotifications notices(m_clientBus);
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(notices.Notify(QStringLiteral("success"), QStringLiteral("All tasks have been completed!")));
    EXPECT_LT(timer.elapsed(), 1000);
    QCoreApplication::processEvents();
}

TEST(DesktopNotifications, NoBusIsAFailureWithItsReason)
{
    const QDBusConnection none = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("no-bus"));
    DBusDesktopNotifications notices(none);
    const NotifyResult result = notices.Notify(QStringLiteral("t"), QStringLiteral("x"));
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
    QDBusConnection::disconnectFromBus(QStringLiteral("no-bus"));
}

} // namespace

#include "DesktopNotificationsTest.moc"
