#include "app/ProgramSettings.h"

#include "platform/SettingsStore.h"

namespace kelvara {

QString WithTrailingSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

ProgramFolders ReadProgramFolders(
    const platform::SettingsStore& settings, const QString& programDir, const QString& home)
{
    ProgramFolders folders;
    folders.programDir = WithTrailingSlash(programDir);
    folders.toolDir = settings.Read(QString::fromLatin1(kToolDirKey))
                          .value_or(folders.programDir + QStringLiteral("tools/"));
    folders.outputFolder
        = WithTrailingSlash(settings.Read(QString::fromLatin1(kOutputDirKey)).value_or(home));
    folders.version
        = settings.Read(QString::fromLatin1(kVersionKey)).value_or(QString::fromLatin1(kDefaultVersion));
    return folders;
}

void StoreOutputFolder(platform::SettingsStore& settings, const QString& folder)
{
    if (!folder.isEmpty())
        settings.Write(QString::fromLatin1(kOutputDirKey), folder);
}

} // namespace kelvara
