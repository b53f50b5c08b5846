// The hover and completion sounds through the real mpv player, to its null
// audio output (KELVARA_SOUND_OUTPUT=null), which plays in real time.
#include "platform/MpvSoundPlayer.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

#include <clocale>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitSounds()
{
    Q_INIT_RESOURCE(skin);
}

using namespace kelvara::platform;
using namespace std::chrono_literals;

namespace {

const QString kHover = QStringLiteral(KELVARA_SOUNDS_DIR "/menu.wav");
const QString kCompletion = QStringLiteral(":/sounds/211.wav");

// The length of a PCM wave file: its data after the 44-byte header, at its
// byte rate.
double WaveMilliseconds(const QString& path)
{
    QFile file(path);
    const auto byteRate
        = file.open(QIODevice::ReadOnly) ? qFromLittleEndian<quint32>(file.read(44).constData() + 28) : 0;
    return byteRate == 0 ? -1 : (file.size() - 44) * 1000.0 / byteRate;
}

TEST(MpvSoundPlayer, EachSoundPlaysToItsEndWithoutHoldingUpTheCallerAndAgainOnItsPlayer)
{
    InitSounds();
    std::setlocale(LC_NUMERIC, "C"); // mpv refuses any other; the program sets it in main
    MpvSoundPlayer player;
    EXPECT_EQ(player.PlayerCount(), 0) << "nothing of mpv exists before the first play";
    for (const QString& sound : { kCompletion, kHover }) {
        const auto before = std::chrono::steady_clock::now();
        player.Play(sound, false);
        EXPECT_LT(std::chrono::steady_clock::now() - before, 50ms) << sound.toStdString();
    }
    // The hover click, asked after the chime, does not cut the chime short.
    for (const QString& sound : { kCompletion, kHover }) {
        const std::optional<SoundEnd> end = player.WaitForEnd(sound, 10s);
        ASSERT_TRUE(end && end->reachedEnd) << sound.toStdString();
        // The null output plays in real time; the end comes once the last
        // samples are in mpv's and the output's buffers (0.2 s each).
        const double length = WaveMilliseconds(sound);
        EXPECT_GT(length, 30.0) << sound.toStdString();
        EXPECT_GE(end->playedFor.count() + 500, length) << sound.toStdString();
    }
    player.Play(kHover, true);
    const std::optional<SoundEnd> again = player.WaitForEnd(kHover, 10s);
    EXPECT_TRUE(again && again->reachedEnd);
    player.Play(QStringLiteral(KELVARA_SOUNDS_DIR "/no such sound.wav"), true);
    player.Play(QString(), true);
    EXPECT_EQ(player.PlayerCount(), 2) << "one player a sound; a missing one makes none";
}

} // namespace
