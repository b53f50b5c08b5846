// Which command lines would write over the job's source: any argument that
// names the source file except an input, however the path is spelled.
#include "conversions/SourceGuard.h"
#include "process/CommandLine.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kelvara;
using kelvara::testing::TempFolder;

namespace {

TEST(SourceGuard, ACommandThatWritesTheSourceUnderAnySpellingIsCaught)
{
    TempFolder folder;
    const std::string source = folder.File("it's a song.mp3");
    std::ofstream(source) << "the source";
    std::filesystem::create_symlink(source, folder.File("link.mp3"));
    const std::string input = "tarvoconverter -i " + QuoteArgument(source) + " -ab 128 ";

    EXPECT_TRUE(CommandWouldOverwriteSource(input + QuoteArgument(source), source, "/"));
    EXPECT_TRUE(CommandWouldOverwriteSource(input + QuoteArgument(folder.File("link.mp3")), source, "/"));
    EXPECT_TRUE(CommandWouldOverwriteSource(
        input + QuoteArgument(folder.Folder() + "./" + "it's a song.mp3"), source, "/"));
    // A relative output is where the command runs.
    EXPECT_TRUE(CommandWouldOverwriteSource(input + "'it'\\''s a song.mp3'", source, folder.Folder()));
    // A second output after the first counts too.
    EXPECT_TRUE(CommandWouldOverwriteSource(
        input + QuoteArgument(folder.File("other.mp3")) + " -vn " + QuoteArgument(source), source, "/"));
}

TEST(SourceGuard, ReadingTheSourceOrWritingElsewhereIsFine)
{
    TempFolder folder;
    const std::string source = folder.File("song.mp3");
    std::ofstream(source) << "the source";
    const std::string input = "tarvoconverter -i " + QuoteArgument(source);

    EXPECT_FALSE(
        CommandWouldOverwriteSource(input + " " + QuoteArgument(folder.File("song.wav")), source, "/"));
    EXPECT_FALSE(CommandWouldOverwriteSource(input + " -ss 1 -t 2 out.mp3", source, folder.Folder()));
    // A file of the same contents is another file.
    std::ofstream(folder.File("copy.mp3")) << "the source";
    EXPECT_FALSE(
        CommandWouldOverwriteSource(input + " " + QuoteArgument(folder.File("copy.mp3")), source, "/"));
    EXPECT_FALSE(CommandWouldOverwriteSource(input + " 'unclosed", source, "/"));
    EXPECT_FALSE(WouldOverwriteSource("", source));
}

} // namespace
