// SoundPlayer through libmpv, audio only: the program already carries mpv for
// its preview, and a second media stack (with its own plug-ins) only for two
// short sounds would be a heavy dependency.
//
// libmpv itself is opened at the first play, on a thread of its own.
//
// Each sound gets one mpv player of its own, made at its first play (never at
// start-up) and kept for the next ones, so a hover click cannot cut the
// completion chime short. The player is made, and its events are read, on a
// thread of its own: Play only records the wish and wakes that thread, so the
// window never waits for mpv or the sound server.
#pragma once

#include "SoundPlayer.h"

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace kelvara::platform {

// Names mpv's audio output ("null" in tests); mpv chooses when it is unset.
inline constexpr const char* kSoundOutputVariable = "KELVARA_SOUND_OUTPUT";

// How the last play of a sound ended.
struct SoundEnd {
    bool reachedEnd = false; // played to its end, not stopped or failed
    std::chrono::milliseconds playedFor { 0 }; // from its start to its end
};

class MpvSound;

class MpvSoundPlayer : public SoundPlayer {
public:
    MpvSoundPlayer();
    ~MpvSoundPlayer() override;
    MpvSoundPlayer(const MpvSoundPlayer&) = delete;
    MpvSoundPlayer& operator=(const MpvSoundPlayer&) = delete;

    // Never waits: `async` is honoured by always playing in the background.
    void Play(const QString& path, bool async) override;

    // How many sounds have a player (none before the first play).
    int PlayerCount() const
    {
        const std::lock_guard lock(m_mutex);
        return static_cast<int>(m_sounds.size());
    }
    // Waits until the play of `path` that was asked last has ended; nothing
    // when it was never asked or does not end within `timeout`.
    std::optional<SoundEnd> WaitForEnd(const QString& path, std::chrono::milliseconds timeout);

private:
    void StartWhenLoaded(MpvSound& sound);

    mutable std::mutex m_mutex;
    std::map<QString, std::unique_ptr<MpvSound>> m_sounds;
    // Opens libmpv at the first play (see MpvLibrary.h); m_loaded once done.
    std::thread m_loader;
    bool m_loaded = false;
};

} // namespace kelvara::platform
