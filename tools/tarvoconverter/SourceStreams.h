// What the sources hold, asked of ffprobe, and a silent sound track for
// outputs whose format needs one (a PSP MP4 without sound does not play)
// when no source has sound.
#pragma once

#include "RequestParser.h"

#include <optional>
#include <string>
#include <vector>

namespace kelvara::tarvo {

struct SourceStreams {
    bool hasVideo = false;
    bool hasAudio = false;
    double durationSeconds = 0.0; // 0 when unknown
    // The codec of each subtitle stream, in the file's order.
    std::vector<std::string> subtitleCodecs;
};

// The ffprobe program: $TARVO_FFPROBE when set, else "ffprobe" from PATH.
std::string FfprobeProgram();

// Nothing when ffprobe cannot run or cannot read the file.
std::optional<SourceStreams> ProbeSourceStreams(const std::string& path);

// An output of a device profile that names an audio codec and does not turn
// sound off, of a type that takes a silent track.
bool OutputWantsSound(const OutputRequest& output);

// Adds a silent input as long as the sources (from the start on) when an
// output wants sound and no source has any. Sources that cannot be probed
// are taken to have sound, so that nothing changes for them.
void AddSilentSoundWhereMissing(Request& request);

// An output that converts subtitles ("-c:s ass") keeps a source's picture
// subtitles (DVD, Blu-ray, DVB) as they are, since text formats cannot hold
// them and ffmpeg would refuse the whole conversion: such a stream gets
// "-c:s:N copy" after the output's own choice. Only the first input's
// subtitles are looked at, as "-map 0:s?" takes them.
void CopyPictureSubtitles(Request& request);

} // namespace kelvara::tarvo
