// Plays short sounds (the hover click, the completion chime). Behind an
// interface so tests can listen without a sound device.
#pragma once

#include <QString>

namespace kelvara::platform {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // path is a file path or a ":/" resource path. A missing file plays
    // nothing, and no default sound is played in its place.
    virtual void Play(const QString& path, bool async) = 0;
};

// The process-wide player that uses the sound device.
SoundPlayer& DefaultSoundPlayer();

} // namespace kelvara::platform
