// Fuzz inputs that the code under test reads from a file: written to a
// private temporary folder, one file per role, rewritten on every run.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvara::fuzz {

// Writes `bytes` to the file named `role` in this process's temporary folder
// and returns its path. Aborts when the file cannot be written, since every
// later result would be meaningless.
std::string WriteFuzzFile(std::string_view role, std::string_view bytes);

// The path of a file named `role` in that folder, not created.
std::string FuzzFilePath(std::string_view role);

// Stops the run as a finding, with a message that says which promise broke.
[[noreturn]] void Broken(const char* promise);

} // namespace kelvara::fuzz
