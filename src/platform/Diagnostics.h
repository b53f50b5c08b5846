// The text composed when a process or pipe call fails. It is not shown to the
// user; it is kept with the run and logged in kelvara.process (LogCategories.h).
#pragma once

#include <string>

namespace kelvara::platform {

std::string FormatDiagnostic(const std::string& api, int errorCode);

} // namespace kelvara::platform
