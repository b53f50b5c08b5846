#include "QSoundEffectPlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

QSoundEffectPlayer::QSoundEffectPlayer() = default;
QSoundEffectPlayer::~QSoundEffectPlayer() = default;

void QSoundEffectPlayer::Play(const QString& path, bool)
{
    // QSoundEffect always plays without blocking; nothing here waits for a sound.
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    auto& effect = m_effects[path];
    if (!effect) {
        effect = std::make_shared<QSoundEffect>();
        effect->setSource(path.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path)
                                                            : QUrl::fromLocalFile(path));
    }
    effect->play();
}

SoundPlayer& DefaultSoundPlayer()
{
    static QSoundEffectPlayer player;
    return player;
}
