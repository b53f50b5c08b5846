// The one "remove this file of ours if it is still there", for the files a
// run made under a name (intermediate and step files).
#pragma once

#include <string>

namespace kelvara {

// Removes the regular file at `path`. Anything else there (a folder, a
// symbolic link, a device, a pipe) is nothing a run of ours made and stays;
// a link's target is never reached. Returns 0 when no file of ours is left
// at the path (removed, or nothing was there: an empty path included), else
// why it stays: EISDIR for a folder, EPERM for the other kinds, or the
// errno of the failed removal.
int RemoveIfPresent(const std::string& path);

} // namespace kelvara
