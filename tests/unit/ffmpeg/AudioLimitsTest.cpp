// What ffmpeg's audio encoders accept, and where a request goes when they
// would refuse it.
#include "ffmpeg/AudioLimits.h"

#include <gtest/gtest.h>

using namespace kelvara;

TEST(AudioLimits, SampleRatesMoveToOnesTheCodecHas)
{
    EXPECT_EQ(AudioSampleRateFor(AudioFamily::Ac3, 22050), 32000);
    EXPECT_EQ(AudioSampleRateFor(AudioFamily::Ac3, 44100), 44100);
    EXPECT_EQ(AudioSampleRateFor(AudioFamily::Mp2, 22050), 22050);
    EXPECT_EQ(AudioSampleRateFor(AudioFamily::Mp2, 11025), 16000);
    EXPECT_EQ(AudioSampleRateFor(AudioFamily::Mp3, 96000), 48000);
    EXPECT_EQ(AudioSampleRateFor(AudioFamily::Pcm, 96000), 96000);
    EXPECT_EQ(AudioSampleRateFor(AudioFamily::Adpcm, 0), 44100);
    EXPECT_EQ(AudioSampleRateFor(AudioFamily::Mp2, -1), 44100);
    // The WMA encoder takes 12 and 24 kHz too, and nothing above 48 kHz.
    EXPECT_EQ(AudioSampleRateFor(AudioFamily::Wma, 12000), 12000);
    EXPECT_EQ(AudioSampleRateFor(AudioFamily::Wma, 24000), 24000);
    EXPECT_EQ(AudioSampleRateFor(AudioFamily::Wma, 96000), 48000);
}

TEST(AudioLimits, BitratesMoveToOnesTheCodecHasAtThatSampleRate)
{
    // Layer II has no 224 kbit/s below 32 kHz; its low-rate table ends at 160.
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp2, 22050, 224), 160);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp2, 44100, 224), 224);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp2, 48000, 448), 384);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp2, 44100, 40), 32); // no 40 at 44.1 kHz
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp3, 44100, 448), 320);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Ac3, 48000, 448), 448);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Ac3, 48000, 100), 96);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Pcm, 44100, 128), 0);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Adpcm, 44100, 128), 0);
}

// The cases where two earlier tables disagreed, settled by what the
// encoders on this system do: ffmpeg's mp2 refuses 40 kbit/s at 44.1 kHz
// and takes 32 and 48; libmp3lame writes 128 kbit/s for 136 and for 144.
TEST(AudioLimits, HalfwayRequestsGoToTheLowerBitrateAsTheMp3EncoderDoes)
{
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp2, 44100, 40), 32);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp3, 44100, 136), 128);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp3, 44100, 144), 128);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp3, 22050, 72), 64);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp3, 22050, 152), 144);
}

TEST(AudioLimits, Mp3BelowSixteenKilohertzHasItsOwnShorterTable)
{
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp3, 11025, 200), 64);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp3, 11025, 20), 16);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp3, 16000, 160), 160);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Mp3, 8000, 8), 8);
}

TEST(AudioLimits, WmaTakesAnyBitrateFromItsLowest)
{
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Wma, 44100, 8), 24);
    EXPECT_EQ(AudioBitrateFor(AudioFamily::Wma, 44100, 136), 136);
}

TEST(AudioLimits, Ac3BelowSurroundBitratesIsDownmixedToAtMostStereo)
{
    EXPECT_EQ(AudioChannelLimitFor(AudioFamily::Ac3, 32), 2);
    EXPECT_EQ(AudioChannelLimitFor(AudioFamily::Ac3, 56), 2);
    EXPECT_FALSE(AudioChannelLimitFor(AudioFamily::Ac3, 64).has_value());
    EXPECT_FALSE(AudioChannelLimitFor(AudioFamily::Mp3, 32).has_value());
    EXPECT_FALSE(AudioChannelLimitFor(AudioFamily::Mp2, 32).has_value());

    // A mono source must stay mono: a list of layouts, not a channel count.
    EXPECT_EQ(AudioDownmixFilterFor(AudioFamily::Ac3, 32), "aformat=channel_layouts=mono|stereo");
    EXPECT_FALSE(AudioDownmixFilterFor(AudioFamily::Ac3, 448).has_value());
    EXPECT_FALSE(AudioDownmixFilterFor(AudioFamily::Pcm, 32).has_value());
}

// Every value of the panel's lists has to give a file: libopus refuses 44.1
// kHz and, for mono, more than 256 kbit/s; libvorbis refuses most average
// bitrates at one rate or channel count or another and takes a quality.
TEST(AudioLimits, TheLaterEncodersGetRatesBitratesAndLayoutsTheyTake)
{
    struct Case {
        AudioFamily family;
        int requestedHertz, hertz;
        int requestedKbits, kbits;
        std::optional<int> quality;
        std::optional<int> channels;
    };
    const Case cases[] = {
        { AudioFamily::Opus, 44100, 48000, 320, 256, std::nullopt, 8 },
        { AudioFamily::Opus, 22050, 24000, 32, 32, std::nullopt, 8 },
        { AudioFamily::Opus, 32000, 24000, 128, 128, std::nullopt, 8 }, // halfway goes lower
        { AudioFamily::Opus, 0, 48000, 4, 6, std::nullopt, 8 },
        { AudioFamily::Aac, 96000, 96000, 128, 128, std::nullopt, 8 },
        { AudioFamily::Aac, 192000, 96000, 320, 320, std::nullopt, 8 },
        { AudioFamily::Aac, 7000, 8000, 32, 32, std::nullopt, 8 },
        { AudioFamily::Vorbis, 44100, 44100, 32, 0, 0, 8 },
        { AudioFamily::Vorbis, 22050, 22050, 128, 0, 4, 8 },
        { AudioFamily::Vorbis, 48000, 48000, 320, 0, 9, 8 },
        { AudioFamily::Flac, 352800, 352800, 128, 0, std::nullopt, 8 },
        { AudioFamily::Flac, 900000, 655350, 128, 0, std::nullopt, 8 },
        { AudioFamily::Alac, 96000, 96000, 128, 0, std::nullopt, std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.family) * 1000000 + c.requestedHertz);
        EXPECT_EQ(AudioSampleRateFor(c.family, c.requestedHertz), c.hertz);
        EXPECT_EQ(AudioBitrateFor(c.family, c.hertz, c.requestedKbits), c.kbits);
        EXPECT_EQ(AudioQualityFor(c.family, c.requestedKbits), c.quality);
        EXPECT_EQ(AudioChannelLimitFor(c.family, std::nullopt), c.channels);
        EXPECT_EQ(AudioDownmixFilterFor(c.family, std::nullopt).has_value(), c.channels.has_value());
    }
    // Opus refuses 5.1 with side channels: its layouts are Vorbis's.
    EXPECT_EQ(
        AudioDownmixFilterFor(AudioFamily::Opus, 128).value_or("").find("5.1(side)"), std::string::npos);
    EXPECT_FALSE(AudioDownmixFilterFor(AudioFamily::Ac3, std::nullopt).has_value());
}
