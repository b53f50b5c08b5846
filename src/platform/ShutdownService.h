// Turning the computer off at the end of a batch. Behind an interface so
// that no test can ever power a machine off.
#pragma once

#include <string>

namespace kelvara::platform {

struct ShutdownResult {
    bool accepted = false;
    // Why the system refused, when it did.
    std::string reason;

    explicit operator bool() const { return accepted; }
};

class ShutdownService {
public:
    virtual ~ShutdownService() = default;
    // Asks the system to power off; other programs may still hold it up, so
    // their users' unsaved work is not thrown away.
    virtual ShutdownResult PowerOff() = 0;
};

} // namespace kelvara::platform
