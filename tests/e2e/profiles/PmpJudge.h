// Whether a PMP file is one that ffmpeg's own PMP reader plays.
#pragma once

#include <filesystem>
#include <string>

namespace kelvara::testing {

struct PmpExpectation {
    std::string videoCodec; // "mpeg4" or "h264"
    int width = 0;
    int height = 0;
    int frames = 0; // within one frame
    int sampleRate = 0;
    int channels = 0;
};

// ffprobe reads the file as PMP with the expected video and an MP3 stream,
// the header's frame count is the number of frames read, and ffmpeg decodes
// the whole file without complaint.
void ExpectPlayablePmp(const std::filesystem::path& path, const PmpExpectation& expected);

} // namespace kelvara::testing
