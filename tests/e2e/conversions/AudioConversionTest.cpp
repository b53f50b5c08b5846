#include "ConversionFixture.h"
#include "support/FileContents.h"

#include "commands/EncoderConversions.h"
#include "commands/OutputNaming.h"
#include "engine/EncoderStop.h"

#include <cstdlib>
#include <filesystem>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

struct AudioCase {
    int kind;
    const char* codec;
};

class AudioConversion : public ConversionTest, public ::testing::WithParamInterface<AudioCase> { };

} // namespace

TEST_P(AudioConversion, EveryAudioKindIsWrittenForTheTrimmedPart)
{
    m_context.outputKind = { OutputCategory::Audio, GetParam().kind };
    const int index = AddJob(std::string(kHostileName) + ".avi", 4.0, 1.0, 3.0);
    m_options.bitrate = 6; // 128 kbit/s
    m_options.sampleRate = 6; // 48000 Hz

    ConvertAudio(m_context, m_runner, m_options, index);

    const JobRecord job = Job(index);
    EXPECT_EQ(job.stateIcon, JobState::Done) << job.failureReason;
    EXPECT_EQ(job.finished, 1);
    // No figure of the encoded time is asked for: a status line counts only
    // by its chunk's first report, and a conversion this short may hand over
    // its opening report and its last in one chunk.
    const std::string output = AudioOutputPath(m_output.Folder(), job.outputTitle, GetParam().kind);
    ASSERT_TRUE(fs::exists(output));
    EXPECT_EQ(Probe(output, "stream=codec_name", "a:0"), GetParam().codec);
    EXPECT_EQ(Probe(output, "stream=sample_rate", "a:0"), "48000");
    const std::optional<double> duration = ProbeDuration(output);
    ASSERT_TRUE(duration);
    EXPECT_NEAR(*duration, 2.0, 0.1);
}

INSTANTIATE_TEST_SUITE_P(AudioKinds, AudioConversion,
    ::testing::Values(AudioCase { 0, "mp3" }, AudioCase { 1, "wmav2" }, AudioCase { 2, "pcm_s16le" },
        AudioCase { 3, "mp2" }, AudioCase { 4, "ac3" }),
    [](const auto& info) { return std::string(AudioExtension(info.param.kind)->substr(1)); });

TEST_F(ConversionTest, AFileOfTheOutputsNameStaysAndTheOutputIsNumbered)
{
    m_context.outputKind = { OutputCategory::Audio, 0 };
    const int index = AddJob("song.avi", 2.0, 0.0, 1.0);
    const std::string users = m_output.File("song.mp3");
    RunProgram({ "cp", Job(index).sourcePath, users });
    const std::string before = FileContents(users);
    ConvertAudio(m_context, m_runner, m_options, index);
    EXPECT_EQ(FileContents(users), before);
    EXPECT_EQ(Job(index).outputPath, m_output.File("song2.mp3"));
    EXPECT_EQ(Probe(m_output.File("song2.mp3"), "stream=codec_name", "a:0"), "mp3");
}

TEST_F(ConversionTest, StoppingAnAudioConversionKeepsAPlayablePartAndNoProcess)
{
    m_context.outputKind = { OutputCategory::Audio, 0 };
    const int index = AddJob("long.avi", 60.0, 0.0, 60.0, 64, 48);
    StopAfterFirstProgress([this] { StopEncoderJob(m_context, m_runner); });
    ConvertAudio(m_context, m_runner, m_options, index);
    const JobRecord job = Job(index);
    EXPECT_EQ(job.stateIcon, JobState::Stopped);
    EXPECT_EQ(job.finished, 0);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
    const std::optional<double> duration = ProbeDuration(m_output.File("long.mp3"));
    // Audio encodes fast: the file may be whole or partial, but it plays.
    ASSERT_TRUE(duration);
    EXPECT_GT(*duration, 0.0);
}

TEST_F(ConversionTest, AMissingEncoderFailsTheJob)
{
    m_context.outputKind = { OutputCategory::Audio, 0 };
    m_context.toolDirectory = m_sources.Folder();
    const int index = AddJob("song.avi", 1.0, 0.0, 1.0);
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", "/nonexistent", 1);
    ConvertAudio(m_context, m_runner, m_options, index);
    ::setenv("PATH", path.c_str(), 1);
    const JobRecord job = Job(index);
    EXPECT_TRUE(job.failed);
    EXPECT_NE(job.failureReason.find("tarvoconverter"), std::string::npos) << job.failureReason;
}

TEST_F(ConversionTest, ASilentSourceFailsTheJobSayingItHasNoSoundAndLeavesNoFile)
{
    m_context.outputKind = { OutputCategory::Audio, 0 };
    const int index = AddJob("silent.avi", 1.0, 0.0, 1.0);
    ASSERT_TRUE(MakeClip(Job(index).sourcePath, 1.0, 160, 120, { "-an" }));
    ConvertAudio(m_context, m_runner, m_options, index);
    const JobRecord job = Job(index);
    EXPECT_TRUE(job.failed);
    EXPECT_NE(job.failureReason.find("the source has no sound"), std::string::npos) << job.failureReason;
    EXPECT_FALSE(fs::exists(AudioOutputPath(m_output.Folder(), job.outputTitle, 0)));
}
