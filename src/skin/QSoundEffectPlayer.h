// SoundPlayer on the sound device, through QSoundEffect.
#pragma once

#include "SoundPlayer.h"

#include <QHash>
#include <memory>

class QSoundEffect;

class QSoundEffectPlayer : public SoundPlayer {
public:
    QSoundEffectPlayer();
    ~QSoundEffectPlayer() override;
    void Play(const QString& path, bool async) override;

private:
    // One effect per sound, kept loaded: hover clicks come in quick succession.
    QHash<QString, std::shared_ptr<QSoundEffect>> m_effects;
};
