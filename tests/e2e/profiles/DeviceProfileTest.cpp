// Every profile of every shipped profile file, run on a small clip with a
// trim, and its outputs judged by ffprobe and ffmpeg.
#include "MediaTools.h"
#include "PmpJudge.h"
#include "ProfileRun.h"
#include "naming/OutputNaming.h"
#include "options/ProfileIni.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

constexpr double kTrimStartMs = 1000;
constexpr double kTrimEndMs = 2000;
constexpr double kTrimSeconds = (kTrimEndMs - kTrimStartMs) / 1000.0;

struct ProfileCase {
    DeviceKind device;
    int profile;
};

std::string DeviceName(DeviceKind device);

// Names the case in test listings instead of its bytes.
void PrintTo(const ProfileCase& value, std::ostream* stream)
{
    *stream << DeviceName(value.device) << " profile " << value.profile;
}

std::string DeviceName(DeviceKind device)
{
    switch (device) {
    case DeviceKind::Psp:
        return "Psp";
    case DeviceKind::Xbox360:
        return "Xbox360";
    case DeviceKind::PocketPc:
        return "PocketPc";
    case DeviceKind::Pmp:
        return "Pmp";
    default: // today's video kinds have their own test
        break;
    }
    return "Unknown";
}

int ProfileCount(DeviceKind device)
{
    ProfileIni ini;
    ini.Open(ProfileFilePath(device).string());
    std::vector<std::string> names;
    return ini.GetSectionNames(names) - 1;
}

std::vector<ProfileCase> AllProfiles()
{
    std::vector<ProfileCase> cases;
    for (DeviceKind device :
        { DeviceKind::Psp, DeviceKind::Xbox360, DeviceKind::PocketPc, DeviceKind::Pmp }) {
        for (int profile = 0; profile < ProfileCount(device); ++profile)
            cases.push_back({ device, profile });
    }
    return cases;
}

struct FrameSize {
    int width = 0;
    int height = 0;
};

FrameSize SizeOf(const std::string& text)
{
    const std::size_t x = text.find('x');
    return { std::atoi(text.c_str()), x == std::string::npos ? 0 : std::atoi(text.c_str() + x + 1) };
}

// A folder with the source clip; the outputs go into a subfolder.
class ProfileOutputs {
public:
    explicit ProfileOutputs(const std::string& sourceName, const std::string& outputName)
    {
        m_folder = fs::temp_directory_path() / ("kelvara-profiles-" + std::to_string(getpid()));
        fs::create_directories(m_folder / outputName);
        m_output = (m_folder / outputName).string() + "/";
        m_job.sourcePath = (m_folder / sourceName).string();
        const std::string base = fs::path(sourceName).stem().string();
        m_job.outputTitle = base;
        m_job.titleText = base;
        m_job.titleCopy = base;
        m_job.trimStartMs = kTrimStartMs;
        m_job.trimEndMs = kTrimEndMs;
        m_job.durationMs = 3000;
        m_job.fileNumber = 12345;
        m_sourceMade = MakeSourceClip(m_job.sourcePath, 3.0, "160x120");
    }
    ~ProfileOutputs() { fs::remove_all(m_folder); }

    bool SourceMade() const { return m_sourceMade; }
    const JobRecord& Job() const { return m_job; }
    const std::string& Folder() const { return m_output; }
    fs::path File(const std::string& name) const { return fs::path(m_output + name); }

private:
    fs::path m_folder;
    std::string m_output;
    JobRecord m_job;
    bool m_sourceMade = false;
};

void ExpectStepsSucceeded(const std::vector<StepResult>& steps)
{
    for (const StepResult& step : steps)
        EXPECT_EQ(step.run.exitCode, 0) << step.command << "\n" << step.run.output;
}

double ProfileFrameRate(DeviceKind device, int profile)
{
    return std::atof(ProfileValue(device, profile, DeviceList::FrameRate).c_str());
}

// The video stream has the profile's size and frame rate and lasts as long
// as the trim, within two frames; the file as a whole nearly so.
void ExpectVideoOfTheProfile(const ProbeFacts& facts, DeviceKind device, int profile)
{
    const ProbeFacts video = StreamOf(facts, "video");
    ASSERT_FALSE(video.empty());
    const FrameSize size = SizeOf(ProfileValue(device, profile, DeviceList::VideoSize));
    EXPECT_EQ(NumberOf(video, "width"), size.width);
    EXPECT_EQ(NumberOf(video, "height"), size.height);
    const double rate = ProfileFrameRate(device, profile);
    // MPEG-2 knows no 14.985 fps; the encoder writes the nearest rate it has.
    if (!(device == DeviceKind::Xbox360 && rate < 15)) {
        EXPECT_NEAR(RateOf(video.at("r_frame_rate")), rate, 0.01);
    }
    const double codedRate = RateOf(video.at("r_frame_rate"));
    const double seconds = NumberOf(video, "nb_read_frames") / codedRate;
    EXPECT_NEAR(seconds, kTrimSeconds, 2.0 / codedRate) << NumberOf(video, "nb_read_frames");
    EXPECT_NEAR(NumberOf(facts, "format.duration"), kTrimSeconds, 0.12);
}

void ExpectVideoBitrateNear(const ProbeFacts& facts, DeviceKind device, int profile)
{
    // One second leaves a rate control little room: the first key frame
    // weighs much. The ceiling still catches a rate that was never set.
    const double nominal = std::atof(ProfileValue(device, profile, DeviceList::VideoBitrate).c_str());
    double bitrate = NumberOf(StreamOf(facts, "video"), "bit_rate");
    if (bitrate <= 0)
        bitrate = NumberOf(facts, "format.bit_rate");
    EXPECT_LT(bitrate, 2.0 * nominal * 1000 + 400000) << "nominal " << nominal << " kbit/s";
}

void ExpectAudio(const ProbeFacts& facts, const std::string& codec, int channels)
{
    const ProbeFacts audio = StreamOf(facts, "audio");
    ASSERT_FALSE(audio.empty());
    EXPECT_EQ(audio.at("codec_name"), codec);
    EXPECT_EQ(NumberOf(audio, "channels"), channels);
}

int ProfileChannels(DeviceKind device, int profile)
{
    return std::atoi(ProfileValue(device, profile, DeviceList::Channel).c_str());
}

void JudgePsp(const ProfileOutputs& outputs, int profile)
{
    const std::string name = PspOutputFileName(outputs.Job().fileNumber, profile);
    const ProbeFacts thumbnail = Probe(outputs.File(name + ".THM"));
    const ProbeFacts picture = StreamOf(thumbnail, "video");
    ASSERT_FALSE(picture.empty()) << "no thumbnail " << name << ".THM";
    EXPECT_EQ(picture.at("codec_name"), "mjpeg");
    EXPECT_EQ(NumberOf(picture, "width"), 160);
    EXPECT_EQ(NumberOf(picture, "height"), 120);

    const ProbeFacts facts = Probe(outputs.File(name + ".MP4"));
    ASSERT_FALSE(facts.empty()) << "no " << name << ".MP4";
    EXPECT_EQ(facts.at("format.tags.major_brand"), "MSNV");
    ExpectVideoOfTheProfile(facts, DeviceKind::Psp, profile);
    ExpectVideoBitrateNear(facts, DeviceKind::Psp, profile);
    ExpectAudio(facts, "aac", ProfileChannels(DeviceKind::Psp, profile));
    const ProbeFacts video = StreamOf(facts, "video");
    if (profile < kFirstPspH264Profile) {
        EXPECT_EQ(video.at("codec_name"), "mpeg4");
        EXPECT_EQ(video.at("profile"), "Simple Profile");
    } else {
        EXPECT_EQ(video.at("codec_name"), "h264");
        EXPECT_EQ(video.at("profile"), "Main");
        const bool large = NumberOf(video, "width") > 480;
        EXPECT_LE(NumberOf(video, "level"), large ? 30 : 21);
    }
    EXPECT_EQ(StreamOf(facts, "audio").at("profile"), "LC");
}

void JudgeXbox(const ProfileOutputs& outputs, int profile)
{
    const ProbeFacts facts = Probe(outputs.File(outputs.Job().outputTitle + ".mpg"));
    ASSERT_FALSE(facts.empty());
    EXPECT_EQ(facts.at("format.format_name"), "mpeg");
    const ProbeFacts video = StreamOf(facts, "video");
    EXPECT_EQ(video.at("codec_name"), "mpeg2video");
    EXPECT_EQ(
        video.at("display_aspect_ratio"), ProfileValue(DeviceKind::Xbox360, profile, DeviceList::Aspect));
    ExpectVideoOfTheProfile(facts, DeviceKind::Xbox360, profile);
    ExpectVideoBitrateNear(facts, DeviceKind::Xbox360, profile);
    ExpectAudio(facts, "ac3", ProfileChannels(DeviceKind::Xbox360, profile));
}

void JudgePocketPc(const ProfileOutputs& outputs, int profile)
{
    const ProbeFacts facts = Probe(outputs.File(outputs.Job().outputTitle + ".avi"));
    ASSERT_FALSE(facts.empty());
    EXPECT_EQ(facts.at("format.format_name"), "avi");
    const ProbeFacts video = StreamOf(facts, "video");
    EXPECT_EQ(video.at("codec_name"), "mpeg4");
    EXPECT_EQ(video.at("codec_tag_string"), "XVID");
    EXPECT_EQ(video.at("profile"), "Advanced Simple Profile");
    ExpectVideoOfTheProfile(facts, DeviceKind::PocketPc, profile);
    ExpectVideoBitrateNear(facts, DeviceKind::PocketPc, profile);
    ExpectAudio(facts, "mp3", ProfileChannels(DeviceKind::PocketPc, profile));
}

void JudgePmp(const ProfileOutputs& outputs, int profile)
{
    const std::string& title = outputs.Job().outputTitle;
    EXPECT_FALSE(fs::exists(outputs.File(title + "0001.avi")));
    EXPECT_FALSE(fs::exists(outputs.File(title + "0001.mp3")));
    const FrameSize size = SizeOf(ProfileValue(DeviceKind::Pmp, profile, DeviceList::VideoSize));
    const double rate = ProfileFrameRate(DeviceKind::Pmp, profile);
    ProfileIni ini;
    ini.Open(ProfileFilePath(DeviceKind::Pmp).string());
    const bool h264 = ReadProfileAt(ini, profile).Line(1).find("libx264") != std::string::npos;
    ExpectPlayablePmp(outputs.File(title + ".pmp"),
        { h264 ? "h264" : "mpeg4", size.width, size.height,
            static_cast<int>(std::lround(rate * kTrimSeconds)),
            std::atoi(ProfileValue(DeviceKind::Pmp, profile, DeviceList::AudioSample).c_str()), 2 });
}

void Judge(const ProfileOutputs& outputs, DeviceKind device, int profile)
{
    switch (device) {
    case DeviceKind::Psp:
        return JudgePsp(outputs, profile);
    case DeviceKind::Xbox360:
        return JudgeXbox(outputs, profile);
    case DeviceKind::PocketPc:
        return JudgePocketPc(outputs, profile);
    case DeviceKind::Pmp:
        return JudgePmp(outputs, profile);
    default:
        FAIL() << "not one of the four devices";
    }
}

class EveryProfile : public ::testing::TestWithParam<ProfileCase> { };

TEST_P(EveryProfile, MakesAPlayableFileOfTheTrim)
{
    const auto [device, profile] = GetParam();
    const ProfileOutputs outputs("clip.avi", "out");
    ASSERT_TRUE(outputs.SourceMade());
    const auto steps = RunDeviceProfile(device, profile, outputs.Job(), outputs.Folder());
    ExpectStepsSucceeded(steps);
    Judge(outputs, device, profile);
}

INSTANTIATE_TEST_SUITE_P(ShippedFiles, EveryProfile, ::testing::ValuesIn(AllProfiles()),
    [](const ::testing::TestParamInfo<ProfileCase>& info) {
        return DeviceName(info.param.device) + "Profile" + std::to_string(info.param.profile);
    });

// Blanks, quotes, "$" words and non-ASCII letters in the source name and
// in the output folder reach the tools as they are.
class HostileNames : public ::testing::TestWithParam<ProfileCase> { };

TEST_P(HostileNames, SurviveEveryStep)
{
    const auto [device, profile] = GetParam();
    const ProfileOutputs outputs(
        "it's a \"clip\" $SIZE $OUTPUT_DIR Ünïcødé ` \\ & ;.avi", "out 'dir' $TITLE ñ");
    ASSERT_TRUE(outputs.SourceMade());
    const auto steps = RunDeviceProfile(device, profile, outputs.Job(), outputs.Folder());
    ExpectStepsSucceeded(steps);
    Judge(outputs, device, profile);
}

INSTANTIATE_TEST_SUITE_P(ShippedFiles, HostileNames,
    ::testing::Values(ProfileCase { DeviceKind::Pmp, 1 }, ProfileCase { DeviceKind::PocketPc, 2 },
        ProfileCase { DeviceKind::Psp, 7 }),
    [](const ::testing::TestParamInfo<ProfileCase>& info) {
        return DeviceName(info.param.device) + "Profile" + std::to_string(info.param.profile);
    });

} // namespace
