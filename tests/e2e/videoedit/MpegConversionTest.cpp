// The eight MPEG formats through videoedit-cli: VCD, SVCD and DVD streams as
// their standards require them, judged by ffprobe and by the disc authoring
// tools that would have to take them; MPEG-1 and MPEG-2 program streams with
// the size, rate and audio asked for.
#include "VideoEditTestSupport.h"

#include "support/MediaMaker.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ostream>

using namespace kelvara::testing;

namespace {

constexpr double kStart = 0.3;
constexpr double kEnd = 1.5;
constexpr double kTrim = kEnd - kStart;

enum class Authoring { Vcd, Svcd, DvdPal, DvdNtsc, None };

struct Format {
    int value;
    const char* name;
    const char* videoCodec;
    int width;
    int height;
    const char* frameRate;
    const char* audioCodec;
    const char* sampleRate;
    Authoring authoring;
};

void PrintTo(const Format& format, std::ostream* out)
{
    *out << format.name;
}

// Disc formats get properties that do not fit them (320 x 240, 29 Hz,
// 22050 Hz): the standard's values must win.
const std::vector<std::string> kMisfitOptions
    = { "--width", "320", "--height", "240", "--fps", "29", "--rate", "22050", "--abitrate", "224" };

const Format kFormats[] = {
    { 0, "VCD PAL", "mpeg1video", 352, 288, "25/1", "mp2", "44100", Authoring::Vcd },
    { 1, "VCD NTSC", "mpeg1video", 352, 240, "30000/1001", "mp2", "44100", Authoring::Vcd },
    { 2, "SVCD PAL", "mpeg2video", 480, 576, "25/1", "mp2", "44100", Authoring::Svcd },
    { 3, "SVCD NTSC", "mpeg2video", 480, 480, "30000/1001", "mp2", "44100", Authoring::Svcd },
    { 4, "DVD PAL", "mpeg2video", 720, 576, "25/1", "ac3", "48000", Authoring::DvdPal },
    { 5, "DVD NTSC", "mpeg2video", 720, 480, "30000/1001", "ac3", "48000", Authoring::DvdNtsc },
};

class MpegConversion : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_source = m_folder.File(std::string(kHostileName) + ".mp4");
        ASSERT_TRUE(MakeClip(m_source, 2.0, 160, 120));
    }

    std::string Convert(int format, const std::vector<std::string>& options)
    {
        const std::string output = m_folder.File("format " + std::to_string(format) + ".mpg");
        std::vector<std::string> arguments = { "convert", "--format", std::to_string(format) };
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), { "--start", "0.3", "--end", "1.5", m_source, output });
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(run.completions, 1) << run.output;
        const std::string fault = ProgressFault(run.progress, kTrim);
        EXPECT_TRUE(fault.empty()) << fault << "\n" << run.output;
        EXPECT_EQ(ProbeEntries(output, "")["format_name"], "mpeg");
        return output;
    }

    TempFolder m_folder;
    std::string m_source;
};

class DiscConversion : public MpegConversion, public ::testing::WithParamInterface<Format> { };

void ExpectStreams(const std::string& output, const Format& format)
{
    const auto video = ProbeEntries(output, "v:0");
    ASSERT_FALSE(video.empty());
    EXPECT_EQ(video.at("codec_name"), format.videoCodec);
    EXPECT_EQ(video.at("width"), std::to_string(format.width));
    EXPECT_EQ(video.at("height"), std::to_string(format.height));
    EXPECT_EQ(video.at("r_frame_rate"), format.frameRate);
    const double frames = std::atof(video.at("nb_read_frames").c_str());
    EXPECT_NEAR(frames, kTrim * RateValue(format.frameRate), 2.0);
    const auto audio = ProbeEntries(output, "a:0");
    ASSERT_FALSE(audio.empty());
    EXPECT_EQ(audio.at("codec_name"), format.audioCodec);
    EXPECT_EQ(audio.at("sample_rate"), format.sampleRate);
    EXPECT_EQ(audio.at("channels"), "2");
}

// Runs an authoring tool in a folder of its own; returns its output when it
// refused the stream, "" when it took it.
std::string AuthoringRefusal(const std::string& stream, Authoring authoring, const TempFolder& folder)
{
    const std::string work = folder.File("authoring");
    std::vector<std::string> command;
    switch (authoring) {
    case Authoring::Vcd:
    case Authoring::Svcd:
        command = { "vcdimager", "-t", authoring == Authoring::Vcd ? "vcd2" : "svcd",
            "--cue-file=" + work + ".cue", "--bin-file=" + work + ".bin", stream };
        break;
    case Authoring::DvdPal:
    case Authoring::DvdNtsc:
        command = { "env", std::string("VIDEO_FORMAT=") + (authoring == Authoring::DvdPal ? "PAL" : "NTSC"),
            "dvdauthor", "-o", work, "-t", stream };
        break;
    case Authoring::None:
        return {};
    }
    const CommandResult result = RunProgram(command);
    const bool complained
        = result.output.find("WARN") != std::string::npos || result.output.find("ERR") != std::string::npos;
    if (result.exitCode != 0 || complained)
        return result.output;
    return {};
}

} // namespace

TEST_P(DiscConversion, FollowsItsStandard)
{
    const Format& format = GetParam();
    const std::string output = Convert(format.value, kMisfitOptions);
    ExpectStreams(output, format);
    const bool vcd = format.authoring == Authoring::Vcd || format.authoring == Authoring::Svcd;
    ASSERT_TRUE(HasProgram(vcd ? "vcdimager" : "dvdauthor")) << "the authoring tool is not installed";
    const std::string refusal = AuthoringRefusal(output, format.authoring, m_folder);
    EXPECT_TRUE(refusal.empty()) << refusal;
}

INSTANTIATE_TEST_SUITE_P(Standards, DiscConversion, ::testing::ValuesIn(kFormats),
    [](const ::testing::TestParamInfo<Format>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (c == ' ')
                c = '_';
        return name;
    });

// A 16:9 source keeps its shape: a 16:9 DVD, a letterboxed 4:3 VCD whose
// top rows are black.
TEST_F(MpegConversion, WidescreenKeepsItsShape)
{
    m_source = m_folder.File("wide.mp4");
    ASSERT_TRUE(MakeClip(m_source, 2.0, 320, 180));
    EXPECT_EQ(ProbeEntries(Convert(4, {}), "v:0").at("display_aspect_ratio"), "16:9");
    const std::string vcd = Convert(0, {});
    const CommandResult top = RunProgram({ "ffmpeg", "-hide_banner", "-nostats", "-i", vcd, "-frames:v", "1",
        "-vf", "crop=352:30:0:0,signalstats,metadata=print:key=lavfi.signalstats.YAVG", "-f", "null", "-" });
    const std::size_t at = top.output.find("YAVG=");
    ASSERT_NE(at, std::string::npos) << top.output;
    EXPECT_LT(std::atof(top.output.c_str() + at + 5), 20.0) << "the bars above the picture are black";
}

TEST_F(MpegConversion, DvdTakesTheChosenAudioBitrateWithinItsLimits)
{
    const auto chosen = ProbeEntries(Convert(4, { "--abitrate", "192" }), "a:0");
    ASSERT_FALSE(chosen.empty());
    EXPECT_EQ(chosen.at("bit_rate"), "192000");
    // AC-3 on a DVD goes up to 448 kbit/s.
    const auto limited = ProbeEntries(Convert(4, { "--abitrate", "640" }), "a:0");
    ASSERT_FALSE(limited.empty());
    EXPECT_EQ(limited.at("bit_rate"), "448000");
}

TEST_F(MpegConversion, Mpeg1ProgramStreamHasTheChosenSizeRateAndAudio)
{
    // 23.976 is a rate MPEG-1 has; 22050 Hz with 224 kbit/s is not a Layer II
    // combination, so the bitrate is the nearest one that is (160).
    const std::string output = Convert(6,
        { "--width", "320", "--height", "240", "--fps", "23.976", "--rate", "22050", "--abitrate", "224" });
    const Format expected
        = { 6, "MPEG1", "mpeg1video", 320, 240, "24000/1001", "mp2", "22050", Authoring::None };
    ExpectStreams(output, expected);
    const auto audio = ProbeEntries(output, "a:0");
    ASSERT_FALSE(audio.empty());
    EXPECT_EQ(audio.at("bit_rate"), "160000");
}

TEST_F(MpegConversion, Mpeg2ProgramStreamHasTheChosenSizeRateAndAudio)
{
    // "29" from the frame rate list is the NTSC rate: MPEG-2 has no 29.
    const std::string output = Convert(
        7, { "--width", "480", "--height", "360", "--fps", "29", "--rate", "48000", "--abitrate", "128" });
    const Format expected
        = { 7, "MPEG2", "mpeg2video", 480, 360, "30000/1001", "mp2", "48000", Authoring::None };
    ExpectStreams(output, expected);
    const auto audio = ProbeEntries(output, "a:0");
    ASSERT_FALSE(audio.empty());
    EXPECT_EQ(audio.at("bit_rate"), "128000");
}
