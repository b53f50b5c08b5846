// The application object: shows the splash, fixes the program's folders and
// runs the main dialog until it is closed.
#pragma once

#include "app/PreviewCalls.h"
#include "platform/DesktopNotifications.h"
#include "platform/DesktopShell.h"
#include "platform/LogindShutdown.h"
#include "platform/LogindSleepInhibitor.h"
#include "platform/SettingsStore.h"

#include <QStringList>

namespace kelvara {

class CConverterApp {
public:
    // Runs the program; returns its exit status. `files` are added to the
    // list as the Add command would.
    int InitInstance(const QStringList& files);

private:
    QSettingsStore m_settings;
    QDesktopShell m_shell;
    QFileDialogs m_fileDialogs;
    NoPreviewPlayer m_preview;
    platform::LogindShutdown m_shutdown;
    platform::LogindSleepInhibitor m_sleep;
    platform::DBusDesktopNotifications m_notifications;
};

} // namespace kelvara
