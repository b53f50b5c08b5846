#include "Diagnostics.h"

#include <cstring>

namespace kelvara::platform {

std::string FormatDiagnostic(const std::string& api, int errorCode)
{
    return "ERROR:   API         =   " + api + ".\n"
        + "       error   code   =   " + std::to_string(errorCode) + ".\n"
        + "       message         =   " + std::strerror(errorCode) + ".\n";
}

} // namespace kelvara::platform
