// Asks the FFmpeg libraries on this machine whether an encoder exists, so the
// codec lists only offer what the ffmpeg program can really encode.
#pragma once

#include <string_view>

namespace kelvara {

bool FfmpegHasEncoder(std::string_view encoder);

} // namespace kelvara
