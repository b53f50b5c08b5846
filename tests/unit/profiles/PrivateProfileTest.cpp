#include "platform/PrivateProfile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;
using kelvara::platform::ReadProfileSection;
using kelvara::platform::ReadProfileSectionNames;
using kelvara::platform::ReadProfileString;
using kelvara::testing::TempFolder;

namespace {

constexpr std::size_t kLarge = 65535;

TEST(PrivateProfileReading, SectionNamesComeInFileOrderWithDuplicatesKept)
{
    TempFolder folder;
    const auto path = folder.Write(
        "a.ini", "stray=before any section\n[Info]\nA=1\n[profile1]\n[ profile0 ]\nB=2\n[Info]\nA=3\n");
    EXPECT_EQ(ReadProfileSectionNames(path, kLarge), "Info\0profile1\0profile0\0Info\0\0"s);
}

TEST(PrivateProfileReading, MissingOrEmptyFileGivesAnEmptyList)
{
    TempFolder folder;
    EXPECT_EQ(ReadProfileSectionNames((folder.Path() / "none.ini").string(), kLarge), "\0\0"s);
    EXPECT_EQ(ReadProfileSectionNames(folder.Write("empty.ini", ""), kLarge), "\0\0"s);
    EXPECT_EQ(ReadProfileSection(folder.Write("e2.ini", ""), "Info", kLarge), "\0\0"s);
}

TEST(PrivateProfileReading, SectionLinesAreTrimmedAndKeepTheirOrder)
{
    TempFolder folder;
    const auto path = folder.Write("a.ini",
        "[P]\r\n  Title =  Two words  \r\n\r\n; a comment\r\nCmd=run -vf scale=1:2\r\n"
        "just a line\r\n=no key\r\nEmpty=\r\n");
    EXPECT_EQ(ReadProfileSection(path, "P", kLarge),
        "Title=Two words\0Cmd=run -vf scale=1:2\0just a line\0=no key\0Empty=\0\0"s);
}

TEST(PrivateProfileReading, NamesMatchWithoutRegardToCaseAndTheFirstMatchWins)
{
    TempFolder folder;
    const auto path
        = folder.Write("a.ini", "[Profile0]\nTitle=first\ntitle=second\n[PROFILE0]\nTitle=other\n");
    EXPECT_EQ(ReadProfileString(path, "profile0", "TITLE", "", 1024), "first");
    EXPECT_EQ(ReadProfileSection(path, "pRoFiLe0", kLarge), "Title=first\0title=second\0\0"s);
}

TEST(PrivateProfileReading, MissingKeyOrLineWithoutValueGivesTheDefault)
{
    TempFolder folder;
    const auto path = folder.Write("a.ini", "[S]\nbare\nKey=\n");
    EXPECT_EQ(ReadProfileString(path, "S", "absent", "dflt", 1024), "dflt");
    EXPECT_EQ(ReadProfileString(path, "S", "bare", "dflt", 1024), "dflt");
    EXPECT_EQ(ReadProfileString(path, "S", "Key", "dflt", 1024), "");
    EXPECT_EQ(ReadProfileString(path, "Nope", "Key", "dflt", 1024), "dflt");
}

TEST(PrivateProfileLimits, LongLinesAreCutAtTheLineBuffer)
{
    TempFolder folder;
    const std::string value(1500, 'v');
    const auto path = folder.Write("a.ini", "[S]\nK=" + value + "\nNext=1\n");
    const std::string cut = "K=" + std::string(1021, 'v');
    EXPECT_EQ(ReadProfileSection(path, "S", kLarge), cut + "\0Next=1\0\0"s);
    // A section name line that loses its closing bracket is no section header.
    const auto names = folder.Write("n.ini", "[" + std::string(1100, 'n') + "]\n[Short]\n");
    EXPECT_EQ(ReadProfileSectionNames(names, kLarge), "Short\0\0"s);
}

TEST(PrivateProfileLimits, ListThatDoesNotFitEndsInACutItemAndTwoZeros)
{
    TempFolder folder;
    const auto path = folder.Write("a.ini", "[S]\nAlpha=1\nBeta=22\n");
    EXPECT_EQ(ReadProfileSection(path, "S", 17), "Alpha=1\0Beta=22\0\0"s);
    EXPECT_EQ(ReadProfileSection(path, "S", 16), "Alpha=1\0Beta=2\0\0"s);
    EXPECT_EQ(ReadProfileSection(path, "S", 12), "Alpha=1\0Be\0\0"s);
    EXPECT_EQ(ReadProfileSection(path, "S", 1), "");
}

TEST(PrivateProfileLimits, SectionContentIsCutAtTheBufferSize)
{
    TempFolder folder;
    std::string text = "[Big]\n";
    for (int i = 0; i < 100; ++i)
        text += "Line" + std::to_string(i) + "=" + std::string(1000, 'x') + "\n";
    const auto path = folder.Write("big.ini", text);
    const std::string content = ReadProfileSection(path, "Big", kLarge);
    ASSERT_EQ(content.size(), kLarge);
    EXPECT_EQ(content.substr(kLarge - 2), "\0\0"s);
    EXPECT_EQ(content.substr(0, 7), "Line0=x");
}

TEST(PrivateProfileLimits, StringIsCutToOneLessThanTheBuffer)
{
    TempFolder folder;
    const auto path = folder.Write("a.ini", "[S]\nK=abcdefgh\n");
    EXPECT_EQ(ReadProfileString(path, "S", "K", "", 5), "abcd");
    EXPECT_EQ(ReadProfileString(path, "S", "missing", "0123456789", 5), "0123");
    EXPECT_EQ(ReadProfileString(path, "S", "K", "", 1024), "abcdefgh");
}

} // namespace
