// Keeping the computer from sleeping while a batch converts. Behind an
// interface: tests use a fake, the program asks logind.
#pragma once

namespace kelvara::platform {

class SleepInhibitor {
public:
    virtual ~SleepInhibitor() = default;
    // Holds the computer awake until Release; a refusal only means that the
    // computer may sleep, so it is not reported.
    virtual void KeepAwake() = 0;
    virtual void Release() = 0;
};

} // namespace kelvara::platform
