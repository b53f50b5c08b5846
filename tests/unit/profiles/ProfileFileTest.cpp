// The profile index on files a user may put in the tool directory: a profile
// file enlarged far beyond the shipped ones, and things that are not profile
// files at all but carry their name.
#include "options/ProfileIni.h"
#include "platform/PrivateProfile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sys/stat.h>

using kelvara::ProfileIni;
using kelvara::platform::FileReadFailure;
using kelvara::platform::LoadProfileFile;
using kelvara::platform::ProfileFile;
using kelvara::testing::TempFolder;

namespace {

// "Info" and `profiles` sections of about a hundred bytes each, as a user
// who pasted profiles many times over would have.
std::string ManyProfiles(int profiles)
{
    std::string text = "[Info]\nDescription=Many#profiles\nDefaultProfile=7\n";
    for (int k = 0; k < profiles; ++k) {
        const std::string n = std::to_string(k);
        text += "\n[profile" + n + "]\nTitle=Profile " + n + "\nVideoSize=1\nVideoBitrate=" + n
            + "\nFrameRate=3\nAudioBitrate=4\nChannel=1\n";
    }
    return text;
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// What the device panel asks of a file: every section name, the title of
// each, and the keys of a profile; the old reader read the file again for
// each of these.
TEST(ProfileFileIndex, TwoMegabytesOfProfilesAreAnsweredInWellUnderASecond)
{
    const std::string text = ManyProfiles(20000);
    ASSERT_GT(text.size(), 2'000'000u);
    const auto start = std::chrono::steady_clock::now();
    const ProfileFile file = ProfileFile::Parse(text);
    const std::string names = file.SectionNames(65535);
    std::vector<std::string> titles;
    for (std::size_t from = 0; names[from] != '\0'; from = names.find('\0', from) + 1) {
        const std::string name = names.substr(from, names.find('\0', from) - from);
        titles.push_back(file.String(name, "Title", "", 1024));
        for (const char* key : { "VideoSize", "VideoBitrate", "FrameRate", "AudioBitrate", "Channel" })
            file.String(name, key, "", 1024);
    }
    const double seconds = SecondsSince(start);
    EXPECT_EQ(file.SectionCount(), 20001u);
    // The names are cut at the buffer, so only the first few thousand are
    // listed (the last one cut short), each with its own title.
    ASSERT_GT(titles.size(), 4000u);
    EXPECT_LT(titles.size(), 20001u);
    EXPECT_EQ(titles[1], "Profile 0");
    const std::size_t lastWhole = titles.size() - 2;
    EXPECT_EQ(titles[lastWhole], "Profile " + std::to_string(lastWhole - 1));
    EXPECT_EQ(file.String("PROFILE19999", "videobitrate", "", 1024), "19999");
    EXPECT_LT(seconds, 1.0) << "the panel's questions on a 2 MB file";
}

// Short sections are searched line by line, long ones through their own
// index: both keep the first line of a key, in the first section of a name.
TEST(ProfileFileIndex, FirstSectionAndFirstLineWinInShortAndLongSections)
{
    for (const int extraLines : { 0, 40 }) {
        std::string text = "[P]\nA=1\na=2\nB\n";
        for (int k = 0; k < extraLines; ++k)
            text += "K" + std::to_string(k) + "=" + std::to_string(k) + "\n";
        text += "k7=again\nb=late\n[p]\nC=3\n";
        const ProfileFile file = ProfileFile::Parse(text);
        EXPECT_EQ(file.String("p", "A", "-", 64), "1") << extraLines;
        EXPECT_EQ(file.String("P", "b", "-", 64), "-") << extraLines;
        EXPECT_EQ(file.String("P", "C", "-", 64), "-") << extraLines;
        EXPECT_EQ(file.String("P", "K7", "-", 64), extraLines ? "7" : "again") << extraLines;
        EXPECT_EQ(file.Section("P", 12), std::string("A=1\0a=2\0B\0\0\0", 12)) << extraLines;
    }
}

TEST(ProfileIniRefusal, OnlyARegularFileWithinTheLimitIsReadAndEveryOtherOneSaysWhy)
{
    TempFolder folder;
    const std::string fifo = (folder.Path() / "TARVO_Pro_Xbox.ini").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string atLimit = ManyProfiles(1);
    struct Case {
        std::string path;
        bool read;
        FileReadFailure failure;
        std::string refusal;
    } const cases[] = {
        { folder.Write("TARVO_Pro_PSP.ini", ManyProfiles(20000)), false, FileReadFailure::TooLarge,
            "The profile file TARVO_Pro_PSP.ini is larger than 1 MB and was not read." },
        { folder.Write("limit.ini", atLimit + std::string((1 << 20) - atLimit.size(), '\n')), true,
            FileReadFailure::None, "" },
        { folder.Write("over.ini", atLimit + std::string((1 << 20) - atLimit.size() + 1, '\n')), false,
            FileReadFailure::TooLarge, "The profile file over.ini is larger than 1 MB and was not read." },
        // A FIFO without a writer would block an ordinary open for ever.
        { fifo, false, FileReadFailure::NotRegular,
            "The profile file TARVO_Pro_Xbox.ini is not a regular file and was not read." },
        { "/dev/zero", false, FileReadFailure::NotRegular,
            "The profile file zero is not a regular file and was not read." },
        { (folder.Path() / "absent.ini").string(), false, FileReadFailure::Missing, "" },
    };
    for (const Case& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(LoadProfileFile(c.path).failure, c.failure) << c.path;
        ProfileIni ini;
        EXPECT_EQ(ini.Open(c.path), c.read) << c.path;
        EXPECT_LT(SecondsSince(start), 1.0) << c.path;
        EXPECT_EQ(ini.Refusal(), c.refusal);
        std::vector<std::string> names;
        EXPECT_EQ(ini.GetSectionNames(names), c.read ? 2 : 1) << c.path;
        EXPECT_EQ(ini.GetString("profile0", "Title"), c.read ? "Profile 0" : "") << c.path;
    }
}

} // namespace
