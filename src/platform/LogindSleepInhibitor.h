// A logind inhibitor lock for sleep and idle: logind keeps it while we hold
// the descriptor it hands out, and drops it when that descriptor closes.
#pragma once

#include "platform/SleepInhibitor.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>

namespace kelvara::platform {

class LogindSleepInhibitor : public SleepInhibitor {
public:
    // On the system bus.
    LogindSleepInhibitor();
    // On another bus, where a stand-in for logind answers.
    explicit LogindSleepInhibitor(const QDBusConnection& bus);

    void KeepAwake() override;
    void Release() override;
    bool Holding() const { return m_lock.isValid(); }

private:
    QDBusConnection m_bus;
    QDBusUnixFileDescriptor m_lock;
};

} // namespace kelvara::platform
