#include "options/UserProfiles.h"

#include "options/ProfileIni.h"
#include "support/FileContents.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

using namespace kelvara;
using kelvara::testing::ScopedVariable;
using kelvara::testing::TempFolder;

namespace {

const std::vector<std::string> kShipped = { "Customized", "H.264 720p" };

ProfileToSave Mp4Profile(const std::string& title)
{
    ProfileToSave profile;
    profile.kind = DeviceKind::Mp4;
    profile.title = title;
    profile.commands = { "tarvoconverter -i '$INPUT_FILE' -s $SIZE '$OUTPUT_DIR$OUTPUT_FILE.mp4'", "second" };
    profile.selections = { { DeviceList::VideoSize, 2 }, { DeviceList::AudioBitrate, 1 } };
    profile.basedOn = 3;
    return profile;
}

std::vector<std::string> Titles(const std::vector<UserProfile>& profiles)
{
    std::vector<std::string> titles;
    for (const UserProfile& profile : profiles)
        titles.push_back(profile.title);
    return titles;
}

TEST(UserProfileFolder, FollowsXdgConfigHomeElseHome)
{
    const struct {
        std::optional<std::string> config;
        std::string expected;
    } cases[] = {
        { "/cfg", "/cfg/kelvara/profiles/" },
        { "/cfg/", "/cfg/kelvara/profiles/" },
        { "relative/ignored", "/home/u/.config/kelvara/profiles/" },
        { std::nullopt, "/home/u/.config/kelvara/profiles/" },
    };
    const ScopedVariable home("HOME", "/home/u");
    for (const auto& c : cases) {
        const ScopedVariable config("XDG_CONFIG_HOME", c.config);
        EXPECT_EQ(UserProfileFolder(), c.expected) << c.config.value_or("(unset)");
    }
}

// What is saved reads back as the converters and the panel read a shipped
// profile: the title, the commands by line number, the selections by key.
TEST(UserProfiles, SaveListLoadAndDeleteRoundTrip)
{
    TempFolder config;
    const std::string folder = config.Folder() + "kelvara/profiles/";
    const ProfileStoreOutcome first = SaveUserProfile(Mp4Profile("Phone clips"), kShipped, false, folder);
    ASSERT_EQ(first.step, ProfileStoreStep::Stored) << first.reason;
    ASSERT_EQ(SaveUserProfile(Mp4Profile("another"), kShipped, false, folder).step, ProfileStoreStep::Stored);

    const std::vector<UserProfile> listed = ListUserProfiles(DeviceKind::Mp4, folder);
    EXPECT_EQ(Titles(listed), (std::vector<std::string> { "another", "Phone clips" }));
    EXPECT_TRUE(ListUserProfiles(DeviceKind::WebM, folder).empty());
    ASSERT_EQ(listed[1].path, first.path);
    EXPECT_EQ(listed[1].basedOn, 3);

    ProfileIni ini;
    ASSERT_TRUE(ini.Open(first.path));
    const ProfileLines lines = ReadProfileAt(ini, 0);
    EXPECT_EQ(lines.Line(0), "Phone clips");
    EXPECT_EQ(lines.Line(1), Mp4Profile("").commands[0]);
    EXPECT_EQ(lines.Line(2), "second");
    EXPECT_EQ(ProfileCommands(ini, 0), Mp4Profile("").commands);
    const std::vector<DeviceListSelection> loaded = ReadDeviceProfile(ini, DeviceKind::Psp, 0);
    EXPECT_EQ(loaded[0].item, 2); // VideoSize
    EXPECT_EQ(loaded[3].item, 1); // AudioBitrate

    EXPECT_EQ(DeleteUserProfile(first.path, folder), "");
    EXPECT_EQ(Titles(ListUserProfiles(DeviceKind::Mp4, folder)), std::vector<std::string> { "another" });
    EXPECT_NE(DeleteUserProfile(first.path, folder), "");
}

TEST(UserProfiles, NamesAreCheckedBeforeAnythingIsWritten)
{
    TempFolder config;
    const std::string folder = config.Folder();
    const ProfileStoreOutcome mine = SaveUserProfile(Mp4Profile("Mine"), kShipped, false, folder);
    ASSERT_EQ(mine.step, ProfileStoreStep::Stored);
    const struct {
        std::string title;
        bool replace;
        ProfileStoreStep step;
    } cases[] = {
        { "customized", true, ProfileStoreStep::ShippedName },
        { "  H.264 720p ", false, ProfileStoreStep::ShippedName },
        { "", false, ProfileStoreStep::BadName },
        { "two\nlines", false, ProfileStoreStep::BadName },
        { std::string(201, 'x'), false, ProfileStoreStep::BadName },
        { "MINE", false, ProfileStoreStep::TakenName },
        { "mine", true, ProfileStoreStep::Stored },
    };
    for (const auto& c : cases) {
        const ProfileStoreOutcome outcome = SaveUserProfile(Mp4Profile(c.title), kShipped, c.replace, folder);
        EXPECT_EQ(outcome.step, c.step) << c.title;
        EXPECT_EQ(outcome.step == ProfileStoreStep::Stored || outcome.step == ProfileStoreStep::TakenName,
            !outcome.path.empty())
            << c.title;
    }
    // Replacing kept one file, in its place.
    EXPECT_EQ(Titles(ListUserProfiles(DeviceKind::Mp4, folder)), std::vector<std::string> { "mine" });
    EXPECT_EQ(ListUserProfiles(DeviceKind::Mp4, folder)[0].path, mine.path);
}

// A file of the user's that happens to carry the name a new profile would
// take is left as it is: the profile goes under another name.
TEST(UserProfiles, SavingNeverWritesOverAnotherFile)
{
    TempFolder config;
    const std::string folder = config.Folder();
    const std::string notes = config.Write("MP4-Notes.ini", "my notes");
    const ProfileStoreOutcome saved = SaveUserProfile(Mp4Profile("Notes"), kShipped, false, folder);
    ASSERT_EQ(saved.step, ProfileStoreStep::Stored);
    EXPECT_NE(saved.path, notes);
    EXPECT_EQ(kelvara::testing::FileContents(notes), "my notes");
}

TEST(UserProfiles, ImportCopiesOnlyWholeProfiles)
{
    TempFolder sources;
    TempFolder config;
    const std::string good
        = "[Info]\nKind=webm\n[profile0]\nTitle=From a friend\nCommand1=tarvoconverter x\n";
    const std::string badly = "[Info]\nKind=WebM\n[profile0]\nCommand1=x\nTitle=Late title\n";
    const struct {
        std::string name;
        std::string bytes;
        ProfileStoreStep step;
    } cases[] = {
        { "good.ini", good, ProfileStoreStep::Stored },
        { "shipped.ini", "[Info]\nKind=WebM\n[p]\nTitle=Customized\nCommand1=x\n",
            ProfileStoreStep::ShippedName },
        { "no-kind.ini", "[Info]\nDefaultProfile=0\n[profile0]\nTitle=T\nCommand1=x\n",
            ProfileStoreStep::NotAProfile },
        { "unknown-kind.ini", "[Info]\nKind=Betamax\n[profile0]\nTitle=T\nCommand1=x\n",
            ProfileStoreStep::NotAProfile },
        { "title-late.ini", badly, ProfileStoreStep::NotAProfile },
        { "no-command.ini", "[Info]\nKind=WebM\n[profile0]\nTitle=T\n", ProfileStoreStep::NotAProfile },
        { "picture.jpg", std::string("\xff\xd8\xff\xe0\0\x10JFIF", 10), ProfileStoreStep::NotAProfile },
        { "huge.ini", good + std::string(1100000, ';'), ProfileStoreStep::NotAProfile },
    };
    const ShippedTitles shipped = [](DeviceKind) { return kShipped; };
    for (const auto& c : cases) {
        const ProfileStoreOutcome outcome
            = ImportUserProfile(sources.Write(c.name, c.bytes), shipped, false, config.Folder());
        EXPECT_EQ(outcome.step, c.step) << c.name;
        EXPECT_EQ(outcome.step == ProfileStoreStep::Stored, outcome.reason.empty()) << c.name;
        if (outcome.step == ProfileStoreStep::Stored) {
            EXPECT_EQ(kelvara::testing::FileContents(outcome.path), c.bytes);
        }
    }
    EXPECT_NE(ImportUserProfile(sources.File("missing.ini"), shipped, false, config.Folder()).reason, "");
    // Only the good one arrived; importing it again asks before replacing.
    EXPECT_EQ(kelvara::testing::EntriesIn(config.Folder()), 1U);
    EXPECT_EQ(Titles(ListUserProfiles(DeviceKind::WebM, config.Folder())),
        std::vector<std::string> { "From a friend" });
    EXPECT_EQ(ImportUserProfile(sources.File("good.ini"), shipped, false, config.Folder()).step,
        ProfileStoreStep::TakenName);
}

TEST(UserProfiles, DeleteRefusesFilesOutsideTheFolder)
{
    TempFolder config;
    TempFolder tools;
    const std::string shipped = tools.Write("TARVO_Pro_MP4.ini", "[Info]\nKind=MP4\n");
    const std::string inside = config.Write("MP4-x.ini", "x");
    for (const std::string& path : { shipped, config.Folder() + "../" + tools.Path().filename().string() })
        EXPECT_NE(DeleteUserProfile(path, config.Folder()), "") << path;
    EXPECT_TRUE(std::filesystem::exists(shipped));
    EXPECT_EQ(DeleteUserProfile(inside, config.Folder()), "");
}

TEST(DeviceKindNames, EveryKindIsNamedByItsFileAndReadBack)
{
    for (int kind = 0; kind < kDeviceKindCount; ++kind) {
        const std::string_view name = DeviceKindName(static_cast<DeviceKind>(kind));
        EXPECT_NE(std::string(kDeviceProfileFiles[static_cast<std::size_t>(kind)])
                      .find("_" + std::string(name) + "."),
            std::string::npos);
        std::string typed = " " + std::string(name) + " ";
        for (char& c : typed)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(DeviceKindNamed(typed), static_cast<DeviceKind>(kind));
    }
}

} // namespace
