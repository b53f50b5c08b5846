// Power-off through logind on the system bus: org.freedesktop.login1's
// Manager.PowerOff, not interactive and not forced, so logind's inhibitors
// (programs with unsaved work) and its policy can still refuse it.
#pragma once

#include "platform/ShutdownService.h"

#include <QDBusConnection>

namespace kelvara::platform {

class LogindShutdown : public ShutdownService {
public:
    // On the system bus.
    LogindShutdown();
    // On another bus, where a stand-in for logind answers.
    explicit LogindShutdown(const QDBusConnection& bus);

    ShutdownResult PowerOff() override;

private:
    QDBusConnection m_bus;
};

} // namespace kelvara::platform
