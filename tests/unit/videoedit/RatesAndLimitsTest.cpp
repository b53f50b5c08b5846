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
