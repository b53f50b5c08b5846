// The folders and texts the program starts with: the program directory, the
// tool directory and the output folder from the user's settings, and the
// version text.
#pragma once

#include <QString>

namespace kelvara {

namespace platform {
class SettingsStore;
}

inline constexpr const char* kToolDirKey = "SysDir";
inline constexpr const char* kOutputDirKey = "Dir";
inline constexpr const char* kVersionKey = "Version";
inline constexpr const char* kDefaultVersion = "1.0";

struct ProgramFolders {
    QString programDir; // ends in "/"
    QString toolDir;
    QString outputFolder; // ends in "/"
    QString version;
};

// A folder with "/" appended when it lacks one.
QString WithTrailingSlash(const QString& folder);
// What the settings say, with the defaults: the program's "tools/" folder,
// the user's home folder and version "1.0".
ProgramFolders ReadProgramFolders(
    const platform::SettingsStore& settings, const QString& programDir, const QString& home);
// Stores the folder chosen in the folder browser as given; an empty path is
// not stored.
void StoreOutputFolder(platform::SettingsStore& settings, const QString& folder);

} // namespace kelvara
