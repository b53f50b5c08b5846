#include "ConversionFixture.h"
#include "support/FileContents.h"

#include "conversions/EncoderConversions.h"
#include "naming/OutputNaming.h"
#include "runner/EncoderStop.h"

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
    EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
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

namespace {

// The length of the sound ffmpeg decodes from `path`, without the MP3
// encoder's delay and padding that a container's duration counts; nothing
// for a file that does not decode, such as one of headers only.
std::optional<double> DecodedSeconds(const std::string& path, const std::string& decoded)
{
    if (!ReaderOpens({ "ffmpeg", "-v", "error", "-y", "-i", path, "-vn", decoded }))
        return std::nullopt;
    return ProbeDuration(decoded);
}

} // namespace

// A start of 1.99 s is not 1 s, a trim to the end of a 7.6 s clip is not
// cut at 7 s, a clip of 0.119 s gives an MP3 that plays, and a trim that
// holds nothing fails instead of leaving a file of headers "finished".
TEST_F(ConversionTest, TrimsComeOutToTheMillisecondAndAFinishedOutputDecodes)
{
    // One MP3 frame of 1152 samples at 44.1 kHz.
    constexpr double kAudioPacket = 1152.0 / 44100.0;
    struct Case {
        const char* name;
        double seconds, start, end;
        double expected; // below 0: the job fails; 0: to the end of the source's sound
    };
    const Case cases[] = {
        { "to the end.avi", 7.6, 1.99, 7.6, 0.0 },
        { "middle.avi", 7.6, 1.99, 4.255, 2.265 },
        { "blip.wav", 0.119, 0.0, 0.119, 0.119 },
        { "empty.avi", 2.0, 1.0, 1.0, -1.0 },
    };
    m_context.outputKind = { OutputCategory::Audio, 0 };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int index = AddJob(c.name, c.seconds, c.start, c.end);
        ConvertAudio(m_context, m_runner, m_options, index);
        const JobRecord job = Job(index);
        const std::string output = AudioOutputPath(m_output.Folder(), job.outputTitle, 0);
        if (c.expected < 0.0) {
            EXPECT_NE(job.run.outcome.find("nothing was encoded"), std::string::npos) << job.run.outcome;
            EXPECT_EQ(job.finished, 0);
            EXPECT_FALSE(fs::exists(output));
            continue;
        }
        ASSERT_EQ(job.finished, 1) << job.run.outcome;
        const std::optional<double> decoded = DecodedSeconds(output, m_sources.File("decoded.wav"));
        ASSERT_TRUE(decoded) << "the output does not decode";
        const double expected = c.expected > 0.0
            ? c.expected
            : DecodedSeconds(job.sourcePath, m_sources.File("source.wav")).value_or(0.0) - c.start;
        EXPECT_NEAR(*decoded, expected, kAudioPacket);
    }
}

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
    EXPECT_NE(job.run.outcome.find("tarvoconverter"), std::string::npos) << job.run.outcome;
}

TEST_F(ConversionTest, ASilentSourceFailsTheJobSayingItHasNoSoundAndLeavesNoFile)
{
    m_context.outputKind = { OutputCategory::Audio, 0 };
    const int index = AddJob("silent.avi", 1.0, 0.0, 1.0);
    ASSERT_TRUE(MakeClip(Job(index).sourcePath, 1.0, 160, 120, { "-an" }));
    ConvertAudio(m_context, m_runner, m_options, index);
    const JobRecord job = Job(index);
    EXPECT_TRUE(job.failed);
    EXPECT_NE(job.run.outcome.find("the source has no sound"), std::string::npos) << job.run.outcome;
    EXPECT_FALSE(fs::exists(AudioOutputPath(m_output.Folder(), job.outputTitle, 0)));
}

// The later kinds from a 5.1 source with side channels (which libopus
// refuses as it is): each file holds the trimmed part at the rate its codec
// has nearest the one chosen, all six channels and the file's name as its
// title; the two .m4a kinds number past each other; a silent source gets
// the plain reason and no file, although ALAC's command names an encoder.
TEST_F(ConversionTest, LaterAudioKindsWriteTheirCodecRateChannelsAndTitle)
{
    struct Case {
        AudioKind kind;
        const char* codec;
        const char* sampleRate;
        const char* fileName;
    };
    const Case cases[] = {
        { AudioKind::Flac, "flac", "44100", "song.flac" },
        { AudioKind::Opus, "opus", "48000", "song.opus" },
        { AudioKind::Aac, "aac", "44100", "song.m4a" },
        { AudioKind::Vorbis, "vorbis", "44100", "song.ogg" },
        { AudioKind::Alac, "alac", "44100", "song2.m4a" },
    };
    m_options.bitrate = 11; // 320 kbit/s, more than Opus takes for some sources
    m_options.sampleRate = 5; // 44100 Hz, which Opus does not have
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        m_context.outputKind = { OutputCategory::Audio, static_cast<int>(c.kind) };
        const int index = AddJob("song.avi", 4.0, 1.0, 3.0);
        ASSERT_TRUE(MakeClip(Job(index).sourcePath, 4.0, 160, 120,
            { "-af", "aformat=channel_layouts=5.1(side)", "-c:a", "pcm_s16le" }));
        ConvertAudio(m_context, m_runner, m_options, index);
        const JobRecord job = Job(index);
        ASSERT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
        EXPECT_EQ(fs::path(job.outputPath).filename(), c.fileName);
        EXPECT_EQ(Probe(job.outputPath, "stream=codec_name", "a:0"), c.codec);
        EXPECT_EQ(Probe(job.outputPath, "stream=sample_rate", "a:0"), c.sampleRate);
        EXPECT_EQ(Probe(job.outputPath, "stream=channels", "a:0"), "6");
        const std::string title = fs::path(c.fileName).stem().string();
        EXPECT_EQ(Probe(job.outputPath, "format_tags=title")
                      .value_or(Probe(job.outputPath, "stream_tags=title", "a:0").value_or("")),
            title);
        EXPECT_NEAR(ProbeDuration(job.outputPath).value_or(0.0), 2.0, 0.1);

        const int silent = AddJob("silent.avi", 1.0, 0.0, 1.0);
        ASSERT_TRUE(MakeClip(Job(silent).sourcePath, 1.0, 160, 120, { "-an" }));
        ConvertAudio(m_context, m_runner, m_options, silent);
        EXPECT_TRUE(Job(silent).failed);
        EXPECT_NE(Job(silent).run.outcome.find("the source has no sound"), std::string::npos)
            << Job(silent).run.outcome;
        EXPECT_FALSE(fs::exists(AudioOutputPath(m_output.Folder(), "silent", static_cast<int>(c.kind))));
    }
}
