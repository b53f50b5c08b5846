// The one answer to "which file runs when a command names this program":
// the tool directory first, then PATH, as the shells search it.
#pragma once

#include <string>

namespace kelvara {

// PATH's folders when PATH is not set at all: what execvp and the shells
// search then. A PATH that is set but empty names no folder (the current
// folder is searched only where PATH says so, by an empty entry between
// colons, as POSIX has it): a desktop program's current folder is wherever
// it was started from, no place to pick up a program by accident.
inline constexpr const char* kDefaultSearchPath = "/usr/local/bin:/usr/bin:/bin";

struct ProgramLookup {
    std::string path; // the executable file found; empty when none was
    int error = 0; // why none was: ENOENT, or EACCES when the only files of that name cannot run

    bool Found() const { return error == 0; }
};

// The executable regular file that `name` runs. A name holding "/" is that
// file itself; any other is looked for in `firstFolder` (the tool
// directory; none when empty), then in the folders of PATH.
ProgramLookup FindProgram(const std::string& name, const std::string& firstFolder = {});

} // namespace kelvara
