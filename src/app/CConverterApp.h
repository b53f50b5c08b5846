// The application object: shows the splash, fixes the program's folders and
// runs the main dialog until it is closed.
#pragma once

#include "platform/DesktopNotifications.h"
#include "platform/DesktopShell.h"
#include "platform/LogindShutdown.h"
#include "platform/LogindSleepInhibitor.h"
#include "platform/SettingsStore.h"

#include <QStringList>
#include <functional>

namespace kelvara {
namespace platform {
class SessionInstance;
}

class CConverterApp {
public:
    // Runs the program; returns its exit status. `files` are added to the
    // list as the Add command would, and so are those later starts hand to
    // `session` when this process holds the session's name.
    // `afterFirstPicture` runs once the main window is first on the screen.
    int InitInstance(const QStringList& files, platform::SessionInstance* session = nullptr,
        const std::function<void()>& afterFirstPicture = {});

private:
    platform::QSettingsStore m_settings;
    platform::QDesktopShell m_shell;
    platform::QFileDialogs m_fileDialogs;
    platform::LogindShutdown m_shutdown;
    platform::LogindSleepInhibitor m_sleep;
    platform::DBusDesktopNotifications m_notifications;
};

} // namespace kelvara
