// The MPEG presets, the arrow steps and the number reading of option texts.
#include "options/FrameSizeSteps.h"
#include "options/MpegPresets.h"
#include "options/OptionItems.h"
#include "options/OptionNumbers.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

TEST(MpegPresets, DiscTypesFixSizeAndLock)
{
    const auto dvdNtsc = MpegPresetFor(5);
    ASSERT_TRUE(dvdNtsc && dvdNtsc->size);
    EXPECT_EQ(option_items::kMpegFrameRates[dvdNtsc->frameRateItem], "29         HZ");
    EXPECT_EQ(option_items::kMpegAudioBitrates[dvdNtsc->audioBitrateItem], "224 Kbit/s");
    EXPECT_EQ(option_items::kMpegAudioRates[dvdNtsc->audioRateItem], "48000   ");
    EXPECT_EQ(dvdNtsc->size->width, 720);
    EXPECT_EQ(dvdNtsc->size->height, 480);
    EXPECT_TRUE(dvdNtsc->lock);

    const auto svcdPal = MpegPresetFor(2);
    ASSERT_TRUE(svcdPal && svcdPal->size);
    EXPECT_EQ(svcdPal->size->width, 480);
    EXPECT_EQ(svcdPal->size->height, 576);
    EXPECT_EQ(option_items::kMpegAudioRates[svcdPal->audioRateItem], "44100   ");
    EXPECT_EQ(MpegPresetFor(1)->size->height, 240);
}

TEST(MpegPresets, StandardTypesKeepSizeAndFreeThePanel)
{
    for (const int type : { 6, 7 }) {
        const auto preset = MpegPresetFor(type);
        ASSERT_TRUE(preset);
        EXPECT_FALSE(preset->size);
        EXPECT_FALSE(preset->lock);
        EXPECT_EQ(option_items::kMpegAudioBitrates[preset->audioBitrateItem], "128 Kbit/s");
        EXPECT_EQ(option_items::kMpegFrameRates[preset->frameRateItem], "25         HZ");
    }
    EXPECT_FALSE(MpegPresetFor(-1));
    EXPECT_FALSE(MpegPresetFor(8));
}

TEST(FrameSizeSteps, DownIsRefusedBelowTwenty)
{
    EXPECT_FALSE(FrameSizeStepDown(19));
    EXPECT_FALSE(FrameSizeStepDown(0));
    EXPECT_EQ(FrameSizeStepDown(25), 15);
    EXPECT_EQ(FrameSizeStepDown(20), 10);
    EXPECT_EQ(FrameSizeStepUp(0), 10);
    EXPECT_EQ(FrameSizeStepUp(715), 725);
    EXPECT_FALSE(FrameSizeStepUp(2147483640));
}

TEST(OptionNumbers, ReadAsTheCLibraryDoes)
{
    EXPECT_EQ(LeadingInt("224 Kbit/s"), 224);
    EXPECT_EQ(LeadingInt("48000   "), 48000);
    EXPECT_EQ(LeadingInt("  -12x"), -12);
    EXPECT_EQ(LeadingInt("abc"), 0);
    EXPECT_EQ(LeadingInt(""), 0);
    EXPECT_EQ(LeadingInt("99999999999"), 2147483647);
    EXPECT_EQ(LeadingInt("12345", 3), 123);
    EXPECT_DOUBLE_EQ(LeadingDouble("23.97 HZ"), 23.97);
    EXPECT_DOUBLE_EQ(LeadingDouble("29         HZ"), 29.0);
    EXPECT_DOUBLE_EQ(LeadingDouble("59.94    HZ"), 59.94);
    EXPECT_DOUBLE_EQ(LeadingDouble("HZ"), 0.0);
}

} // namespace
} // namespace kelvara
