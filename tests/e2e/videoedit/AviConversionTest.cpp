// AVI conversions through videoedit-cli with every offered video and audio
// codec, judged by ffprobe.
#include "VideoEditTestSupport.h"

#include "support/MediaMaker.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace kelvara::testing;

namespace {

constexpr double kSourceSeconds = 2.0;
constexpr double kStart = 0.4;
constexpr double kEnd = 1.6;
constexpr double kTrim = kEnd - kStart;

struct Expected {
    const char* namePrefix;
    const char* codec; // ffprobe's codec_name
    const char* tag; // ffprobe's codec_tag_string; "" when any
};

// What each offered name promises, as ffprobe reports it.
const Expected kVideo[] = {
    { "DivX", "mpeg4", "DX50" },
    { "Xvid", "mpeg4", "XVID" },
    { "Microsoft MPEG-4 Video Codec V3", "msmpeg4v3", "MP43" },
    { "Microsoft MPEG-4 Video Codec V2", "msmpeg4v2", "MP42" },
    { "H.264", "h264", "H264" },
    { "Motion JPEG", "mjpeg", "MJPG" },
    { "HuffYUV", "huffyuv", "HFYU" },
    { "FFV1", "ffv1", "FFV1" },
    { "Uncompressed", "rawvideo", "" },
};
const Expected kAudio[] = {
    { "MPEG Layer-3", "mp3", "" },
    { "PCM", "pcm_s16le", "" },
    { "MPEG Layer-2", "mp2", "" },
    { "AC-3", "ac3", "" },
    { "Microsoft ADPCM", "adpcm_ms", "" },
    { "IMA ADPCM", "adpcm_ima_wav", "" },
};

template <std::size_t N> const Expected* ExpectationFor(const Expected (&table)[N], const std::string& name)
{
    for (const Expected& expected : table) {
        if (name.rfind(expected.namePrefix, 0) == 0)
            return &expected;
    }
    return nullptr;
}

class AviConversion : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_source = m_folder.File(std::string(kHostileName) + ".mp4");
        ASSERT_TRUE(MakeClip(m_source, kSourceSeconds, 160, 120));
    }

    // Converts the trim with these extra options and checks what every AVI
    // conversion must give; returns the output path.
    std::string Convert(const std::string& name, const std::vector<std::string>& options)
    {
        const std::string output = m_folder.File(name + " out.avi");
        std::vector<std::string> arguments = { "convert", "--format", "8" };
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), { "--start", "0.4", "--end", "1.6", m_source, output });
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(run.completions, 1) << run.output;
        const std::string fault = ProgressFault(run.progress, kTrim);
        EXPECT_TRUE(fault.empty()) << fault << "\n" << run.output;
        EXPECT_EQ(ProbeEntries(output, "")["format_name"], "avi");
        return output;
    }

    TempFolder m_folder;
    std::string m_source;
};

// Frames in the file against the trim at that rate: a frame or two apart.
void ExpectTrimmedLength(const std::map<std::string, std::string>& video, double framesPerSecond)
{
    const double frames = std::atof(video.at("nb_read_frames").c_str());
    EXPECT_NEAR(frames, kTrim * framesPerSecond, 2.0);
}

} // namespace

TEST_F(AviConversion, EveryVideoCodecGivesItsStreamAtTheChosenSizeAndRate)
{
    const std::vector<std::string> names = CliCodecNames("video");
    ASSERT_GE(names.size(), 9u);
    for (std::size_t index = 0; index < names.size(); ++index) {
        SCOPED_TRACE(names[index]);
        const Expected* expected = ExpectationFor(kVideo, names[index]);
        ASSERT_NE(expected, nullptr);
        const std::string output = Convert("video " + std::to_string(index),
            { "--vcodec", std::to_string(index), "--acodec", "0", "--width", "176", "--height", "144",
                "--fps", "15" });
        const auto video = ProbeEntries(output, "v:0");
        ASSERT_FALSE(video.empty());
        EXPECT_EQ(video.at("codec_name"), expected->codec);
        if (*expected->tag) {
            EXPECT_EQ(video.at("codec_tag_string"), expected->tag);
        }
        EXPECT_EQ(video.at("width"), "176");
        EXPECT_EQ(video.at("height"), "144");
        EXPECT_EQ(video.at("r_frame_rate"), "15/1");
        ExpectTrimmedLength(video, 15.0);
        EXPECT_EQ(ProbeEntries(output, "a:0")["codec_name"], "mp3");
    }
}

TEST_F(AviConversion, EveryAudioCodecGivesItsStream)
{
    const std::vector<std::string> names = CliCodecNames("audio");
    ASSERT_GE(names.size(), 6u);
    for (std::size_t index = 0; index < names.size(); ++index) {
        SCOPED_TRACE(names[index]);
        const Expected* expected = ExpectationFor(kAudio, names[index]);
        ASSERT_NE(expected, nullptr);
        // 22050 Hz is a rate AC-3 does not have: the component must still
        // make a file, at the nearest rate the codec takes.
        const std::string output = Convert("audio " + std::to_string(index),
            { "--vcodec", "0", "--acodec", std::to_string(index), "--rate", "22050", "--abitrate", "96" });
        const auto audio = ProbeEntries(output, "a:0");
        ASSERT_FALSE(audio.empty());
        EXPECT_EQ(audio.at("codec_name"), expected->codec);
        EXPECT_EQ(audio.at("channels"), "2");
        const bool ac3 = std::string(expected->codec) == "ac3";
        EXPECT_EQ(audio.at("sample_rate"), ac3 ? "32000" : "22050");
        // Within a video frame or two of the trim (plus one audio packet).
        const std::optional<double> seconds = StreamEndSeconds(output, "a:0");
        ASSERT_TRUE(seconds.has_value());
        EXPECT_NEAR(*seconds, kTrim, 0.1);
        EXPECT_EQ(ProbeEntries(output, "v:0")["codec_name"], "mpeg4");
    }
}

TEST_F(AviConversion, NtscRatesAreExactAndOddSizesBecomeEven)
{
    const std::string output = Convert("ntsc", { "--fps", "29.97", "--width", "175", "--height", "131" });
    const auto video = ProbeEntries(output, "v:0");
    ASSERT_FALSE(video.empty());
    EXPECT_EQ(video.at("r_frame_rate"), "30000/1001");
    EXPECT_EQ(video.at("width"), "174");
    EXPECT_EQ(video.at("height"), "130");
    ExpectTrimmedLength(video, 30000.0 / 1001.0);

    const auto film = ProbeEntries(Convert("film", { "--fps", "23.97" }), "v:0");
    ASSERT_FALSE(film.empty());
    EXPECT_EQ(film.at("r_frame_rate"), "24000/1001");
}

TEST_F(AviConversion, NoSizeKeepsTheSourcesSize)
{
    const auto video = ProbeEntries(Convert("source size", { "--width", "0", "--height", "0" }), "v:0");
    ASSERT_FALSE(video.empty());
    EXPECT_EQ(video.at("width"), "160");
    EXPECT_EQ(video.at("height"), "120");
    EXPECT_EQ(video.at("r_frame_rate"), "25/1");
}
