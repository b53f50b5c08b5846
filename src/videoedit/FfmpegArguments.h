// The ffmpeg command of one conversion: the component's properties, the clip
// and the output path turned into arguments. The command is what a user
// would type to make the same file: one pass, nothing extra.
#pragma once

#include "ffmpeg/FfmpegTexts.h"
#include "videoedit/ClipList.h"
#include "videoedit/CodecCatalogue.h"
#include "videoedit/ConvertSettings.h"
#include "videoedit/VideoEditControl.h"

#include <optional>
#include <string>
#include <vector>

namespace kelvara {

struct ConvertRequest {
    VideoEditFormat format = VideoEditFormat::Avi;
    ConvertSettings settings;
    std::string sourcePath;
    double startSeconds = 0.0;
    double lengthSeconds = 0.0;
    // The source's picture size, for the bitrate of MPEG-1/MPEG-2 streams
    // that keep it; 0 when unknown.
    int sourceWidth = 0;
    int sourceHeight = 0;
    std::string outputPath;
    // The resolved AVI codecs; unused for the other formats.
    VideoCodecEntry videoCodec;
    AudioCodecEntry audioCodec;
};

// Arguments after the program name.
std::vector<std::string> BuildFfmpegArguments(const ConvertRequest& request);

// The format of a raw OutputFormat value; nothing for a value outside 0 to 8.
std::optional<VideoEditFormat> FormatFromValue(std::int32_t value);

} // namespace kelvara
