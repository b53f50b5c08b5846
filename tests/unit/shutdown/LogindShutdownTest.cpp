// The logind power-off call, against a stand-in for logind on a private bus
// of our own: no test ever talks to the real system bus.
#include "platform/LogindShutdown.h"
#include "platform/LogindSleepInhibitor.h"

#include "PrivateBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusUnixFileDescriptor>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <poll.h>
#include <unistd.h>

using kelvara::platform::LogindShutdown;
using kelvara::platform::LogindSleepInhibitor;
using kelvara::platform::ShutdownResult;

namespace {

class FakeLogind : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    std::atomic<int> powerOffs { 0 };
    std::atomic<bool> lastInteractive { true };
    std::atomic<bool> refuse { false };
    std::mutex inhibitMutex;
    QStringList inhibitArguments;
    // The read end of the pipe whose write end the last Inhibit handed out.
    std::atomic<int> lockReader { -1 };

public Q_SLOTS:
    QDBusUnixFileDescriptor Inhibit(
        const QString& what, const QString& who, const QString& why, const QString& mode)
    {
        {
            std::lock_guard<std::mutex> lock(inhibitMutex);
            inhibitArguments = { what, who, why, mode };
        }
        int ends[2];
        if (::pipe(ends) != 0)
            return {};
        lockReader = ends[0];
        QDBusUnixFileDescriptor writer(ends[1]); // a copy of its own
        ::close(ends[1]);
        return writer;
    }

    void PowerOff(bool interactive)
    {
        ++powerOffs;
        lastInteractive = interactive;
        if (refuse)
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("Operation not permitted"));
    }
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

    kelvara::testing::PrivateBus m_bus;
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

// True once every write end of the lock's pipe is closed: logind would have
// dropped the lock.
bool LockClosed(int reader)
{
    pollfd entry { reader, POLLIN, 0 };
    return ::poll(&entry, 1, 200) > 0 && (entry.revents & POLLHUP) != 0;
}

TEST_F(LogindShutdownTest, SleepIsInhibitedUntilReleased)
{
    ServeFakeLogind();
    LogindSleepInhibitor inhibitor(m_clientBus);
    inhibitor.KeepAwake();
    ASSERT_TRUE(inhibitor.Holding());
    {
        std::lock_guard<std::mutex> lock(m_logind.inhibitMutex);
        EXPECT_EQ(
            m_logind.inhibitArguments, QStringList({ "sleep:idle", "Kelvara", "Converting files", "block" }));
    }
    const int reader = m_logind.lockReader;
    ASSERT_GE(reader, 0);
    EXPECT_FALSE(LockClosed(reader));
    inhibitor.Release();
    EXPECT_FALSE(inhibitor.Holding());
    EXPECT_TRUE(LockClosed(reader));
    ::close(reader);
}

TEST_F(LogindShutdownTest, InhibitorWithoutLogindHoldsNothing)
{
    LogindSleepInhibitor inhibitor(m_clientBus);
    inhibitor.KeepAwake();
    EXPECT_FALSE(inhibitor.Holding());
    inhibitor.Release();
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
