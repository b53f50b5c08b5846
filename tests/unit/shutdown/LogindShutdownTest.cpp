// The logind power-off call, against a stand-in for logind on a private bus
// of our own: no test ever talks to the real system bus.
#include "platform/LogindShutdown.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

using kelvara::platform::LogindShutdown;
using kelvara::platform::ShutdownResult;

namespace {

class FakeLogind : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    std::atomic<int> powerOffs { 0 };
    std::atomic<bool> lastInteractive { true };
    std::atomic<bool> refuse { false };

public Q_SLOTS:
    void PowerOff(bool interactive)
    {
        ++powerOffs;
        lastInteractive = interactive;
        if (refuse)
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("Operation not permitted"));
    }
};

// A session bus daemon of our own, ended with the test.
class PrivateBus {
public:
    PrivateBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
            { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
        if (m_daemon.waitForStarted() && m_daemon.waitForReadyRead(5000))
            m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
    const QString& Address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

class LogindShutdownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_bus.Address().isEmpty()) << "dbus-daemon did not start";
        m_serviceBus = QDBusConnection::connectToBus(m_bus.Address(), QStringLiteral("fake-logind"));
        m_clientBus = QDBusConnection::connectToBus(m_bus.Address(), QStringLiteral("client"));
        ASSERT_TRUE(m_serviceBus.isConnected());
        ASSERT_TRUE(m_clientBus.isConnected());
    }
    void TearDown() override
    {
        m_serviceBus.unregisterObject(QStringLiteral("/org/freedesktop/login1"));
        m_serviceBus.unregisterService(QStringLiteral("org.freedesktop.login1"));
        m_thread.quit();
        m_thread.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-logind"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }

    // The stand-in answers from a thread of its own: the call blocks this one.
    void ServeFakeLogind()
    {
        m_logind.moveToThread(&m_thread);
        m_thread.start();
        ASSERT_TRUE(m_serviceBus.registerService(QStringLiteral("org.freedesktop.login1")));
        ASSERT_TRUE(m_serviceBus.registerObject(
            QStringLiteral("/org/freedesktop/login1"), &m_logind, QDBusConnection::ExportAllSlots));
    }

    PrivateBus m_bus;
    QDBusConnection m_serviceBus { QString() };
    QDBusConnection m_clientBus { QString() };
    QThread m_thread;
    FakeLogind m_logind;
};

TEST_F(LogindShutdownTest, PowerOffAsksLogindWithoutInteraction)
{
    ServeFakeLogind();
    LogindShutdown shutdown(m_clientBus);
    const ShutdownResult result = shutdown.PowerOff();
    EXPECT_TRUE(result) << result.reason;
    EXPECT_EQ(m_logind.powerOffs, 1);
    EXPECT_FALSE(m_logind.lastInteractive);
}

TEST_F(LogindShutdownTest, RefusalByLogindIsAFailureWithItsReason)
{
    m_logind.refuse = true;
    ServeFakeLogind();
    LogindShutdown shutdown(m_clientBus);
    const ShutdownResult result = shutdown.PowerOff();
    EXPECT_FALSE(result);
    EXPECT_NE(result.reason.find("Operation not permitted"), std::string::npos) << result.reason;
    EXPECT_EQ(m_logind.powerOffs, 1);
}

TEST_F(LogindShutdownTest, BusWithoutLogindIsAFailure)
{
    LogindShutdown shutdown(m_clientBus);
    const ShutdownResult result = shutdown.PowerOff();
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
}

TEST(LogindShutdown, NoBusIsAFailure)
{
    const QDBusConnection none
        = QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("none"));
    LogindShutdown shutdown(none);
    const ShutdownResult result = shutdown.PowerOff();
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
    QDBusConnection::disconnectFromBus(QStringLiteral("none"));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "LogindShutdownTest.moc"
