#include "options/ProfileIni.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using kelvara::ProfileIni;
using kelvara::ReadProfileAt;
using kelvara::testing::TempFolder;

namespace {

constexpr const char* kDeviceFile = "[Info]\n"
                                    "Description=Test#device\n"
                                    "DefaultProfile=1\n"
                                    "[profile0]\n"
                                    "Title=Customized\n"
                                    "Command1=tool -s $SIZE\n"
                                    "Command2=other '$INPUT_FILE'\n"
                                    "VideoSize=2\n"
                                    "[profile1]\n"
                                    "Title=Fixed\n"
                                    "Command1=fixed run\n";

TEST(ProfileIniOpen, TellsAFileFromAFolderOrNothing)
{
    TempFolder folder;
    ProfileIni ini;
    EXPECT_TRUE(ini.Open(folder.Write("d.ini", kDeviceFile)));
    EXPECT_FALSE(ini.Open(folder.Path().string()));
    EXPECT_FALSE(ini.Open((folder.Path() / "missing.ini").string()));
}

TEST(ProfileIniSections, MissingOrEmptyFileGivesOneEmptyName)
{
    TempFolder folder;
    ProfileIni ini;
    std::vector<std::string> names { "stale", "entries" };
    ini.Open((folder.Path() / "missing.ini").string());
    EXPECT_EQ(ini.GetSectionNames(names), 1);
    EXPECT_EQ(names, std::vector<std::string> { "" });

    ini.Open(folder.Write("empty.ini", "\n\n"));
    EXPECT_EQ(ini.GetSectionNames(names), 1);
    EXPECT_EQ(names, std::vector<std::string> { "" });
}

TEST(ProfileIniSections, NamesAndLinesComeInFileOrder)
{
    TempFolder folder;
    ProfileIni ini;
    ini.Open(folder.Write("d.ini", kDeviceFile));
    std::vector<std::string> names;
    ASSERT_EQ(ini.GetSectionNames(names), 3);
    EXPECT_EQ(names, (std::vector<std::string> { "Info", "profile0", "profile1" }));

    std::vector<std::string> keys;
    std::vector<std::string> values;
    ASSERT_EQ(ini.GetSection("PROFILE0", keys, values), 4);
    EXPECT_EQ(keys, (std::vector<std::string> { "Title", "Command1", "Command2", "VideoSize" }));
    EXPECT_EQ(values[1], "tool -s $SIZE");
    EXPECT_EQ(values[2], "other '$INPUT_FILE'");
}

TEST(ProfileIniSections, MissingSectionGivesOneEmptyLine)
{
    TempFolder folder;
    ProfileIni ini;
    ini.Open(folder.Write("d.ini", kDeviceFile));
    std::vector<std::string> keys { "old" };
    std::vector<std::string> values { "old" };
    EXPECT_EQ(ini.GetSection("profile9", keys, values), 1);
    EXPECT_EQ(keys, std::vector<std::string> { "" });
    EXPECT_EQ(values, std::vector<std::string> { "" });
}

TEST(ProfileIniSections, LineWithoutEqualsHasAnEmptyKeyAndTheWholeLineAsValue)
{
    TempFolder folder;
    ProfileIni ini;
    ini.Open(folder.Write("d.ini", "[S]\nrun this = that\nbare words here\n"));
    std::vector<std::string> keys;
    std::vector<std::string> values;
    ASSERT_EQ(ini.GetSection("S", keys, values), 2);
    EXPECT_EQ(keys, (std::vector<std::string> { "run this", "" }));
    EXPECT_EQ(values, (std::vector<std::string> { "that", "bare words here" }));
}

TEST(ProfileIniKeys, HasKeysNeedsAtLeastOneLine)
{
    TempFolder folder;
    ProfileIni ini;
    ini.Open(folder.Write(
        "d.ini", "[Empty]\n; only a comment\n[One]\nK=v\n[Long]\nK=" + std::string(2000, 'x') + "\n"));
    EXPECT_FALSE(ini.HasKeys("Empty"));
    EXPECT_FALSE(ini.HasKeys("Missing"));
    EXPECT_TRUE(ini.HasKeys("one"));
    // A first line longer than the 1024-byte buffer still counts.
    EXPECT_TRUE(ini.HasKeys("Long"));
}

TEST(ProfileIniKeys, GetStringReadsTheOpenedFileAndDefaultsToEmpty)
{
    TempFolder folder;
    ProfileIni ini;
    ini.Open(folder.Write("d.ini", kDeviceFile));
    EXPECT_EQ(ini.GetString("info", "defaultprofile"), "1");
    EXPECT_EQ(ini.GetString("profile0", "Aspect"), "");
    ini.Open(folder.Write("other.ini", "[Info]\nDefaultProfile=4\n"));
    EXPECT_EQ(ini.GetString("Info", "DefaultProfile"), "4");
}

TEST(ProfileLinesByPosition, PositionZeroIsTheSecondSection)
{
    TempFolder folder;
    ProfileIni ini;
    ini.Open(folder.Write("d.ini", kDeviceFile));
    const auto first = ReadProfileAt(ini, 0);
    EXPECT_EQ(first.Line(0), "Customized");
    EXPECT_EQ(first.Line(1), "tool -s $SIZE");
    EXPECT_EQ(ReadProfileAt(ini, 1).Line(0), "Fixed");
}

TEST(ProfileLinesByPosition, PositionOrLineBeyondTheFileReadsEmpty)
{
    TempFolder folder;
    ProfileIni ini;
    ini.Open(folder.Write("d.ini", kDeviceFile));
    EXPECT_EQ(ReadProfileAt(ini, 1).Line(2), "");
    EXPECT_EQ(ReadProfileAt(ini, 2).Line(1), "");
    EXPECT_EQ(ReadProfileAt(ini, -1).Line(0), "");
    ini.Open((folder.Path() / "missing.ini").string());
    EXPECT_EQ(ReadProfileAt(ini, 0).Line(1), "");
}

} // namespace
