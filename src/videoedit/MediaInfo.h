// Reading a media file's length and picture size with FFmpeg's libraries.
#pragma once

#include <string>

namespace kelvara {

struct MediaInfo {
    bool readable = false;
    double durationSeconds = 0.0;
    int width = 0;
    int height = 0;
};

// Opens the file in-process; a file FFmpeg cannot read (missing, truncated,
// random bytes) gives an unreadable, all-zero answer, never a crash, and so
// does what is not a regular file (a FIFO, a device), at once.
MediaInfo ReadMediaInfo(const std::string& path);

} // namespace kelvara
