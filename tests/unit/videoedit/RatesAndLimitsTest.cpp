#include "videoedit/AudioLimits.h"
#include "videoedit/DiscStandards.h"
#include "videoedit/FrameRate.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelvara;

TEST(FrameRate, AviRatesNearAnNtscRateBecomeItExactly)
{
    // The AVI panel writes 23.97 and 29.97; the MPEG intermediate 23.976.
    EXPECT_EQ(FrameRateText(AviFrameRate(23.97)), "24000/1001");
    EXPECT_EQ(FrameRateText(AviFrameRate(23.976)), "24000/1001");
    EXPECT_EQ(FrameRateText(AviFrameRate(29.97)), "30000/1001");
    EXPECT_EQ(FrameRateText(AviFrameRate(59.94)), "60000/1001");
}

TEST(FrameRate, OtherAviRatesAreKeptAsTheyAre)
{
    EXPECT_EQ(FrameRateText(AviFrameRate(25.0)), "25");
    EXPECT_EQ(FrameRateText(AviFrameRate(10.0)), "10");
    // 29 is a rate an AVI file can have; it is not 29.97.
    EXPECT_EQ(FrameRateText(AviFrameRate(29.0)), "29");
    EXPECT_EQ(FrameRateText(AviFrameRate(12.5)), "25/2");
    EXPECT_EQ(AviFrameRate(0.0), (FrameRate { 25, 1 }));
    EXPECT_EQ(AviFrameRate(-3.0), (FrameRate { 25, 1 }));
    EXPECT_EQ(AviFrameRate(NAN), (FrameRate { 25, 1 }));
}

TEST(FrameRate, MpegRatesAreTheNearestTheStandardHas)
{
    EXPECT_EQ(FrameRateText(MpegFrameRate(23.976)), "24000/1001");
    EXPECT_EQ(FrameRateText(MpegFrameRate(24.0)), "24");
    EXPECT_EQ(FrameRateText(MpegFrameRate(25.0)), "25");
    // The panel's "29" is the NTSC rate, not 30.
    EXPECT_EQ(FrameRateText(MpegFrameRate(29.0)), "30000/1001");
    EXPECT_EQ(FrameRateText(MpegFrameRate(30.0)), "30");
    EXPECT_EQ(FrameRateText(MpegFrameRate(50.0)), "50");
    EXPECT_EQ(FrameRateText(MpegFrameRate(59.94)), "60000/1001");
    EXPECT_EQ(FrameRateText(MpegFrameRate(10.0)), "24000/1001");
    EXPECT_EQ(FrameRateText(MpegFrameRate(0.0)), "25");
}

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

TEST(DiscStandards, AudioBitratesStayWithinEachStandard)
{
    const DiscStandard vcd = *DiscStandardFor(VideoEditFormat::VcdNtsc);
    EXPECT_EQ(DiscAudioKbits(vcd, 128), 224);
    const DiscStandard svcd = *DiscStandardFor(VideoEditFormat::SvcdPal);
    EXPECT_EQ(DiscAudioKbits(svcd, 128), 128);
    EXPECT_EQ(DiscAudioKbits(svcd, 448), 384);
    const DiscStandard dvd = *DiscStandardFor(VideoEditFormat::DvdPal);
    EXPECT_EQ(DiscAudioKbits(dvd, 224), 224);
    EXPECT_EQ(DiscAudioKbits(dvd, 32), 64);
    EXPECT_EQ(DiscAudioKbits(dvd, 640), 448);
    EXPECT_FALSE(DiscStandardFor(VideoEditFormat::Mpeg1Standard).has_value());
    EXPECT_FALSE(DiscStandardFor(VideoEditFormat::Avi).has_value());
}
