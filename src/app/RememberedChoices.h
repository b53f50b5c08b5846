// The output choices a session leaves for the next one: the category, the
// tab of its strip and the item of each option list, kept in the user's
// settings beside the output folder.
#pragma once

#include "options/ControlIds.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace kelvara {

namespace platform {
class SettingsStore;
}

struct RememberedList {
    int controlId;
    const char* key;
};

// In the order they are given back: each preset list before the lists it
// fills (the MPEG type before its rates, the device profile before its
// values), so a restored value is not overwritten by its own preset.
inline constexpr std::array<RememberedList, 18> kRememberedLists = { {
    { control_id::ImageType, "Choices/PictureType" },
    { control_id::AudioBitrate, "Choices/AudioBitrate" },
    { control_id::AudioSample, "Choices/AudioSample" },
    { control_id::MpegType, "Choices/MpegType" },
    { control_id::Profile, "Choices/DeviceProfile" },
    { control_id::AviFrameRate, "Choices/AviFrameRate" },
    { control_id::AviCodec, "Choices/AviCodec" },
    { control_id::AviSoundCodec, "Choices/AviSoundCodec" },
    { control_id::MpegFrameRate, "Choices/MpegFrameRate" },
    { control_id::MpegAudioBitrate, "Choices/MpegAudioBitrate" },
    { control_id::MpegAudioRate, "Choices/MpegAudioRate" },
    { control_id::DeviceVideoSize, "Choices/DeviceVideoSize" },
    { control_id::DeviceVideoBitrate, "Choices/DeviceVideoBitrate" },
    { control_id::DeviceFrameRate, "Choices/DeviceFrameRate" },
    { control_id::DeviceAudioBitrate, "Choices/DeviceAudioBitrate" },
    { control_id::DeviceChannels, "Choices/DeviceChannels" },
    { control_id::DeviceAudioSample, "Choices/DeviceAudioSample" },
    { control_id::DeviceAspect, "Choices/DeviceAspect" },
} };

// The lists of the device panel, whose items come from the device's profile
// file: given back only when the device is the one chosen.
bool IsDeviceList(int controlId);

struct ListChoice {
    int controlId;
    // The item's text rather than its position: a list that changed since
    // (another codec build, a profile file edited) then either still has
    // the item or is left as it starts.
    QString item;
};

struct RememberedChoices {
    std::optional<int> category; // an OutputCategory value
    std::optional<int> tab; // the tab of the category's strip
    std::vector<ListChoice> lists; // in kRememberedLists order
};

// What the settings hold; values that cannot be a choice (a category that
// does not exist, a negative or unreadable tab) are left out.
RememberedChoices ReadRememberedChoices(const platform::SettingsStore& settings);
void StoreRememberedChoices(platform::SettingsStore& settings, const RememberedChoices& choices);

} // namespace kelvara
