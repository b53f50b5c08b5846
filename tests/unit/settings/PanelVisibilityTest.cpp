// The settings panel's visibility table, checked without a window.
#include "options/PanelVisibility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kelvara {
namespace {

std::set<int> Shown(const OutputKind& kind)
{
    const std::vector<int> shown = panel::ShownControls(kind);
    return { shown.begin(), shown.end() };
}

TEST(PanelVisibility, AviShowsItsCombosAndTheFrameSizeButNoMpegOrImageControls)
{
    const std::set<int> shown = Shown(OutputKindOf(PcKind::Avi));
    for (const int id : { control_id::AviFrameRate, control_id::AviCodec, control_id::AviSoundCodec,
             control_id::AviFrameRateLabel, control_id::VideoFormatGroup, control_id::AudioFormatGroup,
             control_id::Width, control_id::Height, control_id::Original, control_id::Custom,
             control_id::FrameSizeGroup, control_id::WidthUp, control_id::HeightDown, control_id::SizeSlash })
        EXPECT_TRUE(shown.contains(id)) << id;
    for (const int id : { control_id::MpegType, control_id::MpegFrameRate, control_id::ImageType,
             control_id::ImageDescription, control_id::Profile, control_id::AudioBitrate,
             control_id::AudioDescription })
        EXPECT_FALSE(shown.contains(id)) << id;
}

TEST(PanelVisibility, MpegShowsItsFourCombosWithTheGroups)
{
    const std::set<int> shown = Shown(OutputKindOf(PcKind::Mpeg));
    for (const int id : { control_id::MpegType, control_id::MpegAudioBitrate, control_id::MpegFrameRate,
             control_id::MpegAudioRate, control_id::MpegTypeLabel, control_id::MpegAudioRateLabel,
             control_id::VideoFormatGroup, control_id::AudioFormatGroup })
        EXPECT_TRUE(shown.contains(id)) << id;
    EXPECT_FALSE(shown.contains(control_id::AviCodec));
}

TEST(PanelVisibility, ImageShowsItsTypeAndDescriptionButNoFormatGroups)
{
    const std::set<int> shown = Shown(OutputKindOf(PcKind::Image));
    for (const int id : { control_id::ImageTypeLabel, control_id::ImageType, control_id::ImageDescription,
             control_id::Width })
        EXPECT_TRUE(shown.contains(id)) << id;
    EXPECT_FALSE(shown.contains(control_id::VideoFormatGroup));
    EXPECT_FALSE(shown.contains(control_id::AudioFormatGroup));
}

TEST(PanelVisibility, DevicesShareTheBaseControlsAndDifferInChannelsAspectAndSampleRate)
{
    for (const MobileKind device :
        { MobileKind::Psp, MobileKind::Xbox360, MobileKind::PocketPc, MobileKind::Pmp }) {
        const std::set<int> shown = Shown(OutputKindOf(device));
        for (const int id : { control_id::Profile, control_id::ProfileLabel, control_id::DeviceVideoSize,
                 control_id::DeviceVideoBitrate, control_id::DeviceFrameRate, control_id::DeviceAudioBitrate,
                 control_id::DeviceAudioBitrateLabel })
            EXPECT_TRUE(shown.contains(id)) << id;
        EXPECT_FALSE(shown.contains(control_id::Width)) << "the frame size belongs to PC video";
        EXPECT_EQ(shown.contains(control_id::DeviceChannels), device != MobileKind::Pmp);
        EXPECT_EQ(shown.contains(control_id::DeviceAspect), device != MobileKind::Psp);
        EXPECT_EQ(shown.contains(control_id::DeviceAudioSample), device == MobileKind::Pmp);
    }
}

TEST(PanelVisibility, EveryAudioKindShowsTheSameTwoCombosAndDescription)
{
    const std::set<int> mp3 = Shown(OutputKindOf(AudioKind::Mp3));
    EXPECT_EQ(mp3,
        (std::set<int> { control_id::AudioSampleLabel, control_id::AudioBitrateLabel, control_id::AudioSample,
            control_id::AudioBitrate, control_id::AudioDescription }));
    EXPECT_EQ(Shown(OutputKindOf(AudioKind::Ac3)), mp3);
    EXPECT_EQ(Shown(OutputKindOf(AudioKind::Opus)), mp3);
    // A bitrate means nothing to the lossless kinds.
    std::set<int> lossless = mp3;
    lossless.erase(control_id::AudioBitrateLabel);
    lossless.erase(control_id::AudioBitrate);
    EXPECT_EQ(Shown(OutputKindOf(AudioKind::Flac)), lossless);
    EXPECT_EQ(Shown(OutputKindOf(AudioKind::Alac)), lossless);
}

TEST(PanelVisibility, EveryShownControlIsInThePanelListSoItIsHiddenForOtherKinds)
{
    const auto all = panel::PanelControls();
    const std::set<int> panelIds(all.begin(), all.end());
    EXPECT_EQ(panelIds.size(), all.size()) << "a control listed twice";
    for (int category = 0; category < 3; ++category)
        for (int kind = 0; kind < 5; ++kind)
            for (const int id : panel::ShownControls({ static_cast<OutputCategory>(category), kind }))
                EXPECT_TRUE(panelIds.contains(id)) << id;
    EXPECT_FALSE(panelIds.contains(control_id::PcTabs));
    EXPECT_FALSE(panelIds.contains(control_id::OutputFolder));
}

TEST(PanelVisibility, AKindOutsideItsCategoryShowsNothingOfTheDevicePanel)
{
    EXPECT_TRUE(panel::ShownControls({ OutputCategory::MobileVideo, -1 }).empty());
    EXPECT_TRUE(panel::ShownControls({ OutputCategory::MobileVideo, 7 }).empty());
}

TEST(FrameSizeEnabling, AviIsAlwaysEditable)
{
    EXPECT_TRUE(panel::FrameSizeEditable(OutputKindOf(PcKind::Avi), 0));
    EXPECT_TRUE(panel::FrameSizeEditable(OutputKindOf(PcKind::Avi), -1));
}

TEST(FrameSizeEnabling, DiscTypesFixTheSizeAndTheStandardTypesFreeIt)
{
    for (int type = 0; type < 6; ++type)
        EXPECT_FALSE(panel::FrameSizeEditable(OutputKindOf(PcKind::Mpeg), type)) << type;
    EXPECT_TRUE(panel::FrameSizeEditable(OutputKindOf(PcKind::Mpeg), 6));
    EXPECT_TRUE(panel::FrameSizeEditable(OutputKindOf(PcKind::Mpeg), 7));
    EXPECT_FALSE(panel::FrameSizeEditable(OutputKindOf(PcKind::Mpeg), -1));
}

TEST(FrameSizeEnabling, ImageFollowsTheHiddenMpegTypeList)
{
    EXPECT_FALSE(panel::FrameSizeEditable(OutputKindOf(PcKind::Image), 4));
    EXPECT_TRUE(panel::FrameSizeEditable(OutputKindOf(PcKind::Image), 6));
    EXPECT_FALSE(panel::FrameSizeEditable(OutputKindOf(AudioKind::Mp3), 0));
}

} // namespace
} // namespace kelvara
