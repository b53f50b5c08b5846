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
// Several placeholders may share a list: the quality list of a kind gives
// each encoder its own constant-quality number.
struct DeviceValueList {
    std::string_view placeholder;
    DeviceList list;
    std::span<const std::string_view> values;
    // The items as the list shows them, when they are not the values (a
    // filter expression is no text for a user).
    std::span<const std::string_view> shown = {};
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

// The video kinds of today. A frame size is a scale filter's size that keeps
// the picture's shape with square pixels and even sides.
inline constexpr std::array<std::string_view, 7> kFrameSizes = { "trunc(iw*sar/2)*2:trunc(ih/2)*2",
    "trunc(2160*dar/2)*2:2160", "trunc(1440*dar/2)*2:1440", "trunc(1080*dar/2)*2:1080",
    "trunc(720*dar/2)*2:720", "trunc(480*dar/2)*2:480", "trunc(360*dar/2)*2:360" };
inline constexpr std::array<std::string_view, 7> kFrameSizesShown
    = { "Same as source", "2160p", "1440p", "1080p", "720p", "480p", "360p" };
// A frame rate is a filter of the chain; "null" passes the source's frames.
inline constexpr std::array<std::string_view, 9> kFrameRateFilters = { "null", "fps=24000/1001", "fps=24",
    "fps=25", "fps=30000/1001", "fps=30", "fps=50", "fps=60000/1001", "fps=60" };
inline constexpr std::array<std::string_view, 9> kFrameRateFiltersShown = { "Same as source", "23.976  fps",
    "24  fps", "25  fps", "29.97  fps", "30  fps", "50  fps", "59.94  fps", "60  fps" };
inline constexpr std::array<std::string_view, 4> kQualitySteps
    = { "Small file", "Balanced", "High quality", "Best quality" };
inline constexpr std::array<std::string_view, 4> kX264Quality = { "28", "23", "20", "17" };
inline constexpr std::array<std::string_view, 4> kHevcQuality = { "30", "26", "23", "20" };
inline constexpr std::array<std::string_view, 4> kVp9Quality = { "40", "33", "30", "24" };
inline constexpr std::array<std::string_view, 4> kAv1Quality = { "42", "35", "30", "24" };
inline constexpr std::array<std::string_view, 7> kAacBitrates
    = { "64", "96", "128", "160", "192", "256", "320" };
// Opus takes at most 256 kbit/s a channel.
inline constexpr std::array<std::string_view, 7> kOpusBitrates
    = { "48", "64", "96", "128", "160", "192", "256" };
inline constexpr std::array<std::string_view, 2> kAacSampleRates = { "44100", "48000" };

inline constexpr DeviceValueList kSize { "$SIZE", DeviceList::VideoSize, kFrameSizes, kFrameSizesShown };
inline constexpr DeviceValueList kRate { "$FRAMERATE", DeviceList::FrameRate, kFrameRateFilters,
    kFrameRateFiltersShown };
inline constexpr DeviceValueList kChannel { "$CHANNEL", DeviceList::Channel, kChannels };
inline constexpr DeviceValueList kAacBitrate { "$AUDIOBITRATE", DeviceList::AudioBitrate, kAacBitrates };
inline constexpr DeviceValueList kOpusBitrate { "$AUDIOBITRATE", DeviceList::AudioBitrate, kOpusBitrates };
inline constexpr DeviceValueList kAacSampleRate { "$AUDIOSAMPLE", DeviceList::AudioSample, kAacSampleRates };

// H.264 with AAC in MP4: the MP4 kind and phones and tablets.
inline constexpr std::array<DeviceValueList, 6> kX264Aac = { {
    kSize,
    { "$CRF_X264", DeviceList::VideoBitrate, kX264Quality, kQualitySteps },
    kRate,
    kAacBitrate,
    kChannel,
    kAacSampleRate,
} };
// HEVC with AAC in MP4: televisions.
inline constexpr std::array<DeviceValueList, 6> kHevcAac = { {
    kSize,
    { "$CRF_HEVC", DeviceList::VideoBitrate, kHevcQuality, kQualitySteps },
    kRate,
    kAacBitrate,
    kChannel,
    kAacSampleRate,
} };
// HEVC with Opus in MKV.
inline constexpr std::array<DeviceValueList, 5> kHevcOpus = { {
    kSize,
    { "$CRF_HEVC", DeviceList::VideoBitrate, kHevcQuality, kQualitySteps },
    kRate,
    kOpusBitrate,
    kChannel,
} };
// VP9 with Opus in WebM: the WebM kind and the web.
inline constexpr std::array<DeviceValueList, 5> kVp9Opus = { {
    kSize,
    { "$CRF_VP9", DeviceList::VideoBitrate, kVp9Quality, kQualitySteps },
    kRate,
    kOpusBitrate,
    kChannel,
} };
inline constexpr std::array<DeviceValueList, 5> kAv1Opus = { {
    kSize,
    { "$CRF_AV1", DeviceList::VideoBitrate, kAv1Quality, kQualitySteps },
    kRate,
    kOpusBitrate,
    kChannel,
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
    case DeviceKind::Mp4:
    case DeviceKind::PhoneTablet:
        return device_values::kX264Aac;
    case DeviceKind::Mkv:
        return device_values::kHevcOpus;
    case DeviceKind::WebM:
    case DeviceKind::Web:
        return device_values::kVp9Opus;
    case DeviceKind::Av1:
        return device_values::kAv1Opus;
    case DeviceKind::TvStick:
        return device_values::kHevcAac;
    }
    return {};
}

// The value text at `position` of the list, or empty text when the position
// is outside it (no selection).
constexpr std::string_view ValueAt(const DeviceValueList& values, int position)
{
    return position >= 0 && static_cast<std::size_t>(position) < values.values.size()
        ? values.values[static_cast<std::size_t>(position)]
        : std::string_view();
}

// The value text at `position` of `list` for the device (its first
// placeholder of that list), or empty text when the device has no such list
// or the position is outside it.
constexpr std::string_view DeviceValue(DeviceKind kind, DeviceList list, int position)
{
    for (const DeviceValueList& values : DeviceValueLists(kind)) {
        if (values.list == list)
            return ValueAt(values, position);
    }
    return {};
}

} // namespace kelvara
