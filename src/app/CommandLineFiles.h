// The program's arguments: files to add, as the desktop's "Open with" passes
// them, or --help or --version; "--" ends the options, for a file whose name
// starts with "-". A name is kept with its bytes (jobs/PathText), also when
// it is not UTF-8.
#pragma once

#include <QStringList>

namespace kelvara {

inline constexpr const char* kUsage
    = "Usage: kelvara [FILE...]  (adds the files to the conversion list)\n"
      "       kelvara --convert --kind KIND FILE...  converts without a window\n"
      "                          (kelvara --convert --help tells more)\n"
      "       kelvara --help     prints this usage\n"
      "       kelvara --version  prints the version";

// What --version prints: "kelvara" and the version the build was made with.
QString VersionLine();

struct CommandLineFiles {
    bool showHelp = false;
    bool showVersion = false;
    // The first argument that looks like an option Kelvara does not know;
    // the program then prints the usage and ends with status 2.
    QString unknownOption;
    QStringList files; // readable files, in the given order
    QStringList rejected; // the other paths: missing, unreadable or not files
    // The rejected arguments that name something other than a file (a
    // folder, a pipe, a socket, a device): the window says why it refuses
    // them, as it does for the Add command.
    QStringList notFiles;
};

// `arguments` without the program name, as PathFromBytes gives them; the
// paths come back absolute. Never blocks on a pipe.
CommandLineFiles ParseCommandLine(const QStringList& arguments);

// What main() is given, program name first, read with the bytes as they are.
CommandLineFiles ParseProgramArguments(int argc, const char* const* argv);

} // namespace kelvara
