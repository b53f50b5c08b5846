#include "ConversionFixture.h"

#include "conversions/DeviceConversions.h"
#include "naming/OutputNaming.h"
#include "runner/EncoderStop.h"

#include <filesystem>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

struct DeviceCase {
    MobileKind device;
    int profile;
    const char* name;
};

class DeviceConversion : public ConversionTest, public ::testing::WithParamInterface<DeviceCase> {
protected:
    void Convert(int index)
    {
        m_context.outputKind = { OutputCategory::MobileVideo, static_cast<int>(GetParam().device) };
        DeviceChoice choice;
        choice.profilePosition = GetParam().profile;
        switch (GetParam().device) {
        case MobileKind::Psp:
            ConvertPsp(m_context, m_runner, choice, index);
            break;
        case MobileKind::Pmp:
            ConvertPmp(m_context, m_runner, choice, index);
            break;
        default:
            ConvertXboxOrPocketPc(m_context, m_runner, choice, index);
        }
    }

    std::string Output(const JobRecord& job) const
    {
        OutTypeSelections selections;
        selections.pspProfilePosition = GetParam().profile;
        return m_output.Folder() + OutTypeText(m_context.outputKind, job, selections);
    }
};

} // namespace

TEST_P(DeviceConversion, TheShippedProfileWritesAFileOfTheTrimmedPart)
{
    const int index = AddJob(std::string(kHostileName) + ".avi", 4.0, 1.0, 3.0, 320, 240);
    JobRecord job = Job(index);
    job.fileNumber = 23456;
    m_jobs.SetAt(index, job);
    Convert(index);

    job = Job(index);
    EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
    const std::string output = Output(job);
    ASSERT_TRUE(fs::exists(output)) << output;
    EXPECT_TRUE(Probe(output, "stream=codec_name", "v:0")) << output;
    EXPECT_TRUE(Probe(output, "stream=codec_name", "a:0")) << output;
    const std::optional<double> duration = ProbeDuration(output);
    ASSERT_TRUE(duration) << output;
    EXPECT_NEAR(*duration, 2.0, 0.2);
    if (GetParam().device == MobileKind::Pmp) {
        EXPECT_FALSE(fs::exists(PmpFirstStepVideoPath(m_output.Folder(), job.outputTitle)));
        EXPECT_FALSE(fs::exists(PmpFirstStepAudioPath(m_output.Folder(), job.outputTitle)));
    }
    if (GetParam().device == MobileKind::Psp) {
        EXPECT_TRUE(fs::exists(m_output.Folder() + PspOutputFileName(23456, GetParam().profile) + ".THM"));
    }
}

TEST_P(DeviceConversion, StopLeavesTheJobStoppedAndNoProcess)
{
    const int index = AddJob("long.avi", 30.0, 0.0, 30.0, 320, 240);
    StopAfterFirstProgress([this] { StopEncoderJob(m_context, m_runner); });
    Convert(index);
    const JobRecord job = Job(index);
    EXPECT_EQ(job.stateIcon, JobState::Stopped);
    EXPECT_EQ(job.stage, JobStage::Canceled);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
    if (GetParam().device == MobileKind::Pmp) {
        EXPECT_FALSE(fs::exists(PmpFirstStepVideoPath(m_output.Folder(), job.outputTitle)));
        EXPECT_FALSE(fs::exists(PmpFirstStepAudioPath(m_output.Folder(), job.outputTitle)));
    }
}

INSTANTIATE_TEST_SUITE_P(StartProfiles, DeviceConversion,
    ::testing::Values(DeviceCase { MobileKind::Psp, 7, "PspStart" },
        DeviceCase { MobileKind::Psp, 17, "PspH264" }, DeviceCase { MobileKind::Xbox360, 2, "XboxStart" },
        DeviceCase { MobileKind::PocketPc, 2, "PocketPcStart" },
        DeviceCase { MobileKind::Pmp, 1, "PmpStart" }),
    [](const auto& info) { return std::string(info.param.name); });
