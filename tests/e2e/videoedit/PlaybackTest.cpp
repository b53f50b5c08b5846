// The component's preview against real small files, offscreen: pictures are
// drawn, positions arrive, a pause holds, the clip's end is reported, files
// that cannot be played leave nothing behind, and the player ends cleanly.
#include "VideoEditTestSupport.h"

#include "support/MediaMaker.h"
#include "support/Processes.h"
#include "support/TempFolder.h"
#include "videoedit/CVideoEdit.h"
#include "videoedit/MpvPlayback.h"

#include <QColor>
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

constexpr int kWaitMs = 15000;

bool MakeColourClip(const std::string& path, const std::string& colour, double seconds)
{
    const std::string length = std::to_string(seconds);
    return RunProgram({ "ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                          "color=c=" + colour + ":size=160x120:rate=25:duration=" + length, "-f", "lavfi",
                          "-i", "sine=frequency=440:sample_rate=44100:duration=" + length, "-shortest",
                          "-pix_fmt", "yuv420p", path })
               .exitCode
        == 0;
}

QColor CentreOf(const QImage& picture)
{
    return picture.isNull() ? QColor() : picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

bool IsReddish(const QColor& colour)
{
    return colour.red() > 150 && colour.green() < 90 && colour.blue() < 90;
}

bool IsBlack(const QImage& picture)
{
    const QColor centre = CentreOf(picture);
    return centre.isValid() && centre.red() < 20 && centre.green() < 20 && centre.blue() < 20;
}

// Bytes the allocator has handed out and not had back, in every arena and in
// its own mappings: a leak raises it, while a thread's arena kept for reuse,
// which moves the resident size by tens of megabytes, does not.
long HeapInUseKilobytes()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}

int ThreadCount()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

class Playback : public ::testing::Test {
protected:
    void SetUp() override
    {
        component = std::make_unique<CVideoEdit>();
        // No sound device is touched by the tests.
        component->SetAudioOutputs("null");
        QObject::connect(component.get(), &CVideoEdit::PreviewPosition,
            [this](double seconds) { positions.push_back(seconds); });
    }

    std::string File(const std::string& name) const { return folder.File(name); }

    bool Start(const std::string& path, double start, double end)
    {
        component->StopConvert();
        component->ClearClips();
        component->AddClipEx(path, start, end, 0);
        positions.clear();
        return component->StartPlay();
    }

    bool WaitForPositions(std::size_t count)
    {
        return PumpUntil([&] { return positions.size() >= count; }, kWaitMs);
    }

    TempFolder folder;
    std::unique_ptr<CVideoEdit> component;
    std::vector<double> positions;
};

TEST_F(Playback, OpenedClipDrawsItsFirstPictureAndReportsWhereItIs)
{
    const std::string red = File("red.mp4");
    ASSERT_TRUE(MakeColourClip(red, "red", 3.0));
    ASSERT_TRUE(Start(red, 1.0, 3.0)) << component->PlaybackError();
    ASSERT_TRUE(WaitForPositions(1)) << component->PlaybackError();
    EXPECT_NEAR(positions.front(), 1.0, 0.05) << "an exact seek shows the clip's start";
    const QImage picture = component->PreviewPicture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(IsReddish(CentreOf(picture))) << CentreOf(picture).name().toStdString();
    // The window shows what the player drew, at the window's size.
    auto* view = static_cast<PreviewView*>(component->CreatePreviewView(nullptr));
    std::unique_ptr<QWidget> owner(view);
    view->resize(296, 217);
    EXPECT_TRUE(IsReddish(CentreOf(view->Picture())));
}

TEST_F(Playback, PositionsAdvanceWhilePlayingAndPauseHoldsThePicture)
{
    const std::string moving = File("moving.mp4");
    ASSERT_TRUE(MakeClip(moving, 4.0));
    ASSERT_TRUE(Start(moving, 0.0, 4.0));
    ASSERT_TRUE(WaitForPositions(4));
    for (std::size_t i = 1; i < positions.size(); ++i)
        EXPECT_GE(positions[i], positions[i - 1]);
    EXPECT_GT(positions.back(), positions.front());
    EXPECT_TRUE(component->IsPlaying());

    component->PausePlay();
    const std::size_t before = positions.size();
    ASSERT_TRUE(WaitForPositions(before + 1)) << "a pause reports where it paused";
    EXPECT_FALSE(component->IsPlaying());
    const QImage held = component->PreviewPicture().copy();
    const double pausedAt = positions.back();
    PumpFor(700);
    EXPECT_EQ(positions.size(), before + 1) << "no positions while paused";
    EXPECT_EQ(component->PreviewPicture(), held) << "the picture holds";
    EXPECT_LT(pausedAt, 4.0);
    // A second pause changes nothing and reports nothing.
    component->PausePlay();
    PumpFor(300);
    EXPECT_EQ(positions.size(), before + 1);
}

TEST_F(Playback, ReachingTheClipsEndReportsTheEndOnce)
{
    const std::string moving = File("moving.mp4");
    ASSERT_TRUE(MakeClip(moving, 3.0));
    ASSERT_TRUE(Start(moving, 0.5, 1.5));
    ASSERT_TRUE(PumpUntil([&] { return !positions.empty() && !component->IsPlaying(); }, kWaitMs));
    EXPECT_DOUBLE_EQ(positions.back(), 1.5);
    const std::size_t count = positions.size();
    PumpFor(500);
    EXPECT_EQ(positions.size(), count);
    EXPECT_FALSE(component->PreviewPicture().isNull());
}

TEST_F(Playback, StopEndsAPlaybackAndStartingAnotherDropsItsLatePosition)
{
    const std::string moving = File("moving.mp4");
    ASSERT_TRUE(MakeClip(moving, 3.0));
    ASSERT_TRUE(Start(moving, 0.0, 3.0));
    ASSERT_TRUE(WaitForPositions(1));
    component->StopConvert();
    EXPECT_FALSE(component->IsPlaying());
    // Stopped and started again at once: the stop's position is not taken
    // for the new clip's first picture.
    component->ClearClips();
    component->AddClipEx(moving, 2.0, 3.0, 0);
    positions.clear();
    ASSERT_TRUE(component->StartPlay());
    ASSERT_TRUE(WaitForPositions(1));
    EXPECT_NEAR(positions.front(), 2.0, 0.05);
}

TEST_F(Playback, FilesThatCannotBePlayedShowNothingOfAnotherFileAndDoNotStall)
{
    const std::string red = File("red.mp4");
    ASSERT_TRUE(MakeColourClip(red, "red", 2.0));
    const std::string noise = File("noise.mp4");
    {
        std::mt19937 random(7);
        std::ofstream out(noise, std::ios::binary);
        for (int i = 0; i < 200000; ++i)
            out.put(static_cast<char>(random()));
    }
    const std::string truncated = File("truncated.mp4");
    fs::copy_file(red, truncated);
    fs::resize_file(truncated, fs::file_size(red) / 3);
    const std::string audio = File("audio.wav");
    ASSERT_EQ(RunProgram({ "ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                             "sine=frequency=440:duration=2", audio })
                  .exitCode,
        0);
    const std::string missing = File("gone.mp4");

    for (const std::string& bad : { noise, truncated, audio, missing }) {
        SCOPED_TRACE(bad);
        ASSERT_TRUE(Start(red, 0.0, 2.0));
        ASSERT_TRUE(WaitForPositions(1));
        ASSERT_TRUE(IsReddish(CentreOf(component->PreviewPicture())));
        Start(bad, 0.0, 2.0);
        // A position comes, so a caller waiting for one goes on.
        ASSERT_TRUE(WaitForPositions(1));
        const QImage shown = component->PreviewPicture();
        EXPECT_FALSE(IsReddish(CentreOf(shown))) << "the red file's picture stayed";
        if (bad != truncated) {
            EXPECT_TRUE(IsBlack(shown));
        }
    }
    // The player still works.
    ASSERT_TRUE(Start(red, 0.0, 2.0));
    ASSERT_TRUE(WaitForPositions(1));
    EXPECT_TRUE(IsReddish(CentreOf(component->PreviewPicture())));
}

// A picture of the file before that is not shown must still be taken from
// mpv, whose video output otherwise waits for it before opening the next
// file: every selection of a row took a fifth of a second more or longer.
TEST_F(Playback, OpeningOneFileAfterAnotherNeverLeavesTheOutputWaiting)
{
    const std::string red = File("red.mp4");
    const std::string blue = File("blue.mp4");
    ASSERT_TRUE(MakeColourClip(red, "red", 3.0));
    ASSERT_TRUE(MakeColourClip(blue, "blue", 3.0));
    // The stalls of one round of openings. A picture we fail to take stalls
    // every round; a machine too busy to run our thread in time may stall
    // one, so a later round decides.
    // The player is made at the first preview.
    const auto stallsSoFar = [&]() -> std::int64_t {
        return component->Playback() ? component->Playback()->FrameCounters().rendererStalls : 0;
    };
    const auto stallsOfARound = [&]() -> std::int64_t {
        const std::int64_t before = stallsSoFar();
        for (int i = 0; i < 4; ++i) {
            if (!Start(i % 2 ? blue : red, 1.0, 3.0) || !WaitForPositions(1))
                return -1;
            component->PausePlay(); // as the window does on opening a file
            PumpFor(100);
        }
        if (!component->StartPlay()) // played, paused, then another file
            return -1;
        PumpFor(300);
        component->PausePlay();
        if (!Start(red, 1.0, 3.0) || !WaitForPositions(1))
            return -1;
        PumpFor(300);
        return stallsSoFar() - before;
    };
    std::int64_t stalls = stallsOfARound();
    for (int round = 1; round < 3 && stalls > 0; ++round)
        stalls = stallsOfARound();
    EXPECT_EQ(stalls, 0) << component->PlaybackError();
}

TEST_F(Playback, SwitchingFilesQuicklyKeepsMemoryAndEndsOnTheLastFile)
{
    const char* colours[]
        = { "red", "green", "blue", "yellow", "cyan", "magenta", "white", "gray", "orange", "purple" };
    std::vector<std::string> files;
    for (const char* colour : colours) {
        files.push_back(File(std::string(colour) + ".mp4"));
        ASSERT_TRUE(MakeColourClip(files.back(), colour, 2.0));
    }
    const auto select = [&](int i) {
        Start(files[static_cast<std::size_t>(i % 10)], 1.0, 2.0);
        PumpFor(5 + (i * 7) % 30);
    };
    // Measured once the last file has opened and the pictures in flight are
    // gone, not while a decoder holds its frames.
    const auto settledKilobytes = [&] {
        PumpFor(300);
        return HeapInUseKilobytes();
    };
    for (int i = 0; i < 20; ++i)
        select(i);
    ASSERT_TRUE(WaitForPositions(1));
    const long warm = settledKilobytes();
    for (int i = 0; i < 100; ++i)
        select(i * 3);
    Start(files[0], 1.0, 2.0); // red last
    ASSERT_TRUE(WaitForPositions(1));
    const long grown = settledKilobytes() - warm;
    EXPECT_TRUE(IsReddish(CentreOf(component->PreviewPicture())))
        << CentreOf(component->PreviewPicture()).name().toStdString();
    EXPECT_LT(grown, 16 * 1024) << "kB grown: " << grown;
}

TEST_F(Playback, EndingWhilePlayingLeavesNoThreadNorDescriptor)
{
    const std::string moving = File("moving.mp4");
    ASSERT_TRUE(MakeClip(moving, 3.0));
    PumpFor(100);
    const int threads = ThreadCount();
    const int descriptors = OpenDescriptorCount();
    ASSERT_TRUE(Start(moving, 0.0, 3.0));
    ASSERT_TRUE(WaitForPositions(2));
    ASSERT_GT(ThreadCount(), threads) << "mpv plays on threads of its own";
    component.reset();
    // A thread that has ended may stay listed for a moment while it exits.
    EXPECT_TRUE(PumpUntil([&] { return ThreadCount() == threads; }, 2000)) << ThreadCount() << " threads";
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
    PumpFor(200); // calls mpv posted before the end find nothing to run
}

TEST_F(Playback, ClipWithoutLengthShowsThePictureAtItsEnd)
{
    const std::string red = File("red.mp4");
    ASSERT_TRUE(MakeColourClip(red, "red", 2.0));
    const double duration = component->GetFileDuration(red);
    ASSERT_GT(duration, 1.5);
    component->ClearClips();
    EXPECT_FALSE(component->AddClipEx(red, duration, duration, 0));
    positions.clear();
    component->StartPlay();
    ASSERT_TRUE(WaitForPositions(1));
    // The end may be reported before its picture is drawn.
    EXPECT_TRUE(PumpUntil([&] { return IsReddish(CentreOf(component->PreviewPicture())); }, kWaitMs));
}

} // namespace

namespace {

TEST_F(Playback, PlayingAgainAfterAPausedOpenPlaysFromTheClipsStart)
{
    const std::string moving = File("moving.mp4");
    ASSERT_TRUE(MakeClip(moving, 6.0));
    const double duration = component->GetFileDuration(moving);
    ASSERT_TRUE(Start(moving, 0.0, duration));
    ASSERT_TRUE(WaitForPositions(1));
    component->PausePlay();
    PumpFor(300);
    ASSERT_TRUE(Start(moving, 0.0, duration));
    ASSERT_TRUE(WaitForPositions(3));
    EXPECT_LT(positions.front(), 0.1);
    EXPECT_TRUE(component->IsPlaying());
}

} // namespace
