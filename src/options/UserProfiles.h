// The user's own profiles: one INI file each, in the same form as the shipped
// profile files, in a folder of the user's configuration that an upgrade of
// the program never touches. Listing, saving, deleting and importing them;
// the shipped files in the tool directory are only ever read.
#pragma once

#include "options/DeviceProfilePanel.h"
#include "options/DeviceValues.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

class ProfileIni;

// $XDG_CONFIG_HOME/kelvara/profiles/, or ~/.config/kelvara/profiles/ when the
// variable is unset or not an absolute path; ends in "/".
std::string UserProfileFolder();

// The name a kind goes by in a profile file's "Kind" key: the part of its
// shipped file's name after "TARVO_Pro_" ("PSP", "MP4", "Phone", ...).
std::string_view DeviceKindName(DeviceKind kind);
// The kind a "Kind" value names, ignoring case and blanks around it.
std::optional<DeviceKind> DeviceKindNamed(std::string_view name);

struct UserProfile {
    std::string title;
    std::string path;
    // The position of the shipped profile it was saved from; the PSP's
    // output names depend on it.
    int basedOn = 0;
};

// The user's profiles of `kind` in `folder`, in the order of their titles
// (ignoring case). Files that are not whole profiles of the kind are passed
// over.
std::vector<UserProfile> ListUserProfiles(DeviceKind kind, const std::string& folder);

// The command templates of the profile at `profilePosition` of the opened
// file, in the order they run: the profile's lines after its title line,
// without the value lists' keys.
std::vector<std::string> ProfileCommands(const ProfileIni& ini, int profilePosition);

struct ProfileToSave {
    DeviceKind kind = DeviceKind::Psp;
    std::string title;
    std::vector<std::string> commands;
    std::vector<DeviceListSelection> selections;
    int basedOn = 0;
};

enum class ProfileStoreStep {
    Stored,
    // The name is empty, holds a line break or is too long.
    BadName,
    // A shipped profile of the kind has the name; it is never replaced.
    ShippedName,
    // A profile of the user's has the name; stored again with `replace`.
    TakenName,
    // The file is not a profile Kelvara can use.
    NotAProfile,
    Failed,
};

struct ProfileStoreOutcome {
    ProfileStoreStep step = ProfileStoreStep::Failed;
    // The file written, or for TakenName the file that has the name.
    std::string path;
    // For the user, naming the file or the name; empty when stored.
    std::string reason;
    // The kind of the profile (for an import, the kind its file names).
    std::optional<DeviceKind> kind;
    std::string title;
};

// Writes the profile as a file of its own in `folder` (made when missing),
// whole or not at all. `shippedTitles` are the titles of the kind's shipped
// profiles; `replace` allows a user's profile of the same name to be
// replaced, in its own file.
ProfileStoreOutcome SaveUserProfile(const ProfileToSave& profile, std::span<const std::string> shippedTitles,
    bool replace, const std::string& folder);

// Copies a profile file a user was given into `folder`, byte for byte, once
// the reader has accepted it and it names a kind and holds a profile with a
// title and a first command. `shippedTitles` gives the shipped titles of a
// kind, as for saving. Nothing is written when it is refused.
using ShippedTitles = std::function<std::vector<std::string>(DeviceKind)>;
ProfileStoreOutcome ImportUserProfile(
    const std::string& source, const ShippedTitles& shippedTitles, bool replace, const std::string& folder);

// Removes a user's profile file; a path outside `folder` is refused. The
// reason it was not removed, or empty.
std::string DeleteUserProfile(const std::string& path, const std::string& folder);

} // namespace kelvara
