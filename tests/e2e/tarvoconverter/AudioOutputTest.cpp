// Audio kinds and device-profile style command lines, judged by ffprobe.
#include "MediaWorkspace.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace kelvara::tarvo::testing;

namespace {

struct AudioKind {
    const char* extension;
    const char* codec;
    const char* container;
};

void PrintTo(const AudioKind& kind, std::ostream* out)
{
    *out << kind.extension;
}

class AudioOutput : public ::testing::TestWithParam<AudioKind> { };

TEST_P(AudioOutput, BuiltInCommandGivesTheKindAtTheTrimmedLength)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path(std::string("song 'a' $x.") + GetParam().extension);

    const ProgramResult run = RunConverter({ "-i", workspace.clip(), "-ss", "00:00:01", "-t", "00:00:01",
        "-ab", "128", "-ar", "48000", output });

    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(probe(output, "stream=codec_name"), GetParam().codec);
    EXPECT_EQ(probe(output, "format=format_name"), GetParam().container);
    EXPECT_EQ(probe(output, "stream=sample_rate"), "48000");
    EXPECT_NEAR(ProbeDuration(output), 1.0, 0.12);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, AudioOutput,
    ::testing::Values(AudioKind { "mp3", "mp3", "mp3" }, AudioKind { "wma", "wmav2", "asf" },
        AudioKind { "wav", "pcm_s16le", "wav" },
        AudioKind { "mp2", "mp2", "mp3" /* ffmpeg reads all MPEG audio with one demuxer */ },
        AudioKind { "ac3", "ac3", "ac3" }),
    [](const auto& info) { return std::string(info.param.extension); });

TEST(AudioSettings, RateTheEncoderCannotTakeBecomesTheNearestItCan)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string ac3 = workspace.path("low.ac3");
    const std::string mp2 = workspace.path("low.mp2");

    const ProgramResult ac3Run = RunConverter({ "-i", workspace.clip(), "-ab", "64", "-ar", "8000", ac3 });
    const ProgramResult mp2Run = RunConverter({ "-i", workspace.clip(), "-ab", "320", "-ar", "22050", mp2 });

    ASSERT_EQ(ac3Run.exitCode, 0) << ac3Run.err;
    EXPECT_EQ(probe(ac3, "stream=sample_rate"), "32000");
    ASSERT_EQ(mp2Run.exitCode, 0) << mp2Run.err;
    EXPECT_EQ(probe(mp2, "stream=sample_rate"), "22050");
    EXPECT_EQ(probe(mp2, "stream=bit_rate"), "160000");
}

// ffmpeg's AC-3 encoder fails on the first frame of 5.1 sound at 32 kbit/s
// and would leave an empty file: the bitrate chosen decides the channels.
TEST(AudioSettings, Ac3BitrateTooLowForSurroundSoundDownmixesIt)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string low = workspace.path("surround low.ac3");
    const std::string high = workspace.path("surround high.ac3");
    const std::string mono = workspace.path("mono low.ac3");

    const ProgramResult lowRun
        = RunConverter({ "-i", workspace.SurroundSound(), "-ab", "32", "-ar", "48000", low });
    const ProgramResult highRun
        = RunConverter({ "-i", workspace.SurroundSound(), "-ab", "448", "-ar", "48000", high });
    const ProgramResult monoRun
        = RunConverter({ "-i", workspace.LongAudio(), "-t", "1", "-ab", "32", "-ar", "44100", mono });

    ASSERT_EQ(lowRun.exitCode, 0) << lowRun.err;
    EXPECT_EQ(probe(low, "stream=codec_name"), "ac3");
    EXPECT_EQ(probe(low, "stream=channels"), "2");
    EXPECT_EQ(probe(low, "stream=bit_rate"), "32000");
    EXPECT_NEAR(ProbeDuration(low), 2.0, 0.1);
    ASSERT_EQ(highRun.exitCode, 0) << highRun.err;
    EXPECT_EQ(probe(high, "stream=channels"), "6"); // a bitrate that carries 5.1 keeps it
    ASSERT_EQ(monoRun.exitCode, 0) << monoRun.err;
    EXPECT_EQ(probe(mono, "stream=channels"), "1"); // a downmix, never an upmix
}

TEST(AudioSettings, ExistingOutputIsOverwritten)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path("again.wav");
    std::ofstream(output) << "an old file that is no sound at all";

    const ProgramResult run = RunConverter({ "-i", workspace.clip(), "-t", "1", output });

    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(probe(output, "stream=codec_name"), "pcm_s16le");
}

TEST(ProfileCommand, OneRunWritesSeveralOutputsEachWithItsOwnOptions)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string video = workspace.path("X0001.avi");
    const std::string audio = workspace.path("X0001.mp3");

    const ProgramResult run = RunConverter({ "-i", workspace.clip(), "-ss", "00:00:00", "-t", "00:00:01",
        "-vcodec", "mpeg4", "-an", video, "-vn", "-ab", "64", "-ar", "22050", audio });

    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(probe(video, "stream=codec_name"), "mpeg4");
    EXPECT_NEAR(ProbeDuration(video), 1.0, 0.1);
    EXPECT_EQ(probe(audio, "stream=codec_name"), "mp3");
    EXPECT_EQ(probe(audio, "stream=sample_rate"), "22050");
}

} // namespace
