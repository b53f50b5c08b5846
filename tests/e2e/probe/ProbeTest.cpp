#include "support/MediaMaker.h"
#include "support/TempFolder.h"
#include "videoedit/CVideoEdit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

TEST(Probe, ReadsDurationAndSizeOfARealClip)
{
    TempFolder folder;
    const std::string clip = folder.File(std::string(kHostileName) + ".avi");
    ASSERT_TRUE(MakeClip(clip, 2.0, 176, 144));
    CVideoEdit component;
    EXPECT_NEAR(component.GetFileDuration(clip), 2.0, 0.1);
    EXPECT_EQ(component.GetFileWidth(clip), 176);
    EXPECT_EQ(component.GetFileHeight(clip), 144);
}

TEST(Probe, AudioOnlyFilesHaveADurationAndNoPicture)
{
    TempFolder folder;
    const std::string song = folder.File("song.mp3");
    ASSERT_TRUE(MakeClip(song, 1.5, 160, 120, { "-vn" }));
    CVideoEdit component;
    EXPECT_NEAR(component.GetFileDuration(song), 1.5, 0.15);
    EXPECT_EQ(component.GetFileWidth(song), 0);
    EXPECT_EQ(component.GetFileHeight(song), 0);
}

TEST(Probe, UnreadableFilesGiveZeroWithoutCrashing)
{
    TempFolder folder;
    const std::string clip = folder.File("clip.mp4");
    ASSERT_TRUE(MakeClip(clip, 1.0));
    const std::string truncated = folder.File("truncated.mp4");
    {
        std::ifstream in(clip, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::ofstream(truncated, std::ios::binary) << bytes.substr(0, bytes.size() / 3);
    }
    const std::string noise = folder.File("noise.avi");
    {
        std::mt19937 engine(99);
        std::ofstream out(noise, std::ios::binary);
        for (int i = 0; i < 200000; ++i)
            out.put(static_cast<char>(engine()));
    }
    const std::string empty = folder.File("empty.avi");
    std::ofstream(empty).close();

    CVideoEdit component;
    for (const std::string& path : { truncated, noise, empty, folder.File("missing.avi"), folder.Folder() }) {
        const double duration = component.GetFileDuration(path);
        EXPECT_GE(duration, 0.0) << path;
        EXPECT_GE(component.GetFileWidth(path), 0) << path;
    }
    EXPECT_EQ(component.GetFileDuration(noise), 0.0);
    EXPECT_EQ(component.GetFileWidth(empty), 0);
    EXPECT_EQ(component.GetFileDuration(folder.File("missing.avi")), 0.0);
}

TEST(Probe, AnswersFollowTheFileWhenItChanges)
{
    TempFolder folder;
    const std::string clip = folder.File("clip.avi");
    ASSERT_TRUE(MakeClip(clip, 1.0, 160, 120));
    CVideoEdit component;
    EXPECT_EQ(component.GetFileWidth(clip), 160);

    ASSERT_TRUE(MakeClip(clip, 2.0, 320, 240));
    // Make sure the new version is seen even on a coarse file-time clock.
    fs::last_write_time(clip, fs::last_write_time(clip) + std::chrono::seconds(5));
    EXPECT_EQ(component.GetFileWidth(clip), 320);
    EXPECT_NEAR(component.GetFileDuration(clip), 2.0, 0.1);

    fs::remove(clip);
    EXPECT_EQ(component.GetFileWidth(clip), 0);
}
