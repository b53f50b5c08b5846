// A sound player that only remembers what it was asked to play.
#pragma once

#include "platform/SoundPlayer.h"

#include <QStringList>

namespace kelvara {

class FakeSoundPlayer : public platform::SoundPlayer {
public:
    void Play(const QString& path, bool) override { played.append(path); }
    QStringList played;
};

} // namespace kelvara
