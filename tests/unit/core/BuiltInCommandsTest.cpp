#include "conversions/BuiltInCommands.h"
#include "naming/OutputNaming.h"
#include "support/FixedOptions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kelvara;
using kelvara::testing::FixedOptions;

namespace {

JobRecord Clip()
{
    JobRecord job;
    job.sourcePath = "/videos/clip.avi";
    job.outputTitle = "clip";
    job.trimStartMs = 83400.0;
    job.trimEndMs = 95900.0;
    job.sourceWidth = 640;
    job.sourceHeight = 480;
    job.outputWidth = 320;
    job.outputHeight = 240;
    return job;
}

JobRecord FromVob()
{
    JobRecord job = Clip();
    job.sourcePath = "/dvd/VTS_01_1.VOB";
    job.isVob = 1;
    job.intermediatePath = "/tmp/VTS_01_1_12345.avi";
    return job;
}

} // namespace

TEST(ImageCommand, AStillPictureTakesOneFrameAtTheTrimStart)
{
    FixedOptions options;
    EXPECT_EQ(BuildImageCommand(Clip(), "/out/", options),
        "tarvoconverter -i '/videos/clip.avi' -f image2 -ss 00:01:23.400 -t 0.001 -s 320*240 "
        "'/out/clip.jpg'");
}

TEST(ImageCommand, OriginalSizeTakesTheSourceSize)
{
    FixedOptions options;
    options.original = true;
    options.picture = 11;
    EXPECT_EQ(BuildImageCommand(Clip(), "/out/", options),
        "tarvoconverter -i '/videos/clip.avi' -f image2 -ss 00:01:23.400 -t 0.001 -s 640*480 "
        "'/out/clip.png'");
}

TEST(ImageCommand, AGifAnimationCoversTheTrimmedPart)
{
    FixedOptions options;
    options.picture = 0;
    EXPECT_EQ(BuildImageCommand(Clip(), "/out/", options),
        "tarvoconverter -i '/videos/clip.avi' -ss 00:01:23.400 -t 00:00:12.500 -s 320*240 '/out/clip.gif'");
}

TEST(ImageCommand, AGifAnimationOfAnIntermediateFileHasNoRange)
{
    FixedOptions options;
    options.picture = 0;
    EXPECT_EQ(BuildImageCommand(FromVob(), "/out/", options),
        "tarvoconverter -i '/tmp/VTS_01_1_12345.avi'   -s 320*240 '/out/clip.gif'");
}

TEST(ImageCommand, EveryPictureTypeHasItsExtensionAndOthersGiveNoCommand)
{
    const char* extensions[] = { ".gif", ".gif", ".bmp", ".eps", ".jpg", ".pcx", ".psd", ".pdf", ".tiff",
        ".wmf", ".emf", ".png", ".j2k" };
    FixedOptions options;
    for (int position = 1; position <= 12; ++position) {
        options.picture = position;
        const std::string command = BuildImageCommand(Clip(), "/out/", options);
        EXPECT_NE(command.find("-f image2"), std::string::npos);
        EXPECT_TRUE(command.ends_with("'/out/clip" + std::string(extensions[position]) + "'")) << command;
    }
    options.picture = 13;
    EXPECT_EQ(BuildImageCommand(Clip(), "/out/", options), "");
    options.picture = -1;
    EXPECT_EQ(BuildImageCommand(Clip(), "/out/", options), "");
}

TEST(AudioCommand, AutoBitrateAndSameRateLeaveThreeBlanks)
{
    FixedOptions options;
    JobRecord job = Clip();
    job.trimStartMs = 0.0;
    job.trimEndMs = 10000.0;
    EXPECT_EQ(BuildAudioCommand(job, "/out/", 0, options),
        "tarvoconverter -i '/videos/clip.avi' -ss 00:00:00.000 -t 00:00:10.000   '/out/clip.mp3'");
}

// Whole seconds would move a start of 1.99 s to 1 s and cut a 7.6 s clip
// to 7 s; a trim that runs to the source's end hands over no length, so a
// probed duration a little short of the streams cuts nothing.
TEST(AudioCommand, TrimTimesKeepTheirMillisecondsAndATrimToTheEndHasNoLength)
{
    struct Case {
        double startMs, endMs, durationMs;
        const char* pieces;
    };
    const Case cases[] = {
        { 1990.0, 5000.0, 7600.0, "-ss 00:00:01.990 -t 00:00:03.010" },
        { 0.0, 7600.0, 7600.0, "-ss 00:00:00.000 " },
        { 2000.0, 7599.0, 7599.6, "-ss 00:00:02.000 " }, // a dropped thumb truncates to whole ms
        { 0.0, 119.0, 0.0, "-ss 00:00:00.000 -t 00:00:00.119" }, // duration unknown
        { 3'725'499.6, 3'725'900.0, 4e6, "-ss 01:02:05.500 -t 00:00:00.400" },
    };
    FixedOptions options;
    for (const Case& c : cases) {
        JobRecord job = Clip();
        job.trimStartMs = c.startMs;
        job.trimEndMs = c.endMs;
        job.durationMs = c.durationMs;
        EXPECT_EQ(BuildAudioCommand(job, "/out/", 0, options),
            "tarvoconverter -i '/videos/clip.avi' " + std::string(c.pieces) + "   '/out/clip.mp3'");
        options.picture = 0;
        EXPECT_EQ(BuildImageCommand(job, "/out/", options),
            "tarvoconverter -i '/videos/clip.avi' " + std::string(c.pieces) + " -s 320*240 '/out/clip.gif'");
    }
}

TEST(AudioCommand, BitrateAndRateComeFromTheirLists)
{
    FixedOptions options;
    options.bitrate = 6;
    options.sampleRate = 5;
    EXPECT_EQ(BuildAudioCommand(Clip(), "/out/", 4, options),
        "tarvoconverter -i '/videos/clip.avi' -ss 00:01:23.400 -t 00:00:12.500 -ab 128 -ar 44100 "
        "'/out/clip.ac3'");
    options.bitrate = 11;
    options.sampleRate = 1;
    EXPECT_EQ(BuildAudioCommand(Clip(), "/out/", 1, options),
        "tarvoconverter -i '/videos/clip.avi' -ss 00:01:23.400 -t 00:00:12.500 -ab 320 -ar 8000 "
        "'/out/clip.wma'");
}

// The lossless kinds carry no bitrate; ALAC names its encoder, since AAC
// and ALAC files share the .m4a name.
TEST(AudioCommand, LaterKindsNameTheirFileAndOnlyLossyOnesTakeABitrate)
{
    FixedOptions options;
    options.bitrate = 6;
    options.sampleRate = 5;
    const std::string common = "tarvoconverter -i '/videos/clip.avi' -ss 00:01:23.400 -t 00:00:12.500 ";
    struct Case {
        AudioKind kind;
        const char* rest;
        const char* outType;
    };
    const Case cases[] = {
        { AudioKind::Flac, " -ar 44100 '/out/clip.flac'", "clip.flac" },
        { AudioKind::Opus, "-ab 128 -ar 44100 '/out/clip.opus'", "clip.opus" },
        { AudioKind::Aac, "-ab 128 -ar 44100 '/out/clip.m4a'", "clip.m4a" },
        { AudioKind::Vorbis, "-ab 128 -ar 44100 '/out/clip.ogg'", "clip.ogg" },
        { AudioKind::Alac, " -ar 44100 -c:a alac '/out/clip.m4a'", "clip.m4a" },
    };
    for (const Case& c : cases) {
        const int kind = static_cast<int>(c.kind);
        EXPECT_EQ(BuildAudioCommand(Clip(), "/out/", kind, options), common + c.rest);
        EXPECT_EQ(OutTypeText({ OutputCategory::Audio, kind }, Clip(), {}), c.outType);
    }
}

TEST(AudioCommand, AnIntermediateFileIsReadWholeAndUnknownKindsHaveNoOutput)
{
    FixedOptions options;
    EXPECT_EQ(BuildAudioCommand(FromVob(), "/out/", 2, options),
        "tarvoconverter -i '/tmp/VTS_01_1_12345.avi'     '/out/clip.wav'");
    EXPECT_TRUE(BuildAudioCommand(Clip(), "/out/", 10, options).ends_with(" ''"));
}

TEST(AudioCommand, QuotesInNamesAreEscapedTheOneWayTheTokenizerReads)
{
    FixedOptions options;
    JobRecord job = Clip();
    job.sourcePath = "/v/it's.avi";
    job.outputTitle = "it's";
    EXPECT_EQ(BuildAudioCommand(job, "/o'/", 0, options),
        "tarvoconverter -i '/v/it'\\''s.avi' -ss 00:01:23.400 -t 00:00:12.500   '/o'\\''/it'\\''s.mp3'");
}

TEST(OutputNaming, AviAndMpegSkipTakenNamesFilesAndFoldersAlike)
{
    kelvara::testing::TempFolder folder;
    const std::string base = folder.File("a");
    EXPECT_EQ(NumberedOutputPath(base, ".avi"), base + ".avi");
    std::ofstream(base + ".avi") << "x";
    std::filesystem::create_directory(base + "2.avi");
    EXPECT_EQ(NumberedOutputPath(base, ".avi"), base + "3.avi");
    EXPECT_EQ(NumberedOutputPath(base, ".mpg"), base + ".mpg");
    // A name held by another job is taken; the job's own stopped part is not.
    EXPECT_EQ(NumberedOutputPath(base, ".mpg", { base + ".mpg" }), base + "2.mpg");
    EXPECT_EQ(NumberedOutputPath(base, ".avi", {}, { base + ".avi" }), base + ".avi");
}

TEST(OutputNaming, PspNamesSwitchToH264AtProfile17)
{
    EXPECT_EQ(PspOutputFileName(10000, 3), "M4V10000");
    EXPECT_EQ(PspOutputFileName(10000, 16), "M4V10000");
    EXPECT_EQ(PspOutputFileName(80000, 17), "MAQ80000");
    EXPECT_EQ(PspOutputFileName(80000, 20), "MAQ80000");
}

TEST(OutputNaming, OutTypeFollowsTheOutputKind)
{
    JobRecord job = Clip();
    job.fileNumber = 12345;
    OutTypeSelections selections;
    selections.pictureTypePosition = 10;
    selections.pspProfilePosition = 17;
    EXPECT_EQ(OutTypeText({ OutputCategory::PcVideo, 0 }, job, selections), "clip.avi");
    EXPECT_EQ(OutTypeText({ OutputCategory::PcVideo, 1 }, job, selections), "clip.mpg");
    EXPECT_EQ(OutTypeText({ OutputCategory::PcVideo, 2 }, job, selections), "clip.emf");
    EXPECT_EQ(OutTypeText({ OutputCategory::MobileVideo, 0 }, job, selections), "MAQ12345.MP4");
    EXPECT_EQ(OutTypeText({ OutputCategory::MobileVideo, 1 }, job, selections), "clip.mpg");
    EXPECT_EQ(OutTypeText({ OutputCategory::MobileVideo, 2 }, job, selections), "clip.avi");
    EXPECT_EQ(OutTypeText({ OutputCategory::MobileVideo, 3 }, job, selections), "clip.pmp");
    EXPECT_EQ(OutTypeText({ OutputCategory::Audio, 0 }, job, selections), "clip.mp3");
    EXPECT_EQ(OutTypeText({ OutputCategory::Audio, 2 }, job, selections), "clip.wav");
    selections.pictureTypePosition = 13;
    EXPECT_EQ(OutTypeText({ OutputCategory::PcVideo, 2 }, job, selections), "");
}

TEST(OutputNaming, IntermediateFilesGoToTheTemporaryFolder)
{
    const std::string avi = IntermediatePath(IntermediateFolder(), "VTS_01_1", 12345, false);
    const std::string mpg = IntermediatePath(IntermediateFolder(), "VTS_01_1", 12345, true);
    EXPECT_TRUE(avi.starts_with(IntermediateFolder()));
    EXPECT_TRUE(avi.ends_with("VTS_01_1_12345.avi"));
    EXPECT_TRUE(mpg.ends_with("VTS_01_1_12345.mpg"));
}

TEST(ImageCommand, AStillPictureOfAnIntermediateFileTakesItsFirstFrame)
{
    // The intermediate file holds the source from the trim start on.
    FixedOptions options;
    EXPECT_EQ(BuildImageCommand(FromVob(), "/out/", options),
        "tarvoconverter -i '/tmp/VTS_01_1_12345.avi' -f image2 -ss 00:00:00.000 -t 0.001 -s 320*240 "
        "'/out/clip.jpg'");
}

TEST(OutputNaming, IntermediateFilesOfThisProcessAreRemovedAtTheEnd)
{
    kelvara::testing::TempFolder folder;
    const std::string mine = IntermediatePath(folder.Folder(), "clip", 12345, false);
    const std::string other = folder.File("kelvara-1-clip_12345.avi");
    const std::string output = folder.File("clip.avi");
    for (const std::string& path : { mine, other, output })
        std::ofstream(path) << "x";
    RemoveIntermediateFilesOfThisProcess(folder.Folder());
    EXPECT_FALSE(std::filesystem::exists(mine));
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_TRUE(std::filesystem::exists(output));
}
