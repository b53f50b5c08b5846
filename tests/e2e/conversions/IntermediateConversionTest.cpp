#include "ConversionFixture.h"

#include "conversions/DeviceConversions.h"
#include "conversions/EncoderConversions.h"
#include "conversions/VideoEditConversions.h"
#include "jobs/JobCreation.h"
#include "jobs/RandomNumbers.h"
#include "naming/OutputNaming.h"
#include "videoedit/CVideoEdit.h"

#include <QObject>

#include <filesystem>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

// Sources the encoder is not given directly: DVD VOB, RealMedia, VCD DAT.
struct SourceCase {
    const char* name;
    std::vector<std::string> options;
};

class IntermediateConversion : public ConversionTest, public ::testing::WithParamInterface<SourceCase> {
protected:
    IntermediateConversion()
    {
        QObject::connect(
            &m_component, &CVideoEdit::ConvertComplete, [this] { m_conversions.OnVideoEditComplete(); });
        QObject::connect(&m_component, &CVideoEdit::ConvertProgress,
            [this](double position, double total) { m_conversions.OnVideoEditProgress(position, total); });
    }

    int AddSource(double trimStart, double trimEnd)
    {
        const std::string path = m_sources.File(std::string(kHostileName) + "." + GetParam().name);
        EXPECT_TRUE(MakeClip(path, 4.0, 352, 288, GetParam().options)) << path;
        JobRecord job = CreateJobRecord(path, m_component, m_numbers, m_jobs,
            DefaultAviCodecs(m_component.VideoCodecs(), m_component.AudioCodecs()));
        EXPECT_TRUE(job.NeedsIntermediateFile());
        job.trimStartMs = trimStart * 1000.0;
        job.trimEndMs = trimEnd * 1000.0;
        const int index = m_jobs.Add(job);
        m_context.currentJob = index;
        m_context.startTick = 0;
        return index;
    }

    CVideoEdit m_component;
    RandomNumbers m_numbers;
    VideoEditConversions m_conversions { m_context, m_component, m_options, m_numbers };
};

} // namespace

TEST_P(IntermediateConversion, AnMp3IsMadeFromTheIntermediateFileAndStopsAtTheTrim)
{
    m_context.outputKind = { OutputCategory::Audio, 0 };
    const int index = AddSource(1.0, 3.0);
    ASSERT_TRUE(m_conversions.MakeIntermediateFile(index)) << Job(index).run.outcome;
    const std::string intermediate = Job(index).intermediatePath;
    EXPECT_TRUE(fs::exists(intermediate));
    EXPECT_EQ(Job(index).stage, JobStage::Encoding);

    ConvertAudio(m_context, m_runner, m_options, index);

    const JobRecord job = Job(index);
    EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
    EXPECT_FALSE(fs::exists(intermediate));
    const std::optional<double> duration = ProbeDuration(m_output.Folder() + job.outputTitle + ".mp3");
    ASSERT_TRUE(duration);
    EXPECT_NEAR(*duration, 2.0, 0.3);
}

TEST_P(IntermediateConversion, AStillPictureIsTakenAtTheTrimStart)
{
    m_context.outputKind = { OutputCategory::PcVideo, static_cast<int>(PcKind::Image) };
    m_options.picture = 4;
    const int index = AddSource(2.0, 3.0);
    ASSERT_TRUE(m_conversions.MakeIntermediateFile(index)) << Job(index).run.outcome;
    ConvertImage(m_context, m_runner, m_options, index);

    const JobRecord job = Job(index);
    EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
    const std::string picture = m_output.Folder() + job.outputTitle + ".jpg";
    EXPECT_EQ(Probe(picture, "stream=codec_name", "v:0"), "mjpeg");
    EXPECT_EQ(Probe(picture, "stream=width", "v:0"), std::to_string(job.outputWidth));
}

TEST_P(IntermediateConversion, ADeviceProfileReadsTheWholeIntermediateFile)
{
    // Profiles get a blank start and length for an intermediate file.
    m_context.outputKind = { OutputCategory::MobileVideo, static_cast<int>(MobileKind::PocketPc) };
    const int index = AddSource(1.0, 3.0);
    ASSERT_TRUE(m_conversions.MakeIntermediateFile(index)) << Job(index).run.outcome;
    DeviceChoice choice;
    choice.profilePosition = 2;
    ConvertXboxOrPocketPc(m_context, m_runner, choice, index);

    const JobRecord job = Job(index);
    EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
    const std::optional<double> duration = ProbeDuration(m_output.Folder() + job.outputTitle + ".avi");
    ASSERT_TRUE(duration);
    EXPECT_NEAR(*duration, 2.0, 0.3);
    std::filesystem::remove(job.intermediatePath);
}

INSTANTIATE_TEST_SUITE_P(Sources, IntermediateConversion,
    ::testing::Values(SourceCase { "vob", { "-c:v", "mpeg2video", "-c:a", "mp2", "-f", "vob" } },
        SourceCase { "rm", { "-c:v", "rv10", "-c:a", "ac3", "-f", "rm" } },
        SourceCase { "rmvb", { "-c:v", "rv20", "-c:a", "ac3", "-f", "rm" } },
        SourceCase { "dat", { "-target", "pal-vcd", "-f", "vcd" } }),
    [](const auto& info) { return std::string(info.param.name); });
