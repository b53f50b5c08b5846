// The AVI codecs the component can offer: the names a user sees in the codec
// lists, and the ffmpeg encoder and settings behind each name.
#pragma once

#include "ffmpeg/AudioLimits.h"

#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace kelvara {

struct VideoCodecEntry {
    std::string_view name; // what the codec list shows
    std::string_view encoder; // ffmpeg's encoder name
    std::string_view fourcc; // AVI tag; empty: ffmpeg's default for the encoder
    std::string_view pixelFormat;
    // Quality settings: a fixed quantiser or rate factor, so that the output
    // looks alike whatever the frame size.
    std::string_view qualityOption;
    std::string_view qualityValue;
};

struct AudioCodecEntry {
    std::string_view name;
    std::string_view encoder;
    AudioFamily family;
};

// Every video codec the component knows, in the order of its list.
std::span<const VideoCodecEntry> AllVideoCodecs();
std::span<const AudioCodecEntry> AllAudioCodecs();

// Whether the machine's ffmpeg has an encoder of that name.
using EncoderCheck = std::function<bool(std::string_view encoder)>;

// The entries whose encoder exists, in catalogue order.
std::vector<VideoCodecEntry> AvailableVideoCodecs(const EncoderCheck& exists);
std::vector<AudioCodecEntry> AvailableAudioCodecs(const EncoderCheck& exists);

} // namespace kelvara
