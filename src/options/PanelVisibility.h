// Which controls of the settings panel each output kind shows, and when the
// frame-size fields can be edited. Pure data and functions: no window needed.
#pragma once

#include "options/ControlIds.h"
#include "options/OutputKind.h"

#include <array>
#include <span>
#include <vector>

namespace kelvara::panel {

inline constexpr auto kPcVideo = std::to_array<int>({ control_id::FrameSizeGroup, control_id::Width,
    control_id::SizeSlash, control_id::Height, control_id::WidthUp, control_id::WidthDown,
    control_id::HeightUp, control_id::HeightDown, control_id::Original, control_id::Custom });
inline constexpr auto kAviAndMpeg
    = std::to_array<int>({ control_id::VideoFormatGroup, control_id::AudioFormatGroup });
inline constexpr auto kAvi = std::to_array<int>(
    { control_id::AviFrameRateLabel, control_id::AviCodecLabel, control_id::AviSoundCodecLabel,
        control_id::AviFrameRate, control_id::AviCodec, control_id::AviSoundCodec });
inline constexpr auto kMpeg = std::to_array<int>({ control_id::MpegTypeLabel, control_id::MpegFrameRateLabel,
    control_id::MpegAudioBitrateLabel, control_id::MpegAudioRateLabel, control_id::MpegType,
    control_id::MpegAudioBitrate, control_id::MpegFrameRate, control_id::MpegAudioRate });
inline constexpr auto kImage
    = std::to_array<int>({ control_id::ImageTypeLabel, control_id::ImageType, control_id::ImageDescription });
inline constexpr auto kMobile = std::to_array<int>({ control_id::ProfileLabel, control_id::Profile,
    control_id::DeviceVideoSizeLabel, control_id::DeviceVideoBitrateLabel, control_id::DeviceFrameRateLabel,
    control_id::DeviceAudioBitrateLabel, control_id::DeviceVideoSize, control_id::DeviceVideoBitrate,
    control_id::DeviceFrameRate, control_id::DeviceAudioBitrate, control_id::SaveProfileAs,
    control_id::DeleteProfile });
// The device controls that only some devices have.
inline constexpr auto kDeviceChannels
    = std::to_array<int>({ control_id::DeviceChannelsLabel, control_id::DeviceChannels });
inline constexpr auto kDeviceAspect
    = std::to_array<int>({ control_id::DeviceAspectLabel, control_id::DeviceAspect });
inline constexpr auto kDeviceAudioSample
    = std::to_array<int>({ control_id::DeviceAudioSampleLabel, control_id::DeviceAudioSample });
inline constexpr auto kAudio = std::to_array<int>(
    { control_id::AudioSampleLabel, control_id::AudioSample, control_id::AudioDescription });
// Hidden for the lossless kinds.
inline constexpr auto kAudioBitrate
    = std::to_array<int>({ control_id::AudioBitrateLabel, control_id::AudioBitrate });

// The width and height fields with their enabling.
inline constexpr auto kFrameSizeFields = std::to_array<int>({ control_id::Width, control_id::Height });

// Every control the table shows for some kind; a control not shown for the
// current kind is hidden.
std::span<const int> PanelControls();
// The controls shown for `kind`, in table order.
std::vector<int> ShownControls(const OutputKind& kind);
bool IsShown(const OutputKind& kind, int controlId);

// MPEG types whose frame size the user may choose ("MPEG1 Standard",
// "MPEG2 Standard"); the disc types fix it.
inline constexpr int kFirstFreeSizeMpegType = 6;
// Whether the width and height fields are editable: always for AVI, and for
// every other kind when the MPEG type list (hidden or not) holds a free-size
// type. -1 is no selection.
bool FrameSizeEditable(const OutputKind& kind, int mpegTypeSelection);

} // namespace kelvara::panel
