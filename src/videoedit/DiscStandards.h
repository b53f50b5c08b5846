// The VCD, SVCD and DVD streams the component writes. Frame size, frame
// rate, codecs, video bitrate, multiplex rate and packet size come from
// ffmpeg's own presets for these standards (-target); the component only
// decides the audio bitrate, within what the standard allows.
#pragma once

#include "videoedit/CodecCatalogue.h"
#include "videoedit/VideoEditControl.h"

#include <optional>
#include <string_view>

namespace kelvara {

struct DiscStandard {
    VideoEditFormat format;
    std::string_view target; // ffmpeg's preset name
    AudioFamily audio;
    int sampleRate;
    int lowestAudioKbits;
    int highestAudioKbits;
    int width; // the preset's frame, whatever the display shape
    int height;
    bool widescreen; // a 16:9 display is part of the standard (not VCD)
};

// The standard of formats 0 to 5; nothing for the others.
std::optional<DiscStandard> DiscStandardFor(VideoEditFormat format);

// The audio bitrate the standard allows nearest to the request.
int DiscAudioKbits(const DiscStandard& standard, int requestedKbits);

} // namespace kelvara
