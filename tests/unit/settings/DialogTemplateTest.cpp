// The main dialog's template: one entry per id, every control inside the
// window, the places fixed by the window's layout.
#include "app/DialogTemplate.h"

#include <gtest/gtest.h>

#include <set>

namespace kelvara {
namespace {

TEST(DialogTemplate, IdsAreUniqueAndControlsLieInsideTheWindow)
{
    std::set<int> ids;
    for (const ControlSpec& entry : MainDialogTemplate()) {
        EXPECT_TRUE(ids.insert(entry.id).second) << entry.id;
        EXPECT_GE(entry.x, 0) << entry.id;
        EXPECT_GE(entry.y, 0) << entry.id;
        EXPECT_LE(entry.x + entry.width, kMainDialogWidth) << entry.id;
        EXPECT_LE(entry.y + entry.height, kMainDialogHeight) << entry.id;
    }
}

TEST(DialogTemplate, StartAndStopShareOnePlaceWithStopHidden)
{
    const auto start = FindControl(control_id::Start);
    const auto stop = FindControl(control_id::Stop);
    ASSERT_TRUE(start && stop);
    EXPECT_EQ(std::tie(start->x, start->y, start->width, start->height), std::make_tuple(30, 70, 48, 49));
    EXPECT_EQ(std::tie(stop->x, stop->y, stop->width, stop->height), std::make_tuple(30, 70, 48, 49));
    EXPECT_FALSE(start->hiddenAtStart);
    EXPECT_TRUE(stop->hiddenAtStart);
}

TEST(DialogTemplate, FixedPlacesOfTheListTabsPreviewAndBanner)
{
    const auto at = [](int id) {
        const auto entry = FindControl(id);
        return entry ? std::make_tuple(entry->x, entry->y, entry->width, entry->height)
                     : std::make_tuple(0, 0, 0, 0);
    };
    EXPECT_EQ(at(control_id::FileList), std::make_tuple(15, 125, 720, 135));
    for (const int strip : { control_id::PcTabs, control_id::MobileTabs, control_id::AudioTabs })
        EXPECT_EQ(at(strip), std::make_tuple(323, 285, 432, 28));
    EXPECT_EQ(at(control_id::PreviewPlaceholder), std::make_tuple(15, 286, 298, 217));
    EXPECT_EQ(at(control_id::PreviewWindow), std::make_tuple(16, 286, 296, 217));
    EXPECT_EQ(at(control_id::TrimRange), std::make_tuple(32, 505, 267, 17));
    EXPECT_EQ(at(control_id::Banner), std::make_tuple(230, 44, 519, 75));
    EXPECT_EQ(at(control_id::Snapshot), std::make_tuple(225, 531, 19, 19));
    EXPECT_EQ(at(control_id::VideoFormatGroup), std::make_tuple(345, 334, 191, 79));
}

TEST(DialogTemplate, PictureButtonsAndListsCarryTheNamesAScreenReaderSays)
{
    const std::pair<int, std::string_view> names[]
        = { { control_id::Start, "Start" }, { control_id::AddVideo, "Add Video" },
              { control_id::FormatMenu, "Format Setting" }, { control_id::Browse, "Browse" },
              { control_id::PreviewStop, "Preview stop" }, { control_id::Snapshot, "Snapshot" },
              { control_id::OutputFolder, "Output folder" }, { control_id::MpegType, "MpegType" },
              { control_id::AudioSample, "Audio Sample" }, { control_id::TrimRange, "Trim range" } };
    for (const auto& [id, name] : names) {
        const auto entry = FindControl(id);
        ASSERT_TRUE(entry) << id;
        EXPECT_EQ(entry->accessibleName, name) << id;
    }
    for (const ControlSpec& entry : MainDialogTemplate())
        EXPECT_FALSE(
            entry.caption.empty() && entry.accessibleName.empty() && entry.kind != ControlKind::Label)
            << entry.id << " has no name";
}

TEST(DialogTemplate, AnUnknownIdIsNotFound)
{
    EXPECT_FALSE(FindControl(4242));
}

} // namespace
} // namespace kelvara
