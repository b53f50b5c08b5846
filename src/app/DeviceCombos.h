// The device panel's value combos and the list each one shows.
#pragma once

#include "options/ControlIds.h"
#include "options/DeviceValues.h"

#include <array>

namespace kelvara {

struct DeviceCombo {
    DeviceList list;
    int controlId;
};

inline constexpr std::array<DeviceCombo, 7> kDeviceCombos = { {
    { DeviceList::VideoSize, control_id::DeviceVideoSize },
    { DeviceList::VideoBitrate, control_id::DeviceVideoBitrate },
    { DeviceList::FrameRate, control_id::DeviceFrameRate },
    { DeviceList::AudioBitrate, control_id::DeviceAudioBitrate },
    { DeviceList::Channel, control_id::DeviceChannels },
    { DeviceList::AudioSample, control_id::DeviceAudioSample },
    { DeviceList::Aspect, control_id::DeviceAspect },
} };

// The id of the combo that shows `list`.
constexpr int ComboOf(DeviceList list)
{
    for (const DeviceCombo& combo : kDeviceCombos)
        if (combo.list == list)
            return combo.controlId;
    return 0;
}

} // namespace kelvara
