// Runs one device profile the way the device converters do: the profile's
// command lines, substituted for a job, one after the other.
#pragma once

#include "MediaTools.h"
#include "conversions/TemplateSubstitution.h"
#include "options/DeviceValues.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kelvara::testing {

// The device panel's selections after it loaded `profile` from the file.
DeviceSelections PanelSelectionsFor(DeviceKind device, int profile);

// The installed profile file of `device`.
std::filesystem::path ProfileFilePath(DeviceKind device);

struct StepResult {
    std::string command; // after substitution
    CommandResult run;
};

// Runs the device's steps of `profile` for `job` into `outputFolder` (ending
// in "/"), deleting the PMP step files where the converter does.
std::vector<StepResult> RunDeviceProfile(
    DeviceKind device, int profile, const JobRecord& job, const std::string& outputFolder);

// The value of `list` that the panel shows for `profile`.
std::string ProfileValue(DeviceKind device, int profile, DeviceList list);

} // namespace kelvara::testing
