// What ffmpeg would choose by an output's file name, for the times it writes
// through a descriptor's name ("/proc/self/fd/40"), which has no extension:
// the muxer, and an image2 output's picture encoder. A table of the
// extensions our outputs and profiles use, checked against libavformat's own
// answers by the tests (linking libavformat would slow every start of the
// converter by tens of milliseconds).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kelvara::tarvo {

struct NamedFormat {
    std::string_view extension; // lower case, without the dot
    std::string_view muxer;
    std::string_view pictureEncoder; // for the image2 muxer; empty otherwise
};

std::span<const NamedFormat> NamedFormats();

// ffmpeg's muxer for this name ("mp4" for "clip.MP4"); nothing for an
// extension the table does not know.
std::optional<std::string> MuxerForName(std::string_view path);

// The encoder ffmpeg's image2 muxer takes for a picture of this name
// ("bmp" for "a.BMP"); nothing for an extension the table does not know.
std::optional<std::string> PictureEncoderForName(std::string_view path);

} // namespace kelvara::tarvo
