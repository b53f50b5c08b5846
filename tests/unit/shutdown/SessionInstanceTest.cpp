// One window per session: a later start hands its files to the first one
// over a private session bus, names that are not UTF-8 included.
#include "platform/SessionInstance.h"

#include "PrivateBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QThread>
#include <future>

#include <gtest/gtest.h>

namespace {

using kelvara::platform::SessionInstance;
using Role = SessionInstance::Role;

const QString kTestName = QStringLiteral("io.kelvara.KelvaraTest");

// A later start, on a connection and a thread of its own, as a second
// process would be: the first one must go on serving while it waits.
std::future<Role> StartLater(const QString& address, const QString& connection, QList<QByteArray> paths)
{
    return std::async(std::launch::async, [address, connection, paths] {
        Role role = Role::Alone;
        {
            SessionInstance later(QDBusConnection::connectToBus(address, connection), kTestName);
            role = later.ClaimOrHandOver(paths);
        }
        QDBusConnection::disconnectFromBus(connection);
        return role;
    });
}

Role Wait(std::future<Role>& role)
{
    QElapsedTimer timer;
    timer.start();
    while (
        role.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready && timer.elapsed() < 20000)
        QCoreApplication::processEvents();
    return role.get();
}

TEST(SessionInstance, ALaterStartHandsItsFilesToTheFirstWithTheirBytes)
{
    const kelvara::testing::PrivateBus bus;
    ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
    SessionInstance first(QDBusConnection::connectToBus(bus.Address(), QStringLiteral("first")), kTestName);
    ASSERT_EQ(first.ClaimOrHandOver({}), Role::First);

    // Files handed over before the window listens are kept for it.
    const QList<QByteArray> early = { QByteArray("/home/ann/clip one.mp4") };
    const QList<QByteArray> late
        = { QByteArray("/home/ann/caf\xe9 \xff.avi"), QByteArray("/srv/$x 'y'.mkv") };
    std::future<Role> second = StartLater(bus.Address(), QStringLiteral("second"), early);
    EXPECT_EQ(Wait(second), Role::HandedOver);
    QList<QList<QByteArray>> received;
    first.SetReceiver([&received](const QList<QByteArray>& paths) { received << paths; });
    std::future<Role> third = StartLater(bus.Address(), QStringLiteral("third"), late);
    EXPECT_EQ(Wait(third), Role::HandedOver);
    EXPECT_EQ(received, QList<QList<QByteArray>>({ early, late }));
    QDBusConnection::disconnectFromBus(QStringLiteral("first"));
}

TEST(SessionInstance, WithoutABusAStartKeepsItsOwnWindowAndTheNameIsFreedAtTheEnd)
{
    EXPECT_EQ(SessionInstance(QDBusConnection::connectToBus(
                                  QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("none")),
                  kTestName)
                  .ClaimOrHandOver({ QByteArray("/a.mp4") }),
        Role::Alone);
    QDBusConnection::disconnectFromBus(QStringLiteral("none"));

    const kelvara::testing::PrivateBus bus;
    ASSERT_FALSE(bus.Address().isEmpty());
    SessionInstance ending(QDBusConnection::connectToBus(bus.Address(), QStringLiteral("ending")), kTestName);
    ASSERT_EQ(ending.ClaimOrHandOver({}), Role::First);
    // Still connected: only Release gives the name back.
    ending.Release();
    std::future<Role> next = StartLater(bus.Address(), QStringLiteral("next"), {});
    EXPECT_EQ(Wait(next), Role::First) << "the ending window kept the name";
    QDBusConnection::disconnectFromBus(QStringLiteral("ending"));
}

} // namespace
