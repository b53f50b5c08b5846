// One window per session: a later start hands its files to the first one
// over a private session bus, names that are not UTF-8 included.
#include "platform/SessionInstance.h"

#include "PrivateBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <future>

#include <gtest/gtest.h>

namespace {

using kelvara::platform::SessionInstance;
using Role = SessionInstance::Role;

const QString kTestName = QStringLiteral("io.kelvara.KelvaraTest");

// A later start, on a connection and a thread of its own as a second process
// would be, while this one goes on serving the bus.
Role StartLater(const QString& address, const QString& connection, const QList<QByteArray>& paths)
{
    std::future<Role> role = std::async(std::launch::async, [=] {
        const Role claimed = SessionInstance(QDBusConnection::connectToBus(address, connection), kTestName)
                                 .ClaimOrHandOver(paths);
        QDBusConnection::disconnectFromBus(connection);
        return claimed;
    });
    QElapsedTimer timer;
    timer.start();
    while (
        role.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready && timer.elapsed() < 20000)
        QCoreApplication::processEvents();
    return role.get();
}

TEST(SessionInstance, LaterStartsHandTheirFilesToTheFirstUntilItReleasesTheNameAndWithoutABusEachIsAlone)
{
    EXPECT_EQ(StartLater("unix:path=/nonexistent/bus", "none", { "/a.mp4" }), Role::Alone) << "without a bus";
    const kelvara::testing::PrivateBus bus;
    ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
    SessionInstance first(QDBusConnection::connectToBus(bus.Address(), "first"), kTestName);
    ASSERT_EQ(first.ClaimOrHandOver({}), Role::First);
    // Files handed over before the window listens are kept for it.
    const QList<QByteArray> early = { "/home/ann/clip one.mp4" };
    const QList<QByteArray> late = { "/home/ann/caf\xe9 \xff.avi", "/srv/$x 'y'.mkv" };
    EXPECT_EQ(StartLater(bus.Address(), "second", early), Role::HandedOver);
    QList<QList<QByteArray>> received;
    first.SetReceiver([&received](const QList<QByteArray>& paths) { received << paths; });
    EXPECT_EQ(StartLater(bus.Address(), "third", late), Role::HandedOver);
    EXPECT_EQ(received, QList<QList<QByteArray>>({ early, late }));
    // Still connected: only Release gives the name back.
    first.Release();
    EXPECT_EQ(StartLater(bus.Address(), "next", {}), Role::First) << "the ending window kept the name";
    QDBusConnection::disconnectFromBus("first");
}

} // namespace
