#include "QSoundEffectPlayer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>

namespace kelvara::platform {

QSoundEffectPlayer::QSoundEffectPlayer() = default;
QSoundEffectPlayer::~QSoundEffectPlayer() = default;

void QSoundEffectPlayer::Play(const QString& path, bool)
{
    // QSoundEffect always plays without blocking; nothing here waits for a sound.
    if (path.isEmpty() || !QFileInfo::exists(path) || !QCoreApplication::instance())
        return;
    auto& effect = m_effects[path];
    if (!effect) {
        effect = new QSoundEffect(QCoreApplication::instance());
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

} // namespace kelvara::platform
