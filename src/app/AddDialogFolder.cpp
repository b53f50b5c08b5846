#include "app/AddDialogFolder.h"

#include "platform/DesktopShell.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kelvara {

QString AddDialogStartFolder(
    const platform::SettingsStore& settings, const QString& videos, const QString& home)
{
    const QString remembered = settings.Read(QString::fromLatin1(kLastAddFolderKey)).value_or(QString());
    for (const QString& folder : { remembered, videos }) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return home;
}

void RememberAddFolder(platform::SettingsStore& settings, const QStringList& chosen)
{
    if (!chosen.isEmpty())
        settings.Write(QString::fromLatin1(kLastAddFolderKey), QFileInfo(chosen.first()).absolutePath());
}

QString UserVideosFolder()
{
    // Qt reads the desktop's user-dirs.dirs itself, as xdg-user-dir does,
    // without starting a program.
    return QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
}

QStringList ChooseSourceFilesRemembered(platform::FileDialogs& dialogs, platform::SettingsStore& settings,
    QWidget* owner, const QStringList& filters)
{
    const QString start = AddDialogStartFolder(settings, UserVideosFolder(), QDir::homePath());
    QStringList chosen = dialogs.ChooseFiles(owner, filters, start);
    RememberAddFolder(settings, chosen);
    return chosen;
}

} // namespace kelvara
