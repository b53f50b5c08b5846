// Every profile of the video kinds of today, run through the converter on a
// short clip with sound and judged by ffprobe: the codecs the profile names,
// a picture every player opens, and for MP4 the index before the media.
#include "ConversionFixture.h"

#include "conversions/DeviceConversions.h"
#include "options/ProfileIni.h"
#include "options/ProfileKind.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

struct KindProfile {
    OutputKind kind;
    int profile = 0;
    std::string command; // the profile's template, which states what it makes
};

std::vector<KindProfile> AllProfiles()
{
    const std::vector<OutputKind> kinds = { { OutputCategory::PcVideo, static_cast<int>(PcKind::Mp4) },
        { OutputCategory::PcVideo, static_cast<int>(PcKind::Mkv) },
        { OutputCategory::PcVideo, static_cast<int>(PcKind::WebM) },
        { OutputCategory::PcVideo, static_cast<int>(PcKind::Av1) },
        { OutputCategory::MobileVideo, static_cast<int>(MobileKind::PhoneTablet) },
        { OutputCategory::MobileVideo, static_cast<int>(MobileKind::TvStick) },
        { OutputCategory::MobileVideo, static_cast<int>(MobileKind::Web) } };
    std::vector<KindProfile> cases;
    for (const OutputKind& kind : kinds) {
        ProfileIni ini;
        const std::string file(kDeviceProfileFiles[static_cast<std::size_t>(*ProfileKindOf(kind))]);
        ini.Open(std::string(KELVARA_TOOL_DIR) + "/" + file.substr(2));
        std::vector<std::string> names;
        for (int profile = 0; profile + 1 < ini.GetSectionNames(names); ++profile)
            cases.push_back({ kind, profile, ReadProfileAt(ini, profile).Line(1) });
    }
    return cases;
}

// The value after `option` in the command, or empty text.
std::string OptionValue(const std::string& command, const std::string& option)
{
    const std::smatch found = [&] {
        std::smatch match;
        std::regex_search(command, match, std::regex(" " + option + " '?([^ ']+)"));
        return match;
    }();
    return found.empty() ? std::string() : found[1].str();
}

std::string Expected(const std::string& command, const std::map<std::string, std::string>& byWord)
{
    for (const auto& [word, name] : byWord) {
        if (command.find(word) != std::string::npos)
            return name;
    }
    return "?";
}

// The top-level boxes of an MP4 in file order.
std::vector<std::string> TopLevelBoxes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> boxes;
    for (unsigned char header[16]; file.read(reinterpret_cast<char*>(header), 8);) {
        std::uint64_t size
            = (std::uint64_t { header[0] } << 24) | (header[1] << 16) | (header[2] << 8) | header[3];
        boxes.emplace_back(reinterpret_cast<char*>(header) + 4, 4);
        std::uint64_t read = 8;
        if (size == 1 && file.read(reinterpret_cast<char*>(header) + 8, 8)) {
            size = 0;
            for (int i = 8; i < 16; ++i)
                size = (size << 8) | header[i];
            read = 16;
        }
        if (size < read)
            break;
        file.seekg(static_cast<std::streamoff>(size - read), std::ios::cur);
    }
    return boxes;
}

class TodaysVideoConversion : public ConversionTest, public ::testing::WithParamInterface<KindProfile> {
protected:
    void Convert(int index)
    {
        m_context.outputKind = GetParam().kind;
        DeviceChoice choice;
        choice.profilePosition = GetParam().profile;
        // Profile 0 takes the lists' selections: the ones its file names.
        choice.selections = { 0, 1, 0, 3, 1, 0, 1 };
        ConvertXboxOrPocketPc(m_context, m_runner, choice, index);
    }
    std::string Value(const std::string& path, const std::string& entry, const std::string& streams)
    {
        return Probe(path, entry, streams).value_or("");
    }
};

// The kind by its file ("Phone"), and the profile's position.
std::string NameOf(const ::testing::TestParamInfo<KindProfile>& info)
{
    const std::string_view file
        = kDeviceProfileFiles[static_cast<std::size_t>(*ProfileKindOf(info.param.kind))];
    const std::string_view kind = file.substr(file.find("Pro_") + 4);
    return std::string(kind.substr(0, kind.find('.'))) + "_Profile" + std::to_string(info.param.profile);
}

void PrintTo(const KindProfile& value, std::ostream* stream)
{
    *stream << value.command;
}

} // namespace

TEST_P(TodaysVideoConversion, WritesWhatTheProfileStatesForEveryPlayer)
{
    const std::string& command = GetParam().command;
    // Five pictures a second: the profiles keep the source's rate, and a 2160p
    // HEVC profile then encodes ten pictures, not fifty.
    const int index = AddJob("clip.avi", 3.0, 0.5, 2.5);
    ASSERT_EQ(RunProgram(
                  { "ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                      "testsrc2=size=160x120:rate=5:duration=3", "-f", "lavfi", "-i",
                      "sine=frequency=440:sample_rate=44100:duration=3", "-shortest", Job(index).sourcePath })
                  .exitCode,
        0);
    Convert(index);
    const JobRecord job = Job(index);
    ASSERT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
    const std::string output = job.outputPath;
    ASSERT_TRUE(fs::exists(output)) << output;

    EXPECT_EQ(Value(output, "stream=codec_name", "v:0"),
        Expected(command,
            { { "libx264", "h264" }, { "libx265", "hevc" }, { "libvpx-vp9", "vp9" },
                { "libsvtav1", "av1" } }));
    EXPECT_EQ(Value(output, "stream=pix_fmt", "v:0"), "yuv420p");
    const int width = std::atoi(Value(output, "stream=width", "v:0").c_str());
    const int height = std::atoi(Value(output, "stream=height", "v:0").c_str());
    EXPECT_EQ(width % 2, 0);
    EXPECT_EQ(height % 2, 0);
    // A 4:3 source keeps its shape at any height, with square pixels.
    EXPECT_NEAR(width * 3, height * 4, 8) << width << "x" << height;
    const std::string sar = Value(output, "stream=sample_aspect_ratio", "v:0");
    EXPECT_TRUE(sar == "1:1" || sar.empty() || sar == "N/A") << sar;
    EXPECT_NEAR(std::atof(Value(output, "format=duration", "").c_str()), 2.0, 0.25);
    EXPECT_EQ(Value(output, "format_tags=title", ""), "clip");

    if (const std::string profile = OptionValue(command, "-profile:v");
        command.find("libx264") != std::string::npos) {
        EXPECT_EQ(Value(output, "stream=profile", "v:0"),
            Expected(
                profile, { { "high", "High" }, { "main", "Main" }, { "baseline", "Constrained Baseline" } }));
    }
    if (const std::string level = OptionValue(command, "-level:v"); !level.empty())
        EXPECT_EQ(
            Value(output, "stream=level", "v:0"), std::to_string(std::lround(std::atof(level.c_str()) * 10)));
    if (output.ends_with(".mp4")) {
        const std::vector<std::string> boxes = TopLevelBoxes(output);
        const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
        EXPECT_LT(moov - boxes.begin(), std::find(boxes.begin(), boxes.end(), "mdat") - boxes.begin());
    }

    const bool opus = command.find("libopus") != std::string::npos;
    EXPECT_EQ(Value(output, "stream=codec_name", "a:0"), opus ? "opus" : "aac");
    const std::string rate = opus ? "48000" : OptionValue(command, "-ar");
    EXPECT_EQ(Value(output, "stream=sample_rate", "a:0"), rate == "$AUDIOSAMPLE" ? "48000" : rate);
    const std::string channels = OptionValue(command, "-ac");
    EXPECT_EQ(Value(output, "stream=channels", "a:0"), channels == "$CHANNEL" ? "2" : channels);
}

INSTANTIATE_TEST_SUITE_P(ShippedProfiles, TodaysVideoConversion, ::testing::ValuesIn(AllProfiles()), NameOf);

// Sources a video kind cannot be made of as asked: the job says why in the
// words the other kinds use.
TEST_F(ConversionTest, TodaysVideoKindsRefuseASourceWithoutPictureAndKeepASilentOne)
{
    m_context.outputKind = { OutputCategory::PcVideo, static_cast<int>(PcKind::Mp4) };
    DeviceChoice choice;
    choice.profilePosition = 1;

    const int song = AddJob("song.m4a", 1.0, 0.0, 1.0);
    ASSERT_TRUE(MakeClip(Job(song).sourcePath, 1.0, 160, 120, { "-vn" }));
    ConvertXboxOrPocketPc(m_context, m_runner, choice, song);
    EXPECT_TRUE(Job(song).failed);
    EXPECT_NE(Job(song).run.outcome.find("the source has no picture"), std::string::npos)
        << Job(song).run.outcome;
    EXPECT_TRUE(fs::is_empty(m_output.Folder()));

    const int silent = AddJob("silent.avi", 1.0, 0.0, 1.0);
    ASSERT_TRUE(MakeClip(Job(silent).sourcePath, 1.0, 160, 120, { "-an" }));
    ConvertXboxOrPocketPc(m_context, m_runner, choice, silent);
    ASSERT_EQ(Job(silent).stateIcon, JobState::Done) << Job(silent).run.outcome;
    EXPECT_EQ(Probe(Job(silent).outputPath, "stream=codec_name", "v:0"), "h264");
}
