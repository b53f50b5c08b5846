// The device panel's reading of the shipped profile files and of broken ones.
#include "options/DeviceProfilePanel.h"
#include "options/PanelVisibility.h"
#include "options/ProfileIni.h"
#include "options/ProfileKind.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelvara {
namespace {

std::string Shipped(DeviceKind kind)
{
    const std::string_view name = kDeviceProfileFiles[static_cast<std::size_t>(kind)];
    return std::string(KELVARA_SOURCE_DIR) + "/data/" + std::string(name.substr(2));
}

ProfileIni Open(const std::string& path)
{
    ProfileIni ini;
    ini.Open(path);
    return ini;
}

int ItemOf(const std::vector<DeviceListSelection>& selections, DeviceList list)
{
    for (const DeviceListSelection& selection : selections)
        if (selection.list == list)
            return selection.item;
    return -1;
}

TEST(DeviceProfilePanel, ShippedFilesListEveryProfileAndAStartProfileThatExists)
{
    for (int device = 0; device < kDeviceKindCount; ++device) {
        const auto kind = static_cast<DeviceKind>(device);
        const DeviceProfileList list = ReadDeviceProfileList(Open(Shipped(kind)));
        ASSERT_TRUE(list.listed) << Shipped(kind);
        const int start = kDeviceStartProfiles[static_cast<std::size_t>(kind)];
        EXPECT_EQ(list.defaultProfile, start);
        ASSERT_GT(static_cast<int>(list.titles.size()), start);
        for (const std::string& title : list.titles)
            EXPECT_FALSE(title.empty());
    }
    const DeviceProfileList psp = ReadDeviceProfileList(Open(Shipped(DeviceKind::Psp)));
    EXPECT_EQ(psp.titles[0], "Customized (MPEG-4, the values below)");
    EXPECT_EQ(psp.titles[1], "MPEG-4 320x240, 192 kbps, 14.985 fps, AAC 32 kbps mono");
}

TEST(DeviceProfilePanel, ProfileSelectionsFollowTheKeyTable)
{
    const auto custom = ReadDeviceProfile(Open(Shipped(DeviceKind::Psp)), DeviceKind::Psp, 0);
    ASSERT_EQ(custom.size(), 5u);
    EXPECT_EQ(ItemOf(custom, DeviceList::VideoSize), 1);
    EXPECT_EQ(ItemOf(custom, DeviceList::VideoBitrate), 5);
    EXPECT_EQ(ItemOf(custom, DeviceList::FrameRate), 3);
    EXPECT_EQ(ItemOf(custom, DeviceList::AudioBitrate), 8);
    EXPECT_EQ(ItemOf(custom, DeviceList::Channel), 1);
    EXPECT_EQ(ItemOf(custom, DeviceList::Aspect), -1);

    const auto pmp = ReadDeviceProfile(Open(Shipped(DeviceKind::Pmp)), DeviceKind::Pmp, 1);
    EXPECT_EQ(ItemOf(pmp, DeviceList::Channel), -1);
    EXPECT_EQ(ItemOf(pmp, DeviceList::Aspect), 0);
    EXPECT_GE(ItemOf(pmp, DeviceList::AudioSample), 0);
    const auto xbox = ReadDeviceProfile(Open(Shipped(DeviceKind::Xbox360)), DeviceKind::Xbox360, 2);
    EXPECT_EQ(xbox.size(), 6u);
    EXPECT_EQ(xbox[3].list, DeviceList::Aspect);
}

TEST(DeviceProfilePanel, ValueListsAreFormattedPerDevice)
{
    EXPECT_EQ(DeviceComboItems(DeviceKind::Xbox360, DeviceList::AudioBitrate),
        (std::vector<std::string> { "128  Kbps", "192  Kbps" }));
    EXPECT_EQ(DeviceComboItems(DeviceKind::Pmp, DeviceList::AudioBitrate).size(), 9u);
    EXPECT_EQ(DeviceComboItems(DeviceKind::Pmp, DeviceList::AudioSample),
        (std::vector<std::string> { "22050  HZ", "32000  HZ", "44100  HZ", "48000  HZ" }));
    EXPECT_EQ(DeviceComboItems(DeviceKind::Psp, DeviceList::FrameRate).front(), "14.985  fps");
    EXPECT_EQ(DeviceComboItems(DeviceKind::Psp, DeviceList::VideoBitrate).back(), "1500 Kbps");
    EXPECT_EQ(DeviceComboItems(DeviceKind::PocketPc, DeviceList::VideoSize).front(), "160x120");
    EXPECT_TRUE(DeviceComboItems(DeviceKind::Psp, DeviceList::AudioSample).empty());
    EXPECT_TRUE(DeviceComboItems(DeviceKind::Xbox360, DeviceList::Aspect).empty());
    EXPECT_FALSE(DeviceUsesList(DeviceKind::Pmp, DeviceList::Channel));
    EXPECT_FALSE(DeviceUsesList(DeviceKind::Psp, DeviceList::Aspect));
    EXPECT_TRUE(DeviceUsesList(DeviceKind::Pmp, DeviceList::AudioSample));
}

// The video kinds of today: which tab leads to which file, and lists that
// start with the source's own size and rate and name their quality steps.
TEST(DeviceProfilePanel, TodaysVideoKindsListWhatTheirCommandsTake)
{
    struct Case {
        OutputKind kind;
        DeviceKind device;
        bool aacSound; // AAC has a choice of rate, Opus runs at 48 kHz
    };
    const Case cases[] = {
        { { OutputCategory::PcVideo, 3 }, DeviceKind::Mp4, true },
        { { OutputCategory::PcVideo, 4 }, DeviceKind::Mkv, false },
        { { OutputCategory::PcVideo, 5 }, DeviceKind::WebM, false },
        { { OutputCategory::PcVideo, 6 }, DeviceKind::Av1, false },
        { { OutputCategory::MobileVideo, 4 }, DeviceKind::PhoneTablet, true },
        { { OutputCategory::MobileVideo, 5 }, DeviceKind::TvStick, true },
        { { OutputCategory::MobileVideo, 6 }, DeviceKind::Web, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.device));
        EXPECT_EQ(ProfileKindOf(c.kind), c.device);
        EXPECT_EQ(DeviceComboItems(c.device, DeviceList::VideoSize).front(), "Same as source");
        EXPECT_EQ(DeviceComboItems(c.device, DeviceList::FrameRate).front(), "Same as source");
        EXPECT_EQ(DeviceComboItems(c.device, DeviceList::VideoBitrate),
            (std::vector<std::string> { "Small file", "Balanced", "High quality", "Best quality" }));
        EXPECT_EQ(panel::IsShown(c.kind, control_id::DeviceAudioSample), c.aacSound);
        EXPECT_TRUE(panel::IsShown(c.kind, control_id::DeviceChannels));
        EXPECT_FALSE(panel::IsShown(c.kind, control_id::DeviceAspect));
        EXPECT_FALSE(panel::IsShown(c.kind, control_id::Width));
    }
    // Every size keeps even sides.
    for (const std::string_view size : device_values::kFrameSizes)
        EXPECT_NE(size.find("/2)*2"), std::string_view::npos) << size;
    EXPECT_EQ(ProfileKindOf({ OutputCategory::PcVideo, 2 }), std::nullopt);
    EXPECT_EQ(ProfileKindOf({ OutputCategory::MobileVideo, 7 }), std::nullopt);
}

TEST(DeviceProfilePanel, MissingOrBrokenFilesReadAsNothing)
{
    testing::TempFolder folder;
    const ProfileIni missing = Open(folder.File("absent.ini"));
    EXPECT_FALSE(ReadDeviceProfileList(missing).listed);
    for (const DeviceListSelection& selection : ReadDeviceProfile(missing, DeviceKind::Xbox360, 2))
        EXPECT_EQ(selection.item, 0);

    const std::string path = folder.File("odd.ini");
    std::ofstream(path)
        << "[profile0]\nTitle=Zero\nVideoSize=abc\n[Info]\nDefaultProfile=x\nTitle=\n[profile1]\n"
           "Title=One\nVideoSize=2\n";
    const ProfileIni odd = Open(path);
    const DeviceProfileList list = ReadDeviceProfileList(odd);
    ASSERT_TRUE(list.listed);
    EXPECT_EQ(list.defaultProfile, 0);
    // "Info" out of place: profile0's title is lost, Info's empty one shows.
    EXPECT_EQ(list.titles, (std::vector<std::string> { "", "One" }));
    EXPECT_EQ(ItemOf(ReadDeviceProfile(odd, DeviceKind::Psp, 0), DeviceList::VideoSize), 0);
    EXPECT_EQ(ItemOf(ReadDeviceProfile(odd, DeviceKind::Psp, 1), DeviceList::VideoSize), 2);
    EXPECT_EQ(ItemOf(ReadDeviceProfile(odd, DeviceKind::Psp, 9), DeviceList::VideoSize), 0);
}

} // namespace
} // namespace kelvara
