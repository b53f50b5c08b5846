// A graphics card that passes its trial frame at start but refuses the real
// job: the job is converted by the software encoder all the same, and the
// refused attempt leaves nothing behind.
#include "ConversionFixture.h"

#include "conversions/DeviceConversions.h"
#include "conversions/HardwareFallback.h"
#include "ffmpeg/FfmpegProgram.h"
#include "ffmpeg/HardwareDetection.h"
#include "support/ScopedVariable.h"

#include <filesystem>
#include <fstream>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

// Lists VA-API's H.264 encoder and encodes the trial frame, refuses the
// device at any other run that asks for it, and is the real ffmpeg for the
// rest. Every call is written to "calls" beside it.
constexpr const char* kRefusingCard = "#!/bin/sh\n"
                                      "dir=$(dirname \"$0\")\n"
                                      "echo \"$*\" >> \"$dir/calls\"\n"
                                      "case \"$*\" in\n"
                                      "*-encoders*) printf ' V....D h264_vaapi x\\n'; exit 0;;\n"
                                      "*lavfi*color=*h264_vaapi*) exit 0;;\n"
                                      "*h264_vaapi*) echo 'No VA display found for device.' >&2; exit 1;;\n"
                                      "esac\n"
                                      "exec ffmpeg \"$@\"\n";

constexpr const char* kProfile
    = "[Info]\nDescription=H.264\nDefaultProfile=0\n\n[profile0]\nTitle=H.264 and AAC\n"
      "Command1=tarvoconverter -ss '$START' -i '$INPUT_FILE' -t '$LENGTH' -c:v libx264 -preset veryfast "
      "-crf 30 -pix_fmt yuv420p -c:a aac '$OUTPUT_DIR$OUTPUT_FILE.mp4'\n";

class HardwareFallback : public ConversionTest { };

} // namespace

TEST_F(HardwareFallback, ACardRefusingTheJobAtItsStartLeavesItToTheSoftwareEncoder)
{
    TempFolder tools;
    fs::create_symlink(std::string(KELVARA_TOOL_DIR) + "/tarvoconverter", tools.Path() / "tarvoconverter");
    tools.Write("TARVO_Pro_Xbox.ini", kProfile);
    const std::string ffmpeg = tools.Write("ffmpeg", kRefusingCard);
    fs::permissions(ffmpeg, fs::perms::owner_all);
    const ScopedVariable standIn(kFfmpegVariable, ffmpeg);
    TempFolder devices;
    devices.Write("renderD128", "");

    DeviceChoice choice;
    choice.graphicsCard = DetectHardwareEncoders({ ffmpeg, devices.Path().string() });
    ASSERT_EQ(choice.graphicsCard.size(), 1U);
    m_context.toolDirectory = tools.Folder();
    m_context.outputKind = { OutputCategory::MobileVideo, static_cast<int>(MobileKind::Xbox360) };
    const int index = AddJob("clip.avi", 3.0, 0.5, 2.5, 320, 240);
    ConvertXboxOrPocketPc(m_context, m_runner, choice, index);

    const JobRecord job = Job(index);
    EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
    EXPECT_NE(job.run.outputTail.find("graphics card refused"), std::string::npos) << job.run.outputTail;
    const std::string output = m_output.File("clip.mp4");
    EXPECT_EQ(Probe(output, "stream=codec_name", "v:0"), "h264");
    const std::optional<double> duration = ProbeDuration(output);
    ASSERT_TRUE(duration);
    EXPECT_NEAR(*duration, 2.0, 0.2);
    // One output, nothing of the refused run beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_output.Path()), fs::directory_iterator()), 1);
    std::ifstream calls(tools.File("calls"));
    int cardRuns = 0;
    for (std::string line; std::getline(calls, line);)
        cardRuns
            += line.find("-vaapi_device") != std::string::npos && line.find("lavfi") == std::string::npos;
    EXPECT_EQ(cardRuns, 1);
}

TEST(CardRefusal, OnlyARefusalAtTheStartIsRunAgain)
{
    struct Case {
        RunOutcome outcome;
        bool madeProgress;
        bool again;
    };
    const Case cases[] = {
        { { true, false, 1, "Error while opening encoder for output stream #0:0" }, false, true },
        { { true, false, 1, "[h264_vaapi @ 0x1] Failed to upload frame" }, true, true },
        { { true, false, 1, "Error writing trailer: No space left on device" }, true, false },
        { { true, true, -1, "" }, false, false }, // stopped by the user
        { { true, false, 0, "" }, false, false }, // ended well
        { { false, false, -1, "Cannot find tarvoconverter" }, false, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CardRefusedAtStart(c.outcome, c.madeProgress), c.again) << c.outcome.reason;
}
