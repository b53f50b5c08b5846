// What `kelvara --convert --list` prints: every kind by its id with the name
// the window shows, the choices each kind takes, and the profiles of the
// kinds converted by a profile file.
#pragma once

#include <string>

namespace kelvara::cli {

// `toolDirectory` (ending in "/") holds the profile files.
std::string KindListing(const std::string& toolDirectory);

} // namespace kelvara::cli
