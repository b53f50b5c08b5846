// The items and default selections of the settings panel's option lists.
// Their handlers read the selected texts; the builders read positions.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace kelvara {

struct OptionList {
    int controlId;
    std::span<const std::string_view> items;
    int defaultItem;
};

namespace option_items {

inline constexpr std::array<std::string_view, 8> kAviFrameRates = { "10      HZ", "15      HZ", "20      HZ",
    "23.97 HZ", "24      HZ", "25      HZ", "29.97 HZ", "30      HZ" };
inline constexpr std::array<std::string_view, 8> kMpegTypes = { "VCD PAL", "VCD NTSC", "SVCD PAL",
    "SVCD NTSC", "DVD PAL", "DVD NTSC", "MPEG1 Standard", "MPEG2 Standard" };
inline constexpr std::array<std::string_view, 7> kMpegFrameRates = { "23.976  HZ", "24         HZ",
    "25         HZ", "29         HZ", "30         HZ", "50         HZ", "59.94    HZ" };
inline constexpr std::array<std::string_view, 15> kMpegAudioBitrates = { "32   Kbit/s", "48   Kbit/s",
    "56   Kbit/s", "64   Kbit/s", "80   Kbit/s", "96   Kbit/s", "112 Kbit/s", "128 Kbit/s", "160 Kbit/s",
    "192 Kbit/s", "224 Kbit/s", "256 Kbit/s", "320 Kbit/s", "384 Kbit/s", "448 Kbit/s" };
inline constexpr std::array<std::string_view, 4> kMpegAudioRates
    = { "22050   ", "32000   ", "44100   ", "48000   " };
inline constexpr std::array<std::string_view, 12> kAudioBitrates
    = { "Auto", "32     kbps", "48     kbps", "64     kbps", "80     kbps", "96     kbps", "128   kbps",
          "160   kbps", "192   kbps", "224   kbps", "256   kbps", "320   kbps" };
inline constexpr std::array<std::string_view, 7> kAudioSampleRates
    = { "Same As Input File", "8000    Hz", "16000  Hz", "22050  Hz", "32000  Hz", "44100  Hz", "48000  Hz" };
inline constexpr std::array<std::string_view, 2> kDeviceChannels = { "Mono", "Stereo" };
inline constexpr std::array<std::string_view, 2> kDeviceAspects = { "4:3", "16:9" };

// The codec lists start at the first name with these prefixes (any case).
inline constexpr std::string_view kPreferredVideoCodec = "DivX";
inline constexpr std::string_view kPreferredSoundCodec = "MPEG Layer-3";

} // namespace option_items

// The lists whose items are fixed, with the selections they start with.
std::span<const OptionList> FixedOptionLists();

} // namespace kelvara
