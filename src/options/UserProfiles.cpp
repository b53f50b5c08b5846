#include "options/UserProfiles.h"

#include "files/StagedOutput.h"
#include "options/OptionNumbers.h"
#include "options/ProfileIni.h"
#include "platform/PrivateProfile.h"
#include "platform/RegularFileRead.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace kelvara {
namespace {

namespace fs = std::filesystem;

// Longer titles would not fit the reader's 1024-character lines with room
// to spare, and no list shows them whole.
constexpr std::size_t kMaxTitleLength = 200;
// What a profile file must hold, as the user is told.
constexpr std::string_view kWholeProfile = "It needs an [Info] section first that names its Kind,\n"
                                           "then a profile whose first lines are its Title and its Command1.";
// The part of a file name taken from the title.
constexpr std::size_t kMaxFileStemLength = 48;

struct ListKey {
    DeviceList list;
    std::string_view key;
};

// The keys the profile files give the value lists' selections under.
constexpr std::array<ListKey, 8> kListKeys = { {
    { DeviceList::VideoSize, "VideoSize" },
    { DeviceList::VideoBitrate, "Quality" },
    { DeviceList::VideoBitrate, "VideoBitrate" },
    { DeviceList::FrameRate, "FrameRate" },
    { DeviceList::AudioBitrate, "AudioBitrate" },
    { DeviceList::Channel, "Channel" },
    { DeviceList::Aspect, "Aspect" },
    { DeviceList::AudioSample, "AudioSample" },
} };

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsListKey(std::string_view key)
{
    return std::ranges::any_of(
        kListKeys, [key](const ListKey& known) { return SameIgnoringCase(known.key, key); });
}

std::string LowerCase(std::string_view text)
{
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

// What a user's profile file must hold to be listed and used: "Info" first
// with a kind, then a profile whose first line is its title and whose next
// is its first command, since the converters take the lines by number.
struct CheckedProfile {
    DeviceKind kind;
    std::string title;
    int basedOn = 0;
};

std::optional<CheckedProfile> CheckProfile(const ProfileIni& ini)
{
    std::vector<std::string> names;
    if (ini.GetSectionNames(names) < 2 || !SameIgnoringCase(names[0], "Info"))
        return std::nullopt;
    const std::optional<DeviceKind> kind = DeviceKindNamed(ini.GetString("Info", "Kind"));
    if (!kind)
        return std::nullopt;
    std::vector<std::string> keys;
    std::vector<std::string> values;
    if (ini.GetSection(names[1], keys, values) < 2 || !SameIgnoringCase(keys[0], "Title")
        || !SameIgnoringCase(keys[1], "Command1") || values[0].empty() || values[1].empty()
        || values[0].size() > kMaxTitleLength)
        return std::nullopt;
    return CheckedProfile { *kind, values[0], LeadingInt(ini.GetString("Info", "BasedOn")) };
}

// The file name a title suggests: its letters and digits, the rest as "_".
std::string FileStem(DeviceKind kind, std::string_view title)
{
    std::string stem;
    for (const unsigned char c : title) {
        if (stem.size() >= kMaxFileStemLength)
            break;
        const bool plain = std::isalnum(c) != 0 || c == '-' || c == '.';
        if (plain)
            stem.push_back(static_cast<char>(c));
        else if (!stem.empty() && stem.back() != '_')
            stem.push_back('_');
    }
    return std::string(DeviceKindName(kind)) + "-" + (stem.empty() ? std::string("profile") : stem);
}

// A name in the folder that no file has, so that nothing of the user's is
// written over.
std::string FreePath(const std::string& folder, const std::string& stem)
{
    std::error_code error;
    std::string path = folder + stem + ".ini";
    for (int number = 2; fs::symlink_status(path, error).type() != fs::file_type::not_found; ++number)
        path = folder + stem + "-" + std::to_string(number) + ".ini";
    return path;
}

ProfileStoreOutcome Refused(ProfileStoreStep step, std::string reason)
{
    ProfileStoreOutcome outcome;
    outcome.step = step;
    outcome.reason = std::move(reason);
    return outcome;
}

// Where a profile of `kind` named `title` goes: a free name of its own, or
// with `replace` the file of the user's profile of that name. Refused for a
// bad name and for a shipped profile's name.
ProfileStoreOutcome Destination(DeviceKind kind, const std::string& title,
    std::span<const std::string> shippedTitles, bool replace, const std::string& folder)
{
    if (title.empty() || title.size() > kMaxTitleLength
        || std::ranges::any_of(title, [](unsigned char c) { return c < 0x20 || c == 0x7f; }))
        return Refused(ProfileStoreStep::BadName,
            "A profile's name is one line of 1 to " + std::to_string(kMaxTitleLength) + " characters.");
    if (std::ranges::any_of(shippedTitles,
            [&title](const std::string& shipped) { return SameIgnoringCase(Trimmed(shipped), title); }))
        return Refused(ProfileStoreStep::ShippedName,
            "\"" + title
                + "\" is the name of a profile that comes with Kelvara.\nPlease choose another name.");
    ProfileStoreOutcome outcome;
    outcome.kind = kind;
    outcome.title = title;
    for (const UserProfile& own : ListUserProfiles(kind, folder)) {
        if (!SameIgnoringCase(own.title, title))
            continue;
        outcome.path = own.path;
        if (!replace) {
            outcome.step = ProfileStoreStep::TakenName;
            outcome.reason = "You already have a profile named \"" + title + "\".";
            return outcome;
        }
    }
    if (outcome.path.empty())
        outcome.path = FreePath(folder, FileStem(kind, title));
    outcome.step = ProfileStoreStep::Stored;
    return outcome;
}

std::string SystemReason(int error)
{
    return std::generic_category().message(error);
}

// Writes `bytes` as `path` whole or not at all: staged in the folder,
// flushed to the disk, then given its name.
std::string WriteWhole(const std::string& path, const std::string& bytes)
{
    StagedOutput::Created created = StagedOutput::Create(path);
    if (!created.output)
        return created.error;
    StagedOutput& output = *created.output;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(output.Descriptor(), bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return SystemReason(errno);
        written += static_cast<std::size_t>(count);
    }
    if (::fsync(output.Descriptor()) != 0)
        return SystemReason(errno);
    return output.Commit();
}

std::string MakeFolder(const std::string& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    return error ? "The folder " + folder + " could not be made: " + error.message() + "." : std::string();
}

std::string ProfileText(const ProfileToSave& profile)
{
    std::string text = "[Info]\nDescription=" + std::string(DeviceKindName(profile.kind))
        + "#A profile of your own\nDefaultProfile=0\nKind=" + std::string(DeviceKindName(profile.kind))
        + "\nBasedOn=" + std::to_string(profile.basedOn) + "\n\n[profile0]\nTitle=" + profile.title + "\n";
    int number = 1;
    for (const std::string& command : profile.commands)
        text += "Command" + std::to_string(number++) + "=" + command + "\n";
    for (const DeviceListSelection& selection : profile.selections)
        if (const std::string_view key = DeviceListKey(profile.kind, selection.list); !key.empty())
            text += std::string(key) + "=" + std::to_string(selection.item) + "\n";
    return text;
}

std::string FileName(const std::string& path)
{
    return fs::path(path).filename().string();
}

} // namespace

std::string UserProfileFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config && config[0] == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.config";
    }
    if (!base.ends_with('/'))
        base += '/';
    return base + "kelvara/profiles/";
}

std::string_view DeviceKindName(DeviceKind kind)
{
    const auto index = static_cast<std::size_t>(kind);
    if (index >= kDeviceProfileFiles.size())
        return {};
    std::string_view name = kDeviceProfileFiles[index];
    name.remove_prefix(name.find("TARVO_Pro_") + std::string_view("TARVO_Pro_").size());
    return name.substr(0, name.rfind('.'));
}

std::optional<DeviceKind> DeviceKindNamed(std::string_view name)
{
    name = Trimmed(name);
    for (int kind = 0; kind < kDeviceKindCount; ++kind)
        if (!name.empty() && SameIgnoringCase(DeviceKindName(static_cast<DeviceKind>(kind)), name))
            return static_cast<DeviceKind>(kind);
    return std::nullopt;
}

std::vector<UserProfile> ListUserProfiles(DeviceKind kind, const std::string& folder)
{
    std::vector<UserProfile> profiles;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".ini")
            continue;
        ProfileIni ini;
        ini.Open(entry.path().string());
        const std::optional<CheckedProfile> checked = CheckProfile(ini);
        if (checked && checked->kind == kind)
            profiles.push_back({ checked->title, entry.path().string(), checked->basedOn });
    }
    std::ranges::sort(profiles, [](const UserProfile& a, const UserProfile& b) {
        const std::string left = LowerCase(a.title);
        const std::string right = LowerCase(b.title);
        return left != right ? left < right : a.path < b.path;
    });
    return profiles;
}

std::vector<std::string> ProfileCommands(const ProfileIni& ini, int profilePosition)
{
    std::vector<std::string> names;
    const int count = ini.GetSectionNames(names);
    if (profilePosition < 0 || profilePosition + 1 >= count)
        return {};
    std::vector<std::string> keys;
    std::vector<std::string> values;
    const int lines = ini.GetSection(names[static_cast<std::size_t>(profilePosition) + 1], keys, values);
    std::vector<std::string> commands;
    for (int line = 1; line < lines; ++line) {
        const auto at = static_cast<std::size_t>(line);
        if (!IsListKey(Trimmed(keys[at])))
            commands.push_back(values[at]);
    }
    return commands;
}

ProfileStoreOutcome SaveUserProfile(const ProfileToSave& profile, std::span<const std::string> shippedTitles,
    bool replace, const std::string& folder)
{
    ProfileToSave cleaned = profile;
    cleaned.title = std::string(Trimmed(profile.title));
    if (cleaned.commands.empty() || cleaned.commands.front().empty())
        return Refused(ProfileStoreStep::NotAProfile, "The profile shown holds no command to save.");
    ProfileStoreOutcome outcome = Destination(cleaned.kind, cleaned.title, shippedTitles, replace, folder);
    if (outcome.step != ProfileStoreStep::Stored)
        return outcome;
    std::string failure = MakeFolder(folder);
    if (failure.empty())
        failure = WriteWhole(outcome.path, ProfileText(cleaned));
    if (!failure.empty())
        return Refused(
            ProfileStoreStep::Failed, "The profile could not be saved as " + outcome.path + ": " + failure);
    return outcome;
}

ProfileStoreOutcome ImportUserProfile(
    const std::string& source, const ShippedTitles& shippedTitles, bool replace, const std::string& folder)
{
    const std::string name = FileName(source);
    ProfileIni ini;
    if (!ini.Open(source))
        return Refused(ProfileStoreStep::NotAProfile,
            ini.Refusal().empty() ? "The file " + name + " was not found." : ini.Refusal());
    const std::optional<CheckedProfile> checked = CheckProfile(ini);
    if (!checked)
        return Refused(ProfileStoreStep::NotAProfile,
            "The file " + name + " is not a profile Kelvara can use.\n" + std::string(kWholeProfile));
    const platform::RegularFileRead bytes = platform::ReadRegularFile(source, platform::kProfileFileLimit);
    if (!bytes.Ok())
        return Refused(ProfileStoreStep::Failed, "The file " + name + " could not be read again.");
    ProfileStoreOutcome outcome
        = Destination(checked->kind, checked->title, shippedTitles(checked->kind), replace, folder);
    if (outcome.step != ProfileStoreStep::Stored)
        return outcome;
    std::string failure = MakeFolder(folder);
    if (failure.empty())
        failure = WriteWhole(outcome.path, bytes.bytes);
    if (!failure.empty())
        return Refused(
            ProfileStoreStep::Failed, "The profile could not be copied to " + outcome.path + ": " + failure);
    return outcome;
}

std::string DeleteUserProfile(const std::string& path, const std::string& folder)
{
    std::error_code error;
    fs::path own(folder);
    if (!own.has_filename())
        own = own.parent_path();
    own = fs::weakly_canonical(own, error);
    const fs::path parent = fs::weakly_canonical(fs::path(path).parent_path(), error);
    if (error || parent != own || fs::path(path).extension() != ".ini")
        return "Only your own profiles in " + folder + " can be deleted.";
    if (!fs::remove(path, error))
        return "The profile " + FileName(path) + " could not be deleted"
            + (error ? ": " + error.message() + "." : ": it is gone already.");
    return {};
}

} // namespace kelvara
