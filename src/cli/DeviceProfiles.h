// The device profiles of a kind converted by a profile file, read from the
// tool directory as the device panel reads them: their titles for --list,
// and the panel's choice for the profile --profile names.
#pragma once

#include "conversions/DeviceConversions.h"
#include "options/DeviceValues.h"

#include <optional>
#include <string>
#include <vector>

namespace kelvara::cli {

struct ProfileTitles {
    // Item k is the profile the panel lists at position k: the shipped
    // ones, then the user's own.
    std::vector<std::string> titles;
    int shipped = 0;
    // The profile the panel starts the kind with.
    int start = 0;
    // Why the file could not be read; empty when it was.
    std::string problem;
};

// `toolDirectory` ends in "/".
ProfileTitles ReadProfileTitles(const std::string& toolDirectory, DeviceKind kind);

// What the panel holds once profile `position` is chosen: its position and
// the value lists' selections. None, with `problem` set, for a position the
// panel does not list.
std::optional<DeviceChoice> ChooseProfile(
    const std::string& toolDirectory, DeviceKind kind, int position, std::string& problem);

} // namespace kelvara::cli
