// A session bus daemon of our own for the bus tests, ended with the test: no
// test talks to the machine's real buses.
#pragma once

#include <QProcess>
#include <QString>

namespace kelvara::testing {

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

} // namespace kelvara::testing
