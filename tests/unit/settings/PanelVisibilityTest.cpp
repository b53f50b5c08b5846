// The settings panel's visibility table, checked without a window.
#include "options/PanelVisibility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kelvara {
namespace {

OutputKind Pc(PcKind kind)
{
    return { OutputCategory::PcVideo, static_cast<int>(kind) };
}
OutputKind Mobile(MobileKind kind)
{
    return { OutputCategory::MobileVideo, static_cast<int>(kind) };
}
OutputKind Audio(AudioKind kind)
{
    return { OutputCategory::Audio, static_cast<int>(kind) };
}

std::set<int> Shown(const OutputKind& kind)
{
    const std::vector<int> shown = panel::ShownControls(kind);
    return { shown.begin(), shown.end() };
}

TEST(PanelVisibility, AviShowsItsCombosAndTheFrameSizeButNoMpegOrImageControls)
{
    const std::set<int> shown = Shown(Pc(PcKind::Avi));
    for (const int id : { ctl::AviFrameRate, ctl::AviCodec, ctl::AviSoundCodec, ctl::AviFrameRateLabel,
             ctl::VideoFormatGroup, ctl::AudioFormatGroup, ctl::Width, ctl::Height, ctl::Original,
             ctl::Custom, ctl::FrameSizeGroup, ctl::WidthUp, ctl::HeightDown, ctl::SizeSlash })
        EXPECT_TRUE(shown.contains(id)) << id;
    for (const int id : { ctl::MpegType, ctl::MpegFrameRate, ctl::ImageType, ctl::ImageDescription,
             ctl::Profile, ctl::AudioBitrate, ctl::AudioDescription })
        EXPECT_FALSE(shown.contains(id)) << id;
}

TEST(PanelVisibility, MpegShowsItsFourCombosWithTheGroups)
{
    const std::set<int> shown = Shown(Pc(PcKind::Mpeg));
    for (const int id : { ctl::MpegType, ctl::MpegAudioBitrate, ctl::MpegFrameRate, ctl::MpegAudioRate,
             ctl::MpegTypeLabel, ctl::MpegAudioRateLabel, ctl::VideoFormatGroup, ctl::AudioFormatGroup })
        EXPECT_TRUE(shown.contains(id)) << id;
    EXPECT_FALSE(shown.contains(ctl::AviCodec));
}

TEST(PanelVisibility, ImageShowsItsTypeAndDescriptionButNoFormatGroups)
{
    const std::set<int> shown = Shown(Pc(PcKind::Image));
    for (const int id : { ctl::ImageTypeLabel, ctl::ImageType, ctl::ImageDescription, ctl::Width })
        EXPECT_TRUE(shown.contains(id)) << id;
    EXPECT_FALSE(shown.contains(ctl::VideoFormatGroup));
    EXPECT_FALSE(shown.contains(ctl::AudioFormatGroup));
}

TEST(PanelVisibility, DevicesShareTheBaseControlsAndDifferInChannelsAspectAndSampleRate)
{
    for (const MobileKind device :
        { MobileKind::Psp, MobileKind::Xbox360, MobileKind::PocketPc, MobileKind::Pmp }) {
        const std::set<int> shown = Shown(Mobile(device));
        for (const int id : { ctl::Profile, ctl::ProfileLabel, ctl::DeviceVideoSize, ctl::DeviceVideoBitrate,
                 ctl::DeviceFrameRate, ctl::DeviceAudioBitrate, ctl::DeviceAudioBitrateLabel })
            EXPECT_TRUE(shown.contains(id)) << id;
        EXPECT_FALSE(shown.contains(ctl::Width)) << "the frame size belongs to PC video";
        EXPECT_EQ(shown.contains(ctl::DeviceChannels), device != MobileKind::Pmp);
        EXPECT_EQ(shown.contains(ctl::DeviceAspect), device != MobileKind::Psp);
        EXPECT_EQ(shown.contains(ctl::DeviceAudioSample), device == MobileKind::Pmp);
    }
}

TEST(PanelVisibility, EveryAudioKindShowsTheSameTwoCombosAndDescription)
{
    const std::set<int> mp3 = Shown(Audio(AudioKind::Mp3));
    EXPECT_EQ(mp3,
        (std::set<int> { ctl::AudioSampleLabel, ctl::AudioBitrateLabel, ctl::AudioSample, ctl::AudioBitrate,
            ctl::AudioDescription }));
    EXPECT_EQ(Shown(Audio(AudioKind::Ac3)), mp3);
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
    EXPECT_FALSE(panelIds.contains(ctl::PcTabs));
    EXPECT_FALSE(panelIds.contains(ctl::OutputFolder));
}

TEST(PanelVisibility, AKindOutsideItsCategoryShowsNothingOfTheDevicePanel)
{
    EXPECT_TRUE(panel::ShownControls({ OutputCategory::MobileVideo, -1 }).empty());
    EXPECT_TRUE(panel::ShownControls({ OutputCategory::MobileVideo, 4 }).empty());
}

TEST(FrameSizeEnabling, AviIsAlwaysEditable)
{
    EXPECT_TRUE(panel::FrameSizeEditable(Pc(PcKind::Avi), 0));
    EXPECT_TRUE(panel::FrameSizeEditable(Pc(PcKind::Avi), -1));
}

TEST(FrameSizeEnabling, DiscTypesFixTheSizeAndTheStandardTypesFreeIt)
{
    for (int type = 0; type < 6; ++type)
        EXPECT_FALSE(panel::FrameSizeEditable(Pc(PcKind::Mpeg), type)) << type;
    EXPECT_TRUE(panel::FrameSizeEditable(Pc(PcKind::Mpeg), 6));
    EXPECT_TRUE(panel::FrameSizeEditable(Pc(PcKind::Mpeg), 7));
    EXPECT_FALSE(panel::FrameSizeEditable(Pc(PcKind::Mpeg), -1));
}

TEST(FrameSizeEnabling, ImageFollowsTheHiddenMpegTypeList)
{
    EXPECT_FALSE(panel::FrameSizeEditable(Pc(PcKind::Image), 4));
    EXPECT_TRUE(panel::FrameSizeEditable(Pc(PcKind::Image), 6));
    EXPECT_FALSE(panel::FrameSizeEditable(Audio(AudioKind::Mp3), 0));
}

} // namespace
} // namespace kelvara
