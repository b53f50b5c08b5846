// What ffmpeg would choose by an output's file name, for the times it writes
// under another name: the muxer, and an image2 output's picture encoder.
#pragma once

#include <optional>
#include <string>

namespace kelvara::tarvo {

// ffmpeg's muxer for this name ("mp4" for "clip.MP4"); nothing for an
// extension it does not know.
std::optional<std::string> MuxerForName(const std::string& path);

// The encoder ffmpeg's image2 muxer would use for a picture of this name
// ("mjpeg" for "a.jpg"); nothing when the name says no codec.
std::optional<std::string> PictureEncoderForName(const std::string& path);

} // namespace kelvara::tarvo
