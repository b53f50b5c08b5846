// Which controls of the settings panel each output kind shows, and when the
// frame-size fields can be edited. Pure data and functions: no window needed.
#pragma once

#include "options/ControlIds.h"
#include "options/OutputKind.h"

#include <array>
#include <span>
#include <vector>

namespace kelvara::panel {

inline constexpr auto kPcVideo = std::to_array<int>({ ctl::FrameSizeGroup, ctl::Width, ctl::SizeSlash,
    ctl::Height, ctl::WidthUp, ctl::WidthDown, ctl::HeightUp, ctl::HeightDown, ctl::Original, ctl::Custom });
inline constexpr auto kAviAndMpeg = std::to_array<int>({ ctl::VideoFormatGroup, ctl::AudioFormatGroup });
inline constexpr auto kAvi = std::to_array<int>({ ctl::AviFrameRateLabel, ctl::AviCodecLabel,
    ctl::AviSoundCodecLabel, ctl::AviFrameRate, ctl::AviCodec, ctl::AviSoundCodec });
inline constexpr auto kMpeg = std::to_array<int>(
    { ctl::MpegTypeLabel, ctl::MpegFrameRateLabel, ctl::MpegAudioBitrateLabel, ctl::MpegAudioRateLabel,
        ctl::MpegType, ctl::MpegAudioBitrate, ctl::MpegFrameRate, ctl::MpegAudioRate });
inline constexpr auto kImage
    = std::to_array<int>({ ctl::ImageTypeLabel, ctl::ImageType, ctl::ImageDescription });
inline constexpr auto kMobile
    = std::to_array<int>({ ctl::ProfileLabel, ctl::Profile, ctl::DeviceVideoSizeLabel,
        ctl::DeviceVideoBitrateLabel, ctl::DeviceFrameRateLabel, ctl::DeviceAudioBitrateLabel,
        ctl::DeviceVideoSize, ctl::DeviceVideoBitrate, ctl::DeviceFrameRate, ctl::DeviceAudioBitrate });
// The device controls that only some devices have.
inline constexpr auto kDeviceChannels = std::to_array<int>({ ctl::DeviceChannelsLabel, ctl::DeviceChannels });
inline constexpr auto kDeviceAspect = std::to_array<int>({ ctl::DeviceAspectLabel, ctl::DeviceAspect });
inline constexpr auto kDeviceAudioSample
    = std::to_array<int>({ ctl::DeviceAudioSampleLabel, ctl::DeviceAudioSample });
inline constexpr auto kAudio = std::to_array<int>({ ctl::AudioSampleLabel, ctl::AudioBitrateLabel,
    ctl::AudioSample, ctl::AudioBitrate, ctl::AudioDescription });

// The width and height fields with their enabling.
inline constexpr auto kFrameSizeFields = std::to_array<int>({ ctl::Width, ctl::Height });

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
