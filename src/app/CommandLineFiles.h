// The program's arguments: files to add, as the desktop's "Open with" passes
// them, or --help.
#pragma once

#include <QStringList>

namespace kelvara {

inline constexpr const char* kUsage = "Usage: kelvara [FILE...]  (adds the files to the conversion list)";

struct CommandLineFiles {
    bool showHelp = false;
    QStringList files; // readable files, in the given order
    QStringList rejected; // arguments that are not readable files
};

// `arguments` without the program name.
CommandLineFiles ParseCommandLine(const QStringList& arguments);

} // namespace kelvara
