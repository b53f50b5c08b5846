// What tests ask of the files a run leaves: a file's bytes, and how many
// entries a folder holds (hidden temporary files included).
#pragma once

#include <cstddef>
#include <string>

namespace kelvara::testing {

// The whole file; empty when it cannot be read.
std::string FileContents(const std::string& path);

// Every entry of the folder, hidden ones included; 0 when it cannot be read.
std::size_t EntriesIn(const std::string& folder);

} // namespace kelvara::testing
