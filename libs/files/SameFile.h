// Whether two paths name one file, whatever their spelling: "/a/./m.mp3",
// "../a/m.mp3", a symbolic link and a hard link all name the same file as
// "/a/m.mp3". Writing an output over such a file destroys the source.
#pragma once

#include <string>

namespace kelvara {

// True when both paths exist and are the same file (same device and inode).
bool IsSameFile(const std::string& first, const std::string& second);

} // namespace kelvara
