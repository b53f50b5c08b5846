// Where a command's program is found: the tool directory first, then PATH.
#pragma once

#include <optional>
#include <string>

namespace kelvara::platform {

// The path of the executable `name`. A name holding "/" is taken as it is.
std::optional<std::string> FindProgram(const std::string& name, const std::string& toolDirectory);

} // namespace kelvara::platform
