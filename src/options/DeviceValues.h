// The values that the device panel's lists stand for, as they go into a
// device command: the list's selected position picks the text.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kelvara {

// The kinds converted by the commands of a profile file: the four mobile
// devices of old, then the video kinds of today on the PC and mobile strips.
// The values index the profile files and the tables.
enum class DeviceKind : std::int32_t {
    Psp = 0,
    Xbox360 = 1,
    PocketPc = 2,
    Pmp = 3,
    Mp4 = 4,
    Mkv = 5,
    WebM = 6,
    Av1 = 7,
    PhoneTablet = 8,
    TvStick = 9,
    Web = 10,
};
inline constexpr int kDeviceKindCount = 11;

// The value lists of the device panel.
enum class DeviceList {
    VideoSize,
    VideoBitrate,
    FrameRate,
    AudioBitrate,
    Channel,
    Aspect,
    AudioSample,
};

// One placeholder of a device command and the list whose selection fills it.
struct DeviceValueList {
    std::string_view placeholder;
    DeviceList list;
    std::span<const std::string_view> values;
};

namespace device_values {

inline constexpr std::array<std::string_view, 5> kFrameRates
    = { "14.985", "23.976", "25.0", "29.97", "30.0" };
inline constexpr std::array<std::string_view, 9> kSmallAudioBitrates
    = { "12", "16", "32", "48", "64", "80", "96", "112", "128" };
inline constexpr std::array<std::string_view, 7> kHandheldVideoBitrates
    = { "192", "216", "384", "512", "640", "768", "1500" };
inline constexpr std::array<std::string_view, 2> kChannels = { "1", "2" };

inline constexpr std::array<std::string_view, 4> kPspSizes = { "320x240", "368x208", "640x480", "720x480" };

inline constexpr std::array<std::string_view, 3> kXboxSizes = { "720x480", "1280x720", "1920x1080" };
inline constexpr std::array<std::string_view, 5> kXboxVideoBitrates
    = { "1024", "2048", "4096", "8192", "19200" };
inline constexpr std::array<std::string_view, 2> kXboxAudioBitrates = { "128", "192" };
inline constexpr std::array<std::string_view, 2> kAspects = { "4:3", "16:9" };

inline constexpr std::array<std::string_view, 6> kPocketPcSizes
    = { "160x120", "320x240", "480x480", "640x480", "720x480", "720x576" };
inline constexpr std::array<std::string_view, 5> kPocketPcVideoBitrates
    = { "300", "600", "800", "850", "1500" };

inline constexpr std::array<std::string_view, 4> kPmpSizes = { "360x272", "368x272", "480x208", "480x272" };
inline constexpr std::array<std::string_view, 4> kPmpSampleRates = { "22050", "32000", "44100", "48000" };

inline constexpr std::array<DeviceValueList, 5> kPsp = { {
    { "$SIZE", DeviceList::VideoSize, kPspSizes },
    { "$VIDEOBITRATE", DeviceList::VideoBitrate, kHandheldVideoBitrates },
    { "$FRAMERATE", DeviceList::FrameRate, kFrameRates },
    { "$AUDIOBITRATE", DeviceList::AudioBitrate, kSmallAudioBitrates },
    { "$CHANNEL", DeviceList::Channel, kChannels },
} };

inline constexpr std::array<DeviceValueList, 6> kXbox = { {
    { "$SIZE", DeviceList::VideoSize, kXboxSizes },
    { "$VIDEOBITRATE", DeviceList::VideoBitrate, kXboxVideoBitrates },
    { "$FRAMERATE", DeviceList::FrameRate, kFrameRates },
    { "$AUDIOBITRATE", DeviceList::AudioBitrate, kXboxAudioBitrates },
    { "$CHANNEL", DeviceList::Channel, kChannels },
    { "$ASPECT", DeviceList::Aspect, kAspects },
} };

inline constexpr std::array<DeviceValueList, 5> kPocketPc = { {
    { "$SIZE", DeviceList::VideoSize, kPocketPcSizes },
    { "$VIDEOBITRATE", DeviceList::VideoBitrate, kPocketPcVideoBitrates },
    { "$FRAMERATE", DeviceList::FrameRate, kFrameRates },
    { "$AUDIOBITRATE", DeviceList::AudioBitrate, kSmallAudioBitrates },
    { "$CHANNEL", DeviceList::Channel, kChannels },
} };

inline constexpr std::array<DeviceValueList, 5> kPmp = { {
    { "$SIZE", DeviceList::VideoSize, kPmpSizes },
    { "$VIDEOBITRATE", DeviceList::VideoBitrate, kHandheldVideoBitrates },
    { "$FRAMERATE", DeviceList::FrameRate, kFrameRates },
    { "$AUDIOBITRATE", DeviceList::AudioBitrate, kSmallAudioBitrates },
    { "$AUDIOSAMPLE", DeviceList::AudioSample, kPmpSampleRates },
} };

} // namespace device_values

// The placeholders of a device in the order they are replaced. A placeholder
// a device does not list stays in its commands unchanged.
constexpr std::span<const DeviceValueList> DeviceValueLists(DeviceKind kind)
{
    switch (kind) {
    case DeviceKind::Psp:
        return device_values::kPsp;
    case DeviceKind::Xbox360:
        return device_values::kXbox;
    case DeviceKind::PocketPc:
        return device_values::kPocketPc;
    case DeviceKind::Pmp:
        return device_values::kPmp;
    }
    return {};
}

// The value text at `position` of `list` for the device, or empty text when
// the device has no such list or the position is outside it (no selection).
constexpr std::string_view DeviceValue(DeviceKind kind, DeviceList list, int position)
{
    for (const DeviceValueList& values : DeviceValueLists(kind)) {
        if (values.list == list)
            return position >= 0 && static_cast<std::size_t>(position) < values.values.size()
                ? values.values[static_cast<std::size_t>(position)]
                : std::string_view();
    }
    return {};
}

} // namespace kelvara
