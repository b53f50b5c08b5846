// The video encoders of graphics cards that ffmpeg may offer, and how to
// find out whether one really works on this machine: ffmpeg lists every
// encoder it was built with, whether or not a device is there, so each one
// listed must encode one frame before it counts.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

enum class VideoCodec { H264, Hevc, Av1 };

// VA-API encodes frames uploaded to a render node; NVENC takes frames from
// memory and finds its card itself.
enum class HardwareApi { Vaapi, Nvenc };

struct HardwareEncoder {
    std::string_view name; // as ffmpeg's -c:v takes it
    VideoCodec codec;
    HardwareApi api;
};

// In the order of preference when two can do the same codec.
inline constexpr std::array<HardwareEncoder, 6> kHardwareEncoders = { {
    { "h264_vaapi", VideoCodec::H264, HardwareApi::Vaapi },
    { "hevc_vaapi", VideoCodec::Hevc, HardwareApi::Vaapi },
    { "av1_vaapi", VideoCodec::Av1, HardwareApi::Vaapi },
    { "h264_nvenc", VideoCodec::H264, HardwareApi::Nvenc },
    { "hevc_nvenc", VideoCodec::Hevc, HardwareApi::Nvenc },
    { "av1_nvenc", VideoCodec::Av1, HardwareApi::Nvenc },
} };

// An encoder that passed its trial, with the device it ran on.
struct UsableEncoder {
    std::string name;
    VideoCodec codec = VideoCodec::H264;
    HardwareApi api = HardwareApi::Vaapi;
    std::string device; // the VA-API render node; empty for NVENC

    bool operator==(const UsableEncoder&) const = default;
};

// The arguments after the program that make ffmpeg list its encoders.
std::vector<std::string> EncoderListArguments();

// The encoders of the table that `listing` (what those arguments printed)
// names, in table order. A listing line is " V....D name  description";
// the name is matched whole, never as part of another.
std::vector<HardwareEncoder> ListedHardwareEncoders(std::string_view listing);

// The render node VA-API encodes on: renderD128 in `folder` when it is
// there, else the first renderD* by name; empty when there is none.
std::string FirstRenderNode(const std::string& folder);

// One frame of a generated picture through `encoder` into nothing: the
// arguments after the program. `renderNode` is used by VA-API only.
std::vector<std::string> TrialArguments(const HardwareEncoder& encoder, const std::string& renderNode);

} // namespace kelvara
