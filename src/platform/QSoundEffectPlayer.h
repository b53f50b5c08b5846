// SoundPlayer on the sound device, through QSoundEffect.
#pragma once

#include "SoundPlayer.h"

#include <QHash>
#include <QPointer>
#include <QSoundEffect>

namespace kelvara::platform {

class QSoundEffectPlayer : public SoundPlayer {
public:
    QSoundEffectPlayer();
    ~QSoundEffectPlayer() override;
    void Play(const QString& path, bool async) override;

private:
    // One effect per sound, kept loaded: hover clicks come in quick succession.
    // The application owns them: they must go before the multimedia library's
    // own globals, which end before a process-wide player would.
    QHash<QString, QPointer<QSoundEffect>> m_effects;
};

} // namespace kelvara::platform
