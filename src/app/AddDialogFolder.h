// Where the Add dialog opens: the folder files were last added from, else the
// user's Videos folder, else the home folder. Never the program's own folder,
// which is where a dialog without a start folder would open.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace kelvara {

namespace platform {
class FileDialogs;
class SettingsStore;
}

inline constexpr const char* kLastAddFolderKey = "LastAddFolder";

// The first of the remembered folder, `videos` and `home` that is a folder
// now (a remembered folder may have been removed or unmounted since).
QString AddDialogStartFolder(
    const platform::SettingsStore& settings, const QString& videos, const QString& home);

// Remembers the folder the chosen files came from; nothing when none was chosen.
void RememberAddFolder(platform::SettingsStore& settings, const QStringList& chosen);

// The user's Videos folder as the desktop names it (XDG user directories);
// empty when there is none.
QString UserVideosFolder();

// The Add dialog: opens in AddDialogStartFolder and remembers where the
// chosen files came from. The chosen paths; empty when the user cancels.
QStringList ChooseSourceFilesRemembered(platform::FileDialogs& dialogs, platform::SettingsStore& settings,
    QWidget* owner, const QStringList& filters);

} // namespace kelvara
