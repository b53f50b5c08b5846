// Reading the command lines that Kelvara's builders and profiles write.
#include "CommandLine.h"
#include "TimeText.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

Request parsed(const std::vector<std::string>& arguments)
{
    ParsedCommandLine result = parseCommandLine(arguments);
    EXPECT_TRUE(result.request) << result.error;
    return result.request.value_or(Request {});
}

TEST(TimeText, ReadsClockTimesAndSeconds)
{
    EXPECT_EQ(parseTimeText("00:01:23"), 83.0);
    EXPECT_EQ(parseTimeText("01:00:50"), 3650.0);
    EXPECT_EQ(parseTimeText("100:00:00"), 360000.0); // hours are not limited to two digits
    EXPECT_EQ(parseTimeText("02:30"), 150.0);
    EXPECT_EQ(parseTimeText("00:00:01.5"), 1.5);
    EXPECT_EQ(parseTimeText("83"), 83.0);
    EXPECT_EQ(parseTimeText("0.001"), 0.001);
}

TEST(TimeText, RejectsWhatIsNoTime)
{
    for (const char* text : { "", "-5", "soon", "00:61:00", "1:2:3:4", "1.5:00", "12:", ":30", "1e3", "0x10" })
        EXPECT_FALSE(parseTimeText(text)) << text;
}

TEST(CommandLine, StillPictureCommandOfTheBuilder)
{
    const Request request = parsed({ "-i", "/in/clip.avi", "-f", "image2", "-ss", "00:01:23", "-t", "0.001",
        "-s", "320*240", "/out/clip.jpg" });

    ASSERT_EQ(request.inputs.size(), 1u);
    EXPECT_EQ(request.inputs[0].path, "/in/clip.avi");
    EXPECT_EQ(request.startSeconds, 83.0);
    ASSERT_EQ(request.outputs.size(), 1u);
    const OutputRequest& output = request.outputs[0];
    EXPECT_EQ(output.path, "/out/clip.jpg");
    EXPECT_TRUE(output.pictureRequested);
    EXPECT_TRUE(output.singleFrame);
    EXPECT_FALSE(output.lengthSeconds);
    ASSERT_TRUE(output.size);
    EXPECT_EQ(output.size->width, 320);
    EXPECT_EQ(output.size->height, 240);
    EXPECT_TRUE(output.ffmpegOptions.empty());
}

TEST(CommandLine, AudioCommandOfTheBuilder)
{
    const Request request = parsed({ "-i", "/in/song.wav", "-ss", "00:00:00", "-t", "00:00:10", "-ab", "128",
        "-ar", "44100", "/out/song.mp3" });

    const OutputRequest& output = request.outputs.at(0);
    EXPECT_EQ(request.startSeconds, 0.0);
    EXPECT_EQ(output.lengthSeconds, 10.0);
    EXPECT_EQ(output.audioBitrateKbps, 128);
    EXPECT_EQ(output.sampleRateHz, 44100);
    EXPECT_FALSE(output.singleFrame);
}

TEST(CommandLine, EmptyPiecesAndOtherSpellingsAreAccepted)
{
    const Request request = parsed({ "-i", "/in/clip.avi", "", "", "-s", "160x120", "-ab", "64k", "", "/out/a.gif" });

    EXPECT_FALSE(request.startSeconds);
    const OutputRequest& output = request.outputs.at(0);
    EXPECT_EQ(output.size->width, 160);
    EXPECT_EQ(output.audioBitrateKbps, 64);
    EXPECT_FALSE(output.pictureRequested);
}

TEST(CommandLine, TemplateOptionsStayWithTheirOutputInOrder)
{
    const Request request = parsed({ "-i", "/in/clip.avi", "-vcodec", "mpeg4", "-b:v", "768k", "-f", "psp",
        "-aspect", "4:3", "-ac", "2", "/out/M4V00001.MP4" });

    const std::vector<std::string> expected { "-vcodec", "mpeg4", "-b:v", "768k", "-f", "psp", "-aspect", "4:3",
        "-ac", "2" };
    EXPECT_EQ(request.outputs.at(0).ffmpegOptions, expected);
}

TEST(CommandLine, BareArgumentsBeforeTheLastAreFurtherOutputs)
{
    const Request request = parsed({ "-i", "/in/clip.avi", "-ss", "5", "-vcodec", "mpeg4", "-an",
        "/out/X0001.avi", "-vn", "-ab", "64", "/out/X0001.mp3" });

    ASSERT_EQ(request.outputs.size(), 2u);
    EXPECT_EQ(request.startSeconds, 5.0);
    EXPECT_EQ(request.outputs[0].path, "/out/X0001.avi");
    EXPECT_EQ(request.outputs[0].ffmpegOptions, (std::vector<std::string> { "-vcodec", "mpeg4", "-an" }));
    EXPECT_FALSE(request.outputs[0].audioBitrateKbps);
    EXPECT_EQ(request.outputs[1].path, "/out/X0001.mp3");
    EXPECT_EQ(request.outputs[1].ffmpegOptions, (std::vector<std::string> { "-vn" }));
    EXPECT_EQ(request.outputs[1].audioBitrateKbps, 64);
}

TEST(CommandLine, FlagsWithoutValueDoNotSwallowTheFileAfterThem)
{
    const Request request = parsed({ "-i", "/in/a.avi", "-noautorotate", "-shortest", "/out/a.png", "-an:v",
        "/out/b.avi" });

    ASSERT_EQ(request.outputs.size(), 2u);
    EXPECT_EQ(request.outputs[0].ffmpegOptions, (std::vector<std::string> { "-noautorotate", "-shortest" }));
    EXPECT_EQ(request.outputs[1].path, "/out/b.avi");
}

TEST(CommandLine, OptionsBeforeTheInputBelongToIt)
{
    const Request request = parsed({ "-re", "-f", "lavfi", "-i", "sine=duration=2", "-t", "1", "/out/a.wav" });

    ASSERT_EQ(request.inputs.size(), 1u);
    EXPECT_EQ(request.inputs[0].options, (std::vector<std::string> { "-re", "-f", "lavfi" }));
    EXPECT_TRUE(request.inputs[0].hasExplicitFormat);
    EXPECT_EQ(request.outputs.at(0).lengthSeconds, 1.0);
}

TEST(CommandLine, RejectsBrokenCommandLinesWithAReason)
{
    const std::vector<std::vector<std::string>> broken {
        { "/out/a.mp3" },
        { "-i", "/in/a.avi" },
        { "-i", "/in/a.avi", "/out/a.mp3", "-y" },
        { "-i", "/in/a.avi", "-t", "soon", "/out/a.mp3" },
        { "-i", "/in/a.avi", "-s", "big", "/out/a.png" },
        { "-i", "/in/a.avi", "-s", "0*240", "/out/a.png" },
        { "-i", "/in/a.avi", "-ab", "fast", "/out/a.mp3" },
        { "-i", "/in/a.avi", "-ar", "-5", "/out/a.mp3" },
        { "-i", "/in/a.avi", "-ab" },
        { "-i", "", "/out/a.mp3" },
    };
    for (const auto& arguments : broken) {
        const ParsedCommandLine result = parseCommandLine(arguments);
        EXPECT_FALSE(result.request) << arguments.back();
        EXPECT_FALSE(result.error.empty()) << arguments.back();
    }
}

} // namespace
