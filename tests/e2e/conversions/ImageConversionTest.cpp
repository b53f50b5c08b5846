#include "ConversionFixture.h"
#include "support/FileContents.h"

#include "conversions/EncoderConversions.h"
#include "naming/OutputNaming.h"
#include "runner/EncoderStop.h"

#include <filesystem>
#include <regex>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

class ImageConversion : public ConversionTest, public ::testing::WithParamInterface<int> {
protected:
    ImageConversion() { m_context.outputKind = { OutputCategory::PcVideo, static_cast<int>(PcKind::Image) }; }
};

// A reader we did not write opens the picture and, where it can tell, finds
// the chosen size.
void ExpectReadablePicture(const std::string& path, int width, int height)
{
    const std::string extension = fs::path(path).extension().string();
    if (extension == ".eps") {
        EXPECT_TRUE(
            ReaderOpens({ "gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=nullpage", path }));
    } else if (extension == ".pdf") {
        const CommandResult info = RunProgram({ "pdfinfo", path });
        EXPECT_EQ(info.exitCode, 0) << info.output;
        EXPECT_TRUE(std::regex_search(info.output, std::regex("Pages:\\s+1\\n"))) << info.output;
    } else if (extension == ".psd") {
        const CommandResult identify = RunProgram({ "identify", "-format", "%w %h", path });
        EXPECT_EQ(identify.exitCode, 0) << identify.output;
        EXPECT_NE(
            identify.output.find(std::to_string(width) + " " + std::to_string(height)), std::string::npos)
            << identify.output;
    } else if (extension == ".wmf") {
        EXPECT_TRUE(ReaderOpens({ "wmf2svg", "-o", path + ".svg", path }));
    } else if (extension == ".emf") {
        EXPECT_TRUE(ReaderOpens({ "emf2svg-conv", "-i", path, "-o", path + ".svg" }));
    } else {
        EXPECT_EQ(Probe(path, "stream=width", "v:0"), std::to_string(width)) << path;
        EXPECT_EQ(Probe(path, "stream=height", "v:0"), std::to_string(height)) << path;
    }
}

} // namespace

TEST_P(ImageConversion, EveryPictureTypeIsWrittenAtTheChosenSize)
{
    const int index = AddJob(std::string(kHostileName) + ".avi", 3.0, 1.0, 2.0);
    JobRecord job = Job(index);
    job.outputWidth = 96;
    job.outputHeight = 72;
    m_jobs.SetAt(index, job);
    m_options.picture = GetParam();

    ConvertImage(m_context, m_runner, m_options, index);

    job = Job(index);
    EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
    EXPECT_EQ(job.finished, 1);
    const std::string output = ImageOutputPath(m_output.Folder(), job.outputTitle, GetParam());
    ASSERT_TRUE(fs::exists(output)) << output;
    ExpectReadablePicture(output, 96, 72);
}

INSTANTIATE_TEST_SUITE_P(PictureTypes, ImageConversion, ::testing::Range(0, 13));

TEST_F(ConversionTest, AGifAnimationLastsAsLongAsTheTrim)
{
    m_context.outputKind = { OutputCategory::PcVideo, static_cast<int>(PcKind::Image) };
    const int index = AddJob("clip.avi", 4.0, 1.0, 3.0);
    m_options.picture = 0;
    m_options.original = true;
    ConvertImage(m_context, m_runner, m_options, index);
    const std::string output = m_output.File("clip.gif");
    ASSERT_TRUE(fs::exists(output)) << Job(index).run.outcome;
    const std::optional<double> duration = ProbeDuration(output);
    ASSERT_TRUE(duration);
    EXPECT_NEAR(*duration, 2.0, 0.15);
    EXPECT_EQ(Probe(output, "stream=width", "v:0"), "160");
}

TEST_F(ConversionTest, AGifAnimationTrimKeepsItsMilliseconds)
{
    m_context.outputKind = { OutputCategory::PcVideo, static_cast<int>(PcKind::Image) };
    const int index = AddJob("split.avi", 4.0, 0.5, 1.7);
    m_options.picture = 0;
    ConvertImage(m_context, m_runner, m_options, index);
    const std::optional<double> duration = ProbeDuration(m_output.File("split.gif"));
    ASSERT_TRUE(duration) << Job(index).run.outcome;
    EXPECT_NEAR(*duration, 1.2, 1.0 / 15) << "within one frame of the animation";
}

TEST_F(ConversionTest, AnImageFromAMissingSourceFails)
{
    m_context.outputKind = { OutputCategory::PcVideo, static_cast<int>(PcKind::Image) };
    const int index = AddJob("clip.avi", 1.0, 0.0, 1.0);
    JobRecord job = Job(index);
    fs::remove(job.sourcePath);
    ConvertImage(m_context, m_runner, m_options, index);
    job = Job(index);
    EXPECT_TRUE(job.failed);
    EXPECT_NE(job.stateIcon, JobState::Done);
    EXPECT_EQ(job.finished, 0);
    EXPECT_FALSE(job.run.outcome.empty());
}

TEST_F(ConversionTest, AnImageFromASourceWithoutPictureSaysSo)
{
    m_context.outputKind = { OutputCategory::PcVideo, static_cast<int>(PcKind::Image) };
    const int index = AddJob("sound only.mp3", 1.0, 0.0, 1.0);
    ASSERT_TRUE(MakeClip(Job(index).sourcePath, 1.0, 160, 120, { "-vn" }));
    for (const int picture : { 0, 4 }) { // a GIF animation and a still picture
        m_options.picture = picture;
        ConvertImage(m_context, m_runner, m_options, index);
        const JobRecord job = Job(index);
        EXPECT_TRUE(job.failed) << picture;
        EXPECT_NE(job.run.outcome.find("the source has no picture"), std::string::npos) << job.run.outcome;
    }
    EXPECT_EQ(EntriesIn(m_output.Folder()), 0u);
}

TEST_F(ConversionTest, StoppingAGifAnimationLeavesTheJobStoppedAndNoProcess)
{
    m_context.outputKind = { OutputCategory::PcVideo, static_cast<int>(PcKind::Image) };
    const int index = AddJob("long.avi", 30.0, 0.0, 30.0, 320, 240);
    m_options.picture = 0;
    StopAfterFirstProgress([this] { StopEncoderJob(m_context, m_runner); });
    ConvertImage(m_context, m_runner, m_options, index);
    const JobRecord job = Job(index);
    EXPECT_EQ(job.stateIcon, JobState::Stopped);
    EXPECT_EQ(job.finished, 0);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}
