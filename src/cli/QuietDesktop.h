// What the desktop gives a batch run without a window: no completion sound
// (a script or a server has no one to hear it), never a power-off (no check
// box asks for it), and no sleep lock (no session is needed to run; a
// server does not sleep, and a script that needs it awake says so itself).
#pragma once

#include "platform/ShutdownService.h"
#include "platform/SleepInhibitor.h"
#include "platform/SoundPlayer.h"

namespace kelvara::cli {

class SilentSound : public platform::SoundPlayer {
public:
    void Play(const QString& /*path*/, bool /*async*/) override { }
};

class NoPowerOff : public platform::ShutdownService {
public:
    platform::ShutdownResult PowerOff() override { return { false, "not without a window" }; }
};

class NoSleepLock : public platform::SleepInhibitor {
public:
    void KeepAwake() override { }
    void Release() override { }
};

} // namespace kelvara::cli
