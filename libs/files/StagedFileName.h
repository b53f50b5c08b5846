// The hidden name an output is written under where the file system offers no
// unnamed files: ".kelvara-" and eight letters or digits, then the final
// name's extension. Only names of exactly this form are ever taken for our
// own leftovers, so a user's file is never mistaken for one.
#pragma once

#include <string>
#include <string_view>

namespace kelvara {

// A fresh hidden name for an output with this extension (".mp4", or empty).
std::string NewStagedFileName(std::string_view extension);

// True for a name (without folder) of exactly the form NewStagedFileName makes.
bool IsStagedFileName(std::string_view name);

} // namespace kelvara
