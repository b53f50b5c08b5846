#include "conversions/VideoEditConversions.h"
#include "jobs/RandomNumbers.h"
#include "platform/TickCount.h"
#include "runner/ConversionContext.h"
#include "support/FixedOptions.h"
#include "support/TempFolder.h"
#include "videoedit/VideoEditControl.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

using namespace kelvara;
using kelvara::testing::FixedOptions;

namespace {

class NameList : public CodecList {
public:
    std::int16_t Count() const override { return static_cast<std::int16_t>(names.size()); }
    std::string Item(std::int16_t index) const override { return names[static_cast<std::size_t>(index)]; }
    std::vector<std::string> names;
};

struct Clip {
    std::string path;
    double start, end;
};

// Records what the conversions ask of it; "converts" by writing the output
// and calling the completion hook, as the event loop would.
class FakeComponent : public VideoEditControl {
public:
    void SetVideoCodecIndex(std::int16_t index) override { videoCodec = index; }
    const CodecList& VideoCodecs() const override { return video; }
    void SetUseVideoCodec(bool use) override { useVideo = use; }
    void SetAudioCodecIndex(std::int16_t index) override { audioCodec = index; }
    const CodecList& AudioCodecs() const override { return audio; }
    void SetUseAudioCodec(bool use) override { useAudio = use; }
    void SetOutputHeight(std::int16_t h) override { height = h; }
    void SetOutputWidth(std::int16_t w) override { width = w; }
    void SetOutputDepth(std::int16_t d) override { depth = d; }
    void SetOutputFormat(std::int32_t f) override
    {
        format = f;
        rateAndFormat.push_back("format " + std::to_string(f));
    }
    void SetOutputFrameRate(float fps) override
    {
        frameRate = fps;
        rateAndFormat.push_back("rate " + std::to_string(fps));
    }
    void SetOutputAudioBitrate(std::int32_t kbits) override { audioBitrate = kbits; }
    void SetOutputSampleRate(std::int32_t hz) override { sampleRate = hz; }
    ConvertStart StartConvert(const std::string& path) override
    {
        output = path;
        if (!canStart)
            return ConvertStart::Refused(refusal, refusalReason);
        if (writesOutput)
            std::ofstream(path) << "converted";
        if (onStart)
            onStart();
        return ConvertStart::Started();
    }
    bool AddClip(const std::string& path, double start, double end) override
    {
        clips.push_back({ path, start, end });
        return true;
    }
    bool AddClipEx(const std::string& path, double start, double end, std::int16_t) override
    {
        clipsEx.push_back({ path, start, end });
        return true;
    }
    void ClearClips() override
    {
        clips.clear();
        clipsEx.clear();
    }
    void StopConvert() override { ++stops; }
    void StopConvertDiscardingOutput() override { ++discardingStops; }
    bool LastConvertSucceeded() const override { return succeeded; }
    std::string LastConvertError() const override { return "ffmpeg: Invalid data found"; }
    std::string LastConvertOutput() const override { return errorOutput; }

    NameList video, audio;
    int videoCodec = -1, audioCodec = -1, format = -1, audioBitrate = 0, sampleRate = 0, stops = 0,
        discardingStops = 0;
    int width = 0, height = 0, depth = 0;
    bool useVideo = false, useAudio = false, canStart = true, writesOutput = true, succeeded = true;
    float frameRate = 0;
    std::string output;
    std::string errorOutput;
    ConvertRefusal refusal = ConvertRefusal::NoClip;
    std::string refusalReason = "no clip to convert";
    std::vector<Clip> clips, clipsEx;
    std::vector<std::string> rateAndFormat; // the order the two were set in
    std::function<void()> onStart;
};

class CountingView : public JobListView {
public:
    void RedrawCell(int, JobColumn) override { ++redraws; }
    int redraws = 0;
};

class VideoEditConversionsTest : public ::testing::Test {
protected:
    VideoEditConversionsTest()
    {
        component.video.names = { "DivX MPEG-4 Codec", "Microsoft MPEG-4 Video Codec V3", "Motion JPEG" };
        component.audio.names = { "PCM 16-bit", "MPEG Layer-3 (LAME)" };
        JobRecord job;
        job.sourcePath = "/dvd/VTS_01_1.VOB";
        job.isVob = 1;
        job.titleCopy = "VTS_01_1";
        job.trimStartMs = 4000.0;
        job.trimEndMs = 9000.0;
        job.sourceWidth = 720;
        job.sourceHeight = 576;
        job.outputWidth = 352;
        job.outputHeight = 288;
        context.currentJob = jobs.Add(job);
        context.outputKind = { OutputCategory::Audio, 0 };
        // The component completes while the waiting loop services events.
        component.onStart = [this] { completeWhenStarted(); };
    }

    void completeWhenStarted()
    {
        conversions.OnVideoEditProgress(2.5, 5.0);
        conversions.OnVideoEditComplete();
    }

    JobList jobs;
    CountingView view;
    ConversionContext context { jobs, view };
    FakeComponent component;
    FixedOptions options;
    RandomNumbers numbers { 3 };
    VideoEditConversions conversions { context, component, options, numbers };
};

} // namespace

TEST(VideoEditCodecs, DiscoveryPrefersTheLastMatchOfThePreferredName)
{
    NameList list;
    list.names
        = { "DivX 5", "Microsoft MPEG-4 Video Codec V3", "DivX 6", "Microsoft MPEG-4 Video Codec V3 (fast)" };
    EXPECT_EQ(FindCodec(list, "Microsoft MPEG-4 Video Codec V3", "DivX"), 3);
    list.names = { "DivX 5", "Motion JPEG", "DivX 6" };
    EXPECT_EQ(FindCodec(list, "Microsoft MPEG-4 Video Codec V3", "DivX"), 2);
    list.names = { "Motion JPEG" };
    EXPECT_EQ(FindCodec(list, "Microsoft MPEG-4 Video Codec V3", "DivX"), -1);
}

TEST(VideoEditCodecs, ListTextsAreReadAsTheirLeadingNumber)
{
    EXPECT_DOUBLE_EQ(LeadingNumberOf("29.97 HZ"), 29.97);
    EXPECT_DOUBLE_EQ(LeadingNumberOf("23.976  HZ"), 23.976);
    EXPECT_DOUBLE_EQ(LeadingNumberOf("128 Kbit/s"), 128.0);
    EXPECT_DOUBLE_EQ(LeadingNumberOf("44100   "), 44100.0);
    EXPECT_DOUBLE_EQ(LeadingNumberOf("HZ"), 0.0);
}

TEST_F(VideoEditConversionsTest, AnAviIntermediateUsesMpeg4V3At25Frames)
{
    ASSERT_TRUE(conversions.MakeIntermediateFile(0));
    EXPECT_EQ(component.format, 8);
    EXPECT_EQ(component.videoCodec, 1);
    EXPECT_EQ(component.audioCodec, 1);
    EXPECT_TRUE(component.useVideo);
    EXPECT_TRUE(component.useAudio);
    EXPECT_FLOAT_EQ(component.frameRate, 25.0f);
    EXPECT_EQ(component.width, 320);
    EXPECT_EQ(component.height, 240);
    EXPECT_EQ(component.depth, 24);
    const JobRecord job = jobs.GetAt(0);
    EXPECT_TRUE(job.intermediatePath.ends_with(".avi"));
    EXPECT_NE(job.intermediatePath.find("VTS_01_1_"), std::string::npos);
    EXPECT_EQ(component.output, job.intermediatePath);
    EXPECT_EQ(job.componentDone, 1);
    EXPECT_EQ(job.stage, JobStage::Encoding);
    EXPECT_DOUBLE_EQ(job.componentPercent, 50.0);
    std::filesystem::remove(job.intermediatePath);
}

TEST_F(VideoEditConversionsTest, WithoutMp3OrPcmTheIntermediateIsMpegAt23976)
{
    component.audio.names = { "AC-3" };
    ASSERT_TRUE(conversions.MakeIntermediateFile(0));
    EXPECT_EQ(component.format, 6);
    EXPECT_FLOAT_EQ(component.frameRate, 23.976f);
    EXPECT_TRUE(jobs.GetAt(0).intermediatePath.ends_with(".mpg"));
    std::filesystem::remove(jobs.GetAt(0).intermediatePath);
}

TEST_F(VideoEditConversionsTest, AStillPictureIntermediateCoversOneSecondFromTheTrimStart)
{
    context.outputKind = { OutputCategory::PcVideo, 2 };
    options.picture = 4;
    ASSERT_TRUE(conversions.MakeIntermediateFile(0));
    ASSERT_EQ(component.clips.size(), 1u);
    EXPECT_DOUBLE_EQ(component.clips[0].start, 4.0);
    EXPECT_DOUBLE_EQ(component.clips[0].end, 5.0);
    ASSERT_EQ(component.clipsEx.size(), 1u);
    EXPECT_DOUBLE_EQ(component.clipsEx[0].end, 5.0);
    std::filesystem::remove(jobs.GetAt(0).intermediatePath);

    options.picture = 0; // a GIF animation takes the whole trim
    ASSERT_TRUE(conversions.MakeIntermediateFile(0));
    EXPECT_DOUBLE_EQ(component.clips[0].end, 9.0);
    std::filesystem::remove(jobs.GetAt(0).intermediatePath);
}

TEST_F(VideoEditConversionsTest, AnIntermediateThatCannotStartFailsTheJob)
{
    component.canStart = false;
    EXPECT_FALSE(conversions.MakeIntermediateFile(0));
    const JobRecord job = jobs.GetAt(0);
    EXPECT_TRUE(job.failed);
    EXPECT_FALSE(job.run.outcome.empty());
    EXPECT_NE(job.run.outcome.find("no clip to convert"), std::string::npos)
        << "the component's reason reaches the job: " << job.run.outcome;
    EXPECT_FALSE(std::filesystem::exists(job.intermediatePath));
}

TEST_F(VideoEditConversionsTest, AFailedIntermediateFailsTheJobWithTheComponentsReason)
{
    component.succeeded = false;
    EXPECT_FALSE(conversions.MakeIntermediateFile(0));
    EXPECT_EQ(jobs.GetAt(0).run.outcome, "failed: ffmpeg: Invalid data found");
    EXPECT_FALSE(std::filesystem::exists(jobs.GetAt(0).intermediatePath));
}

// The intermediate step and the conversion after it are one run: the
// component's lines of both stay in the job's record, before its outcome.
TEST_F(VideoEditConversionsTest, TheComponentsLastLinesOfEveryStepGoIntoTheRunsRecord)
{
    kelvara::testing::TempFolder folder;
    component.errorOutput = "[mpeg @ 0x1] timestamps are unset\n";
    ASSERT_TRUE(conversions.MakeIntermediateFile(0));
    std::filesystem::remove(jobs.GetAt(0).intermediatePath);
    context.outputKind = { OutputCategory::PcVideo, 0 };
    component.errorOutput = "[avi @ 0x2] bad frame\r\n\nffmpeg: Invalid data found\n";
    component.succeeded = false;
    ASSERT_TRUE(conversions.ConvertWithVideoEdit(0, folder.File("clip.avi")));
    const RunRecord run = jobs.GetAt(0).run;
    EXPECT_TRUE(run.Started());
    EXPECT_EQ(run.outcome, "failed: ffmpeg: Invalid data found");
    EXPECT_EQ(run.outputTail,
        "[mpeg @ 0x1] timestamps are unset\n[avi @ 0x2] bad frame\nffmpeg: Invalid data found");
}

TEST_F(VideoEditConversionsTest, ProgressWithTotalZeroGivesZeroPercent)
{
    context.outputKind = { OutputCategory::PcVideo, 0 };
    conversions.OnVideoEditProgress(3.0, 0.0);
    EXPECT_EQ(jobs.GetAt(0).percentDone, 0);
    conversions.OnVideoEditProgress(2.0, 5.0);
    EXPECT_EQ(jobs.GetAt(0).percentDone, 40);
    EXPECT_DOUBLE_EQ(jobs.GetAt(0).positionMs, 6000.0);
    context.outputKind = { OutputCategory::Audio, 0 };
    conversions.OnVideoEditProgress(3.0, 0.0);
    EXPECT_DOUBLE_EQ(jobs.GetAt(0).componentPercent, 0.0);
}

TEST_F(VideoEditConversionsTest, AnAviConversionTakesThePanelsValuesAndEndsDone)
{
    kelvara::testing::TempFolder folder;
    context.outputKind = { OutputCategory::PcVideo, 0 };
    options.aviFrameRate = "29.97 HZ";
    options.aviVideoCodec = 2;
    options.aviAudioCodec = 1;
    const std::string output = folder.File("clip.avi");
    ASSERT_TRUE(conversions.ConvertWithVideoEdit(0, output));
    EXPECT_EQ(component.format, 8);
    EXPECT_FLOAT_EQ(component.frameRate, 29.97f);
    EXPECT_EQ(component.videoCodec, 2);
    EXPECT_EQ(component.audioCodec, 1);
    EXPECT_EQ(component.width, 352);
    EXPECT_EQ(component.output, output);
    ASSERT_EQ(component.clips.size(), 1u);
    EXPECT_DOUBLE_EQ(component.clips[0].start, 4.0);
    EXPECT_DOUBLE_EQ(component.clips[0].end, 9.0);
    const JobRecord job = jobs.GetAt(0);
    EXPECT_EQ(job.stateIcon, JobState::Done);
    EXPECT_EQ(job.percentDone, 100);
    EXPECT_FALSE(conversions.ComponentBusy());
}

TEST_F(VideoEditConversionsTest, AnMpegConversionTakesTypeRatesAndOriginalSize)
{
    kelvara::testing::TempFolder folder;
    context.outputKind = { OutputCategory::PcVideo, 1 };
    options.original = true;
    options.mpegType = 7;
    options.mpegAudioBitrate = "224 Kbit/s";
    options.mpegSampleRate = "48000   ";
    options.mpegFrameRate = "23.976  HZ";
    ASSERT_TRUE(conversions.ConvertWithVideoEdit(0, folder.File("clip.mpg")));
    EXPECT_EQ(component.format, 7);
    EXPECT_EQ(component.audioBitrate, 224);
    EXPECT_EQ(component.sampleRate, 48000);
    EXPECT_FLOAT_EQ(component.frameRate, 23.976f);
    EXPECT_EQ(component.width, 720);
    EXPECT_EQ(component.height, 576);
}

TEST_F(VideoEditConversionsTest, AStoppedConversionStopsTheComponentOnceAndStaysStopped)
{
    kelvara::testing::TempFolder folder;
    context.outputKind = { OutputCategory::PcVideo, 0 };
    component.onStart = [this] {
        conversions.OnVideoEditProgress(1.0, 5.0);
        context.stopFlag = true;
    };
    ASSERT_TRUE(conversions.ConvertWithVideoEdit(0, folder.File("clip.avi")));
    EXPECT_EQ(component.stops, 1);
    const JobRecord job = jobs.GetAt(0);
    EXPECT_EQ(job.stateIcon, JobState::Stopped);
    EXPECT_LT(job.percentDone, 100);
}

TEST_F(VideoEditConversionsTest, AConversionThatWritesNothingFails)
{
    kelvara::testing::TempFolder folder;
    context.outputKind = { OutputCategory::PcVideo, 1 };
    component.writesOutput = false;
    ASSERT_TRUE(conversions.ConvertWithVideoEdit(0, folder.File("clip.mpg")));
    EXPECT_TRUE(jobs.GetAt(0).failed);
    EXPECT_NE(jobs.GetAt(0).stateIcon, JobState::Done);

    component.canStart = false;
    EXPECT_FALSE(conversions.ConvertWithVideoEdit(0, folder.File("clip.mpg")));
    EXPECT_TRUE(jobs.GetAt(0).failed);
}

TEST_F(VideoEditConversionsTest, TheMpegStandardsGetTheFrameRateAgainAfterTheirFormat)
{
    // Choosing a format may load its own frame rate; for the two MPEG
    // standards the panel's rate must be the last one set.
    kelvara::testing::TempFolder folder;
    context.outputKind = { OutputCategory::PcVideo, 1 };
    options.mpegFrameRate = "29         HZ";
    const std::string rate = "rate " + std::to_string(29.0f);
    for (const int type : { 6, 7 }) {
        component.rateAndFormat.clear();
        options.mpegType = type;
        ASSERT_TRUE(conversions.ConvertWithVideoEdit(0, folder.File("clip.mpg")));
        EXPECT_EQ(component.rateAndFormat,
            (std::vector<std::string> { rate, "format " + std::to_string(type), rate }));
    }
    // The disc types keep their own rate: set once, before the format.
    component.rateAndFormat.clear();
    options.mpegType = 4;
    ASSERT_TRUE(conversions.ConvertWithVideoEdit(0, folder.File("clip.mpg")));
    EXPECT_EQ(component.rateAndFormat, (std::vector<std::string> { rate, "format 4" }));
}

TEST_F(VideoEditConversionsTest, ProgressMeasuresTheSpeedOfEachRunFromItsStart)
{
    context.outputKind = { OutputCategory::PcVideo, 0 };
    context.startTick = platform::TickCount() - 2000;
    conversions.OnVideoEditProgress(4.0, 10.0);
    EXPECT_NEAR(jobs.GetAt(0).encodeSpeed, 2.0, 0.2) << "4 media seconds in 2 s";
    // The next run (an intermediate step here) measures its own clock.
    context.outputKind = { OutputCategory::Audio, 0 };
    context.startTick = platform::TickCount() - 4000;
    conversions.OnVideoEditProgress(2.0, 10.0);
    EXPECT_NEAR(jobs.GetAt(0).componentRemaining, 16.0, 1.0) << "8 media seconds at 0.5x";
}

TEST_F(VideoEditConversionsTest, EventsForAJobNoLongerInTheListChangeNothing)
{
    // The component's events arrive while the window is serviced; a job
    // removed meanwhile leaves a current index past the list's end.
    context.outputKind = { OutputCategory::PcVideo, 0 };
    context.currentJob = 3;
    const int before = view.redraws;
    conversions.OnVideoEditProgress(2.0, 4.0);
    context.outputKind = { OutputCategory::Audio, 0 };
    conversions.OnVideoEditProgress(2.0, 4.0);
    conversions.OnVideoEditComplete();
    EXPECT_EQ(view.redraws, before);
    ASSERT_EQ(jobs.GetSize(), 1);
    EXPECT_EQ(jobs.GetAt(0).percentDone, 0);
    EXPECT_EQ(jobs.GetAt(0).componentDone, 0);
    EXPECT_FALSE(conversions.ConvertWithVideoEdit(3, "/nonexistent/clip.avi"));
    EXPECT_FALSE(conversions.MakeIntermediateFile(3));
    EXPECT_TRUE(component.output.empty()); // never asked to start
}
