#include "process/CommandLine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using kelvara::QuoteArgument;
using kelvara::SplitCommandLine;
using Arguments = std::vector<std::string>;

TEST(CommandLine, SplitsAtBlanksAndKeepsQuotedTextWhole)
{
    EXPECT_EQ(SplitCommandLine("tarvoconverter -i 'a b.avi'   -ab 128  'out put.mp3'"),
        (Arguments { "tarvoconverter", "-i", "a b.avi", "-ab", "128", "out put.mp3" }));
    EXPECT_EQ(SplitCommandLine("a \"b c\" d\\ e ''"), (Arguments { "a", "b c", "d e", "" }));
    EXPECT_EQ(SplitCommandLine("x\"y\"'z'"), (Arguments { "xyz" }));
    EXPECT_EQ(SplitCommandLine("   "), Arguments {});
}

TEST(CommandLine, DoubleQuotesEscapeOnlyTheirSpecialCharacters)
{
    EXPECT_EQ(SplitCommandLine(R"("a\"b\\c\d\$")"), (Arguments { R"(a"b\c\d$)" }));
}

TEST(CommandLine, UnclosedQuotesAndATrailingBackslashAreRefused)
{
    EXPECT_FALSE(SplitCommandLine("tarvoconverter -i 'open.avi"));
    EXPECT_FALSE(SplitCommandLine("tarvoconverter -i \"open.avi"));
    EXPECT_FALSE(SplitCommandLine("tarvoconverter \\"));
}

TEST(CommandLine, HostileFileNamesComeBackAsOneArgumentUnchanged)
{
    const std::vector<std::string> names = {
        "plain.avi",
        "with blanks  and\ttabs.avi",
        "it's.avi",
        "''''",
        "\"double\" quotes.mp4",
        "$HOME and $(rm -rf x) `date`.avi",
        "back\\slash\\'\\.avi",
        "très «joli» 日本語.mkv",
        "line\nbreak.avi",
        "",
    };
    for (const std::string& name : names) {
        const std::string line = "tarvoconverter -i " + QuoteArgument(name) + " " + QuoteArgument(name);
        EXPECT_EQ(SplitCommandLine(line), (Arguments { "tarvoconverter", "-i", name, name })) << name;
    }
}

TEST(CommandLine, AnyByteStringSurvivesQuoting)
{
    std::mt19937 engine(12345);
    std::uniform_int_distribution<int> byte(1, 255);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 2000; ++round) {
        std::string name;
        for (int i = length(engine); i > 0; --i)
            name += static_cast<char>(byte(engine));
        EXPECT_EQ(SplitCommandLine("x " + QuoteArgument(name)), (Arguments { "x", name }));
    }
}
