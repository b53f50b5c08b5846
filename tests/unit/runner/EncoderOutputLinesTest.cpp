// The encoder's last lines as a failed job keeps them.
#include "runner/EncoderOutputLines.h"

#include <gtest/gtest.h>

#include <string>

using namespace kelvara;

TEST(EncoderOutputLines, KeepsTheLastLinesWhateverTheLineEnds)
{
    EXPECT_EQ(LastEncoderLines("a\nb\r\nc\rd", 3), "b\nc\nd");
    EXPECT_EQ(LastEncoderLines("a\n\n\nb\n", 5), "a\nb");
    EXPECT_EQ(LastEncoderLines("", 5), "");
    EXPECT_EQ(LastEncoderLines("only", 0), "");
}

TEST(EncoderOutputLines, ARunOfStatusLinesLeavesOnlyItsLastOne)
{
    const std::string text = "Input #0, from 'a.avi':\n"
                             "frame=    1 q=2.0 size=      10kB time=1.00 bitrate= 8.0kbits/s\r"
                             "frame=    2 q=2.0 size=      20kB time=2.00 bitrate= 8.0kbits/s\r"
                             "Error while decoding stream #0:0\n"
                             "frame=    3 q=2.0 size=      30kB time=3.00 bitrate= 8.0kbits/s\n"
                             "Conversion failed!\n";
    EXPECT_EQ(LastEncoderLines(text, 20),
        "Input #0, from 'a.avi':\n"
        "frame=    2 q=2.0 size=      20kB time=2.00 bitrate= 8.0kbits/s\n"
        "Error while decoding stream #0:0\n"
        "frame=    3 q=2.0 size=      30kB time=3.00 bitrate= 8.0kbits/s\n"
        "Conversion failed!");
    // A status line needs both its size and its time.
    EXPECT_FALSE(IsEncoderStatusLine("size=12"));
    EXPECT_TRUE(IsEncoderStatusLine("size=  12kB time=0.40"));
}

TEST(EncoderOutputLines, AJobKeepsTwentyLinesByDefault)
{
    std::string text;
    for (int n = 1; n <= 30; ++n)
        text += "line " + std::to_string(n) + "\n";
    const std::string kept = LastEncoderLines(text);
    EXPECT_EQ(kept.substr(0, 8), "line 11\n");
    EXPECT_EQ(kept.substr(kept.size() - 7), "line 30");
}

TEST(EncoderOutputLines, WhatTheEncoderSaidBesidesItsProgressLeavesOutEveryStatusLine)
{
    const std::string text = "Input #0\n"
                             "frame=    1 q=2.0 size=      10kB time=1.00 bitrate= 8.0kbits/s\r"
                             "Error while decoding\n"
                             "frame=    2 q=2.0 size=      20kB time=2.00 bitrate= 8.0kbits/s\n"
                             "Conversion failed!\n"
                             "frame=    3 q=2.0 size=      30kB time=3.00 bitrate= 8.0kbits/s\n";
    EXPECT_EQ(LastEncoderLines(text, 2, StatusLines::Dropped), "Error while decoding\nConversion failed!");
    EXPECT_EQ(LastEncoderLines(text, 9, StatusLines::Dropped),
        "Input #0\nError while decoding\nConversion failed!");
}
