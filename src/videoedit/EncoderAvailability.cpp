#include "EncoderAvailability.h"

#include "videoedit/FfmpegLibraries.h"

#include <string>

namespace kelvara {

bool FfmpegHasEncoder(std::string_view encoder)
{
    // Opened at the first look-up, not at start: see FfmpegLibraries.h.
    const FfmpegFunctions* ffmpeg = LoadFfmpeg();
    const std::string name(encoder);
    return ffmpeg && ffmpeg->codec_find_encoder_by_name(name.c_str()) != nullptr;
}

} // namespace kelvara
