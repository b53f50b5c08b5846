// Reading the command lines that Kelvara's builders and profiles write.
#include "RequestParser.h"
#include "TimeArguments.h"

#include <gtest/gtest.h>

using namespace kelvara::tarvo;

namespace {

using Arguments = std::vector<std::string>;

Request parsed(const Arguments& arguments)
{
    ParsedCommandLine result = ParseCommandLine(arguments);
    EXPECT_TRUE(result.request) << result.error;
    return result.request.value_or(Request {});
}

TEST(TimeText, ReadsClockTimesAndSecondsAndNothingElse)
{
    EXPECT_EQ(ParseTimeText("01:00:50"), 3650.0);
    EXPECT_EQ(ParseTimeText("100:00:00"), 360000.0); // hours are not limited to two digits
    EXPECT_EQ(ParseTimeText("02:30.5"), 150.5);
    EXPECT_EQ(ParseTimeText("0.001"), 0.001);
    // The builders write milliseconds.
    EXPECT_DOUBLE_EQ(ParseTimeText("00:00:01.990").value_or(0), 1.99);
    EXPECT_DOUBLE_EQ(ParseTimeText("01:00:50.400").value_or(0), 3650.4);
    EXPECT_DOUBLE_EQ(ParseTimeText("111:06:40.999").value_or(0), 400000.999);
    for (const char* text : { "", "-5", "soon", "00:61:00", "1:2:3:4", "1.5:00", "12:", "1e3" })
        EXPECT_FALSE(ParseTimeText(text)) << text;
}

TEST(CommandLine, StillPictureCommandOfTheBuilder)
{
    // Empty pieces of the builder's format come through as empty arguments at most.
    const Request request = parsed({ "-i", "/in/clip.avi", "-f", "image2", "-ss", "00:01:23", "", "-t",
        "0.001", "-s", "320*240", "/out/clip.jpg" });

    EXPECT_EQ(request.inputs.at(0).path, "/in/clip.avi");
    EXPECT_EQ(request.startSeconds, 83.0);
    const OutputRequest& output = request.outputs.at(0);
    EXPECT_EQ(output.path, "/out/clip.jpg");
    EXPECT_TRUE(output.pictureRequested);
    EXPECT_TRUE(output.singleFrame);
    EXPECT_FALSE(output.lengthSeconds);
    EXPECT_EQ(output.size->width, 320);
    EXPECT_EQ(output.size->height, 240);
    EXPECT_TRUE(output.ffmpegOptions.empty());
}

TEST(CommandLine, ABlankStartOrLengthMeansTheWholeInput)
{
    // A profile template quotes '$START' and '$LENGTH', which are one blank
    // each when the job is read from its intermediate file.
    const Request request
        = parsed({ "-i", "/tmp/clip_12345.avi", "-ss", " ", "-t", " ", "-vcodec", "mpeg4", "/out/clip.avi" });
    EXPECT_FALSE(request.startSeconds);
    EXPECT_FALSE(request.outputs.at(0).lengthSeconds);
    EXPECT_FALSE(request.outputs.at(0).singleFrame);
}

TEST(CommandLine, ABlankStartBeforeTheInputIsDroppedToo)
{
    const Request request = parsed({ "-ss", " ", "-i", "/tmp/clip_12345.avi", "-t", " ", "/out/clip.avi" });
    EXPECT_TRUE(request.inputs.at(0).options.empty());
    EXPECT_FALSE(request.outputs.at(0).lengthSeconds);
}

TEST(CommandLine, BareArgumentsBeforeTheLastAreFurtherOutputsWithTheirOwnOptions)
{
    const Request request = parsed({ "-i", "/in/clip.avi", "-ss", "5", "-vcodec", "mpeg4", "-b:v", "768k",
        "-an", "/out/X0001.avi", "-noautorotate", "-ab", "64k", "/out/X0001.mp3" });

    ASSERT_EQ(request.outputs.size(), 2u);
    EXPECT_EQ(request.startSeconds, 5.0);
    EXPECT_EQ(request.outputs[0].path, "/out/X0001.avi");
    EXPECT_EQ(request.outputs[0].ffmpegOptions, (Arguments { "-vcodec", "mpeg4", "-b:v", "768k", "-an" }));
    EXPECT_FALSE(request.outputs[0].audioBitrateKbps);
    EXPECT_EQ(request.outputs[1].path, "/out/X0001.mp3");
    EXPECT_EQ(request.outputs[1].ffmpegOptions, (Arguments { "-noautorotate" }));
    EXPECT_EQ(request.outputs[1].audioBitrateKbps, 64);
}

TEST(CommandLine, TheLastArgumentIsTheOutputWhateverOptionComesBeforeIt)
{
    // An option the table does not know is taken to want a value; right
    // before the output it keeps none, so the output is never its value.
    for (const char* option : { "-some_future_switch", "-vcodec", "-nostats", "-an" }) {
        const Request request = parsed({ "-i", "/in/clip.avi", "-ab", "96", option, "/out/clip.mp3" });
        ASSERT_EQ(request.outputs.size(), 1u) << option;
        EXPECT_EQ(request.outputs[0].path, "/out/clip.mp3") << option;
        EXPECT_EQ(request.outputs[0].ffmpegOptions, (Arguments { option })) << option;
        EXPECT_EQ(request.outputs[0].audioBitrateKbps, 96) << option;
    }
}

TEST(CommandLine, SwitchesTheOldListLackedEndAnOutputWithoutTakingItsPath)
{
    // "-find_stream_info" and the "no" forms take no value; "-autorotate"
    // and "-autoscale" look like switches but take one (the old list had
    // them as switches, so their "0" became an output file).
    const Request request
        = parsed({ "-find_stream_info", "-i", "/in/clip.avi", "-t", "4", "-autoscale", "0", "-noautorotate",
            "-an", "-nofind_stream_info", "/out/X0001.avi", "-t", "4", "-nostdin", "-vn", "/out/X0001.mp3" });
    EXPECT_EQ(request.inputs.at(0).options, (Arguments { "-find_stream_info" }));
    ASSERT_EQ(request.outputs.size(), 2u);
    EXPECT_EQ(request.outputs[0].path, "/out/X0001.avi");
    EXPECT_EQ(request.outputs[0].ffmpegOptions,
        (Arguments { "-autoscale", "0", "-noautorotate", "-an", "-nofind_stream_info" }));
    EXPECT_EQ(request.outputs[0].lengthSeconds, 4.0);
    EXPECT_EQ(request.outputs[1].path, "/out/X0001.mp3");
    EXPECT_EQ(request.outputs[1].ffmpegOptions, (Arguments { "-nostdin", "-vn" }));
}

TEST(CommandLine, CodecAndFormatOptionsTakeTheirValues)
{
    const Request request = parsed({ "-i", "/in/clip.avi", "-preset", "fast", "-movflags", "+faststart",
        "-profile:v", "main", "-x264-params", "keyint=50", "/out/clip.mp4" });
    ASSERT_EQ(request.outputs.size(), 1u);
    EXPECT_EQ(request.outputs[0].ffmpegOptions.size(), 8u);
}

TEST(CommandLine, RejectsBrokenCommandLinesWithAReason)
{
    const std::vector<Arguments> broken {
        { "/out/a.mp3" },
        { "-i", "/in/a.avi" },
        { "-i", "/in/a.avi", "/out/a.mp3", "-y" },
        { "-i", "/in/a.avi", "-t", "soon", "/out/a.mp3" },
        { "-i", "/in/a.avi", "-s", "0*240", "/out/a.png" },
        { "-i", "/in/a.avi", "-ar", "-5", "/out/a.mp3" },
        { "-i", "/in/a.avi", "-ab" },
        { "-i", "", "/out/a.mp3" },
        { "-i", "/in/a.avi", "-ab", "/out/a.mp3" },
        { "-i", "/in/a.avi", "-s", "/out/a.png" },
        { "-i", "/in/a.avi", "" },
    };
    for (const Arguments& arguments : broken) {
        const ParsedCommandLine result = ParseCommandLine(arguments);
        EXPECT_FALSE(result.request) << arguments.back();
        EXPECT_FALSE(result.error.empty()) << arguments.back();
    }
}

} // namespace
