#include "PmpJudge.h"

#include "MediaTools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

namespace kelvara::testing {

namespace {

// ffmpeg's PMP reader does not look for the end of the file before it reads
// the next packet's audio count, so after the last packet of every file it
// reports "No audio packets.", which ffmpeg may pass on as invalid data.
// Those closing lines are no complaint about the file; anything else is.
std::string WithoutEndOfFileNote(const std::string& messages, const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream stream(messages);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    if (!lines.empty() && lines.back() == path + ": Invalid data found when processing input")
        lines.pop_back();
    if (!lines.empty() && lines.back().starts_with("[pmp @ ")
        && lines.back().ends_with("] No audio packets."))
        lines.pop_back();
    std::string rest;
    for (const std::string& line : lines)
        rest += line + "\n";
    return rest;
}

} // namespace

void ExpectPlayablePmp(const std::filesystem::path& path, const PmpExpectation& expected)
{
    const ProbeFacts facts = Probe(path);
    ASSERT_FALSE(facts.empty()) << "ffprobe cannot read " << path;
    EXPECT_EQ(facts.at("format.format_name"), "pmp");
    const ProbeFacts video = StreamOf(facts, "video");
    const ProbeFacts audio = StreamOf(facts, "audio");
    ASSERT_FALSE(video.empty());
    ASSERT_FALSE(audio.empty());
    EXPECT_EQ(video.at("codec_name"), expected.videoCodec);
    EXPECT_EQ(NumberOf(video, "width"), expected.width);
    EXPECT_EQ(NumberOf(video, "height"), expected.height);
    EXPECT_EQ(NumberOf(video, "nb_frames"), NumberOf(video, "nb_read_frames"));
    EXPECT_LE(std::abs(NumberOf(video, "nb_read_frames") - expected.frames), 1.0)
        << "frames: " << NumberOf(video, "nb_read_frames");
    EXPECT_EQ(audio.at("codec_name"), "mp3");
    EXPECT_EQ(NumberOf(audio, "sample_rate"), expected.sampleRate);
    EXPECT_EQ(NumberOf(audio, "channels"), expected.channels);
    EXPECT_GT(NumberOf(audio, "nb_read_frames"), 0);

    const CommandResult decoded = DecodeToTheEnd(path);
    EXPECT_EQ(decoded.exitCode, 0);
    EXPECT_EQ(WithoutEndOfFileNote(decoded.output, path.string()), "") << decoded.output;
}

} // namespace kelvara::testing
