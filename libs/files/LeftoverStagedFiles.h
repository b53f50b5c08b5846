// Clearing what a killed or crashed run left under a hidden name (where the
// file system offered no unnamed files): a batch into a folder starts with
// it, before it writes anything there.
#pragma once

#include <string>

namespace kelvara {

// Removes the regular files of the folder whose names are exactly of our
// hidden pattern (see StagedFileName.h) and that no running program holds:
// a file another Kelvara still writes is locked and stays. Never blocks:
// a FIFO named like ours is not opened for long nor removed. Returns how
// many files it removed.
int RemoveLeftoverStagedFiles(const std::string& folder);

} // namespace kelvara
